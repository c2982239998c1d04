// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/JobRunner.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>
#include <optional>

// Runs the Workspace's long jobs on a worker thread. What a job posts and its end are handed
// back to the window's thread through queued calls, so the Workspace is only ever touched
// there; the job itself works on the copies it holds.
class ThreadedJobRunner : public QObject, public JobRunner, private JobContext {
    Q_OBJECT
public:
    explicit ThreadedJobRunner(QObject* parent = nullptr);
    ~ThreadedJobRunner() override; // stops a job still running, without handing it back

    void start(Job job) override;
    bool running() const { return m_job.has_value(); }
    // Asks the job to stop; what it has done so far is handed back as at a normal end.
    void cancel() { m_cancel.store(true); }
    // Stops the job and hands it back now, and stops at once any job its end starts (the
    // window is closing).
    void stopAndWait();

signals:
    void finished();

private:
    const std::atomic<bool>* cancelFlag() const override { return &m_cancel; }
    void post(std::function<void()> update) override;
    void complete(unsigned generation);

    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_cancel{false};
    std::atomic<unsigned> m_generation{0}; // what an earlier job posted is ignored
    std::optional<Job> m_job;
    bool m_closing = false;
};
