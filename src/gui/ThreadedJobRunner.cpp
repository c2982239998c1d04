// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ThreadedJobRunner.h"

#include <QMetaObject>

ThreadedJobRunner::ThreadedJobRunner(QObject* parent) : QObject(parent) { }

ThreadedJobRunner::~ThreadedJobRunner()
{
    m_cancel.store(true);
    if (m_thread)
        m_thread->wait();
}

void ThreadedJobRunner::start(Job job)
{
    if (m_job) // a previous job not handed back yet: stop it and hand it back first
        stopAndWait();
    m_cancel.store(m_closing);
    m_job = std::move(job);
    const unsigned generation = ++m_generation;
    m_thread.reset(QThread::create([this, run = m_job->run, generation] {
        if (run)
            run(*this);
        QMetaObject::invokeMethod(
            this, [this, generation] { complete(generation); }, Qt::QueuedConnection);
    }));
    m_thread->start();
}

void ThreadedJobRunner::post(std::function<void()> update)
{
    const unsigned generation = m_generation.load();
    QMetaObject::invokeMethod(
        this,
        [this, generation, update = std::move(update)] {
            if (generation == m_generation.load() && m_job)
                update();
        },
        Qt::QueuedConnection);
}

void ThreadedJobRunner::complete(unsigned generation)
{
    // The end of a job already handed back (by stopAndWait) is not another job's.
    if (!m_job || !m_thread || generation != m_generation.load())
        return;
    m_thread->wait();
    m_thread.reset();
    Job job = std::move(*m_job);
    m_job.reset();
    ++m_generation;
    if (job.finish)
        job.finish();
    emit finished();
}

void ThreadedJobRunner::stopAndWait()
{
    m_closing = true;
    // A job's end may start the next step of its command: that one is stopped too.
    while (m_job) {
        m_cancel.store(true);
        complete(m_generation.load());
    }
    m_closing = false;
}
