// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <atomic>
#include <functional>

// What a long job sees while it runs, possibly on another thread than the Workspace's.
class JobContext {
public:
    virtual ~JobContext() = default;
    // Set when the person asks to stop: the job then ends soon, keeping what it has.
    virtual const std::atomic<bool>* cancelFlag() const = 0;
    // Runs `update` on the Workspace's thread (progress, records so far); in place: at once.
    virtual void post(std::function<void()> update) = 0;
    // How far the job is (0..1) and, when not empty, a line saying so, for a display of the
    // runner's own (the command line's terminal).
    virtual void progress(const QString& /*text*/, double /*done*/) { }
};

// A long job: `run` reads only what it captured (copies), so it may run on another thread;
// `finish` changes the Workspace, on its thread, exactly once, after `run` has returned.
struct Job {
    std::function<void(JobContext&)> run;
    std::function<void()> finish;
};

// Runs the long jobs: the walks, the backtest, the base building and the download. The window
// runs them on a worker thread with a progress and stop display; the command line and the
// tests run them in place.
class JobRunner {
public:
    virtual ~JobRunner() = default;
    // Starts the job; its `finish` may come after start() has returned.
    virtual void start(Job job) = 0;
};

// Runs each job in the calling thread, start to end; `cancel` (may be null) stops it.
class InPlaceJobRunner : public JobRunner, private JobContext {
public:
    explicit InPlaceJobRunner(const std::atomic<bool>* cancel = nullptr) : m_cancel(cancel ? cancel : &m_never) { }

    void start(Job job) override
    {
        if (job.run)
            job.run(*this);
        if (job.finish)
            job.finish();
    }

private:
    const std::atomic<bool>* cancelFlag() const override { return m_cancel; }
    void post(std::function<void()> update) override { update(); }

    std::atomic<bool> m_never{false};
    const std::atomic<bool>* m_cancel;
};
