#pragma once

#include "shell/WalkRunner.h"

#include <QObject>
#include <atomic>
#include <optional>
#include <thread>

// Runs a combination walk on a worker thread. Its progress and its end are handed back to the
// window's thread through queued calls, so the Workspace is only ever touched there; the walk
// itself works on the copies its job holds.
class ThreadedWalkRunner : public QObject, public WalkRunner {
    Q_OBJECT
public:
    explicit ThreadedWalkRunner(QObject* parent = nullptr);
    ~ThreadedWalkRunner() override; // stops a walk still running, without handing it back

    void start(WalkJob job) override;
    bool running() const { return m_job.has_value(); }
    // Asks the walk to stop; the records found so far are handed back as at a normal end.
    void cancel() { m_cancel.store(true); }
    // Stops the walk and hands its records back now (the window is closing).
    void stopAndWait();

signals:
    void finished();

private:
    void complete();

    std::thread m_thread;
    std::atomic<bool> m_cancel{false};
    std::optional<WalkJob> m_job;
    CombinationWalk::Result m_result; // written by the worker, read after join
    unsigned m_generation = 0; // progress of an earlier walk is ignored
};
