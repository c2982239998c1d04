#include "gui/ThreadedWalkRunner.h"

#include <QMetaObject>
#include <chrono>

ThreadedWalkRunner::ThreadedWalkRunner(QObject* parent) : QObject(parent) { }

ThreadedWalkRunner::~ThreadedWalkRunner()
{
    m_cancel.store(true);
    if (m_thread.joinable())
        m_thread.join();
}

void ThreadedWalkRunner::start(WalkJob job)
{
    if (m_thread.joinable()) // a previous walk not handed back yet: stop it and hand it back first
        stopAndWait();
    m_cancel.store(false);
    m_job = std::move(job);
    const unsigned generation = ++m_generation;
    CombinationWalk::Options options;
    options.cancel = &m_cancel;
    options.interval = std::chrono::milliseconds(100);
    options.onProgress = [this, generation](const CombinationWalk::Progress& p) {
        // Copied here: the lines the engine points at change once this returns.
        QString combination = p.combination;
        QStringList lines = p.lines ? *p.lines : QStringList();
        const int latest = p.latestRecordDraw;
        QString progress = CombinationWalk::progressText(p);
        QMetaObject::invokeMethod(
            this,
            [this, generation, combination = std::move(combination), lines = std::move(lines), latest,
             progress = std::move(progress)] {
                if (generation == m_generation && m_job && m_job->show)
                    m_job->show(combination, lines, latest, progress);
            },
            Qt::QueuedConnection);
    };
    auto run = m_job->run;
    m_thread = std::thread([this, run = std::move(run), options = std::move(options)] {
        m_result = run(options);
        QMetaObject::invokeMethod(
            this, [this] { complete(); }, Qt::QueuedConnection);
    });
}

void ThreadedWalkRunner::complete()
{
    if (!m_thread.joinable() || !m_job)
        return;
    m_thread.join();
    WalkJob job = std::move(*m_job);
    m_job.reset();
    ++m_generation;
    job.finish(m_result);
    emit finished();
}

void ThreadedWalkRunner::stopAndWait()
{
    m_cancel.store(true);
    complete();
}
