// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/CommandOutcome.h"
#include "shell/JobRunner.h"

#include <functional>

class StateChanges;

// The window's progress bar; a maximum of 0 shows a busy bar.
struct Progress {
    bool visible = false;
    int maximum = 100;
    int value = 0;
};

// The Workspace's side of the long jobs: which runner runs them, whether one is running, how
// far the work has come, and the outcome of a command that ends after its job.
class Jobs {
public:
    explicit Jobs(const StateChanges& changes) : m_changes(changes) { }

    // Null: the jobs run in place.
    void setRunner(JobRunner* runner) { m_runner = runner; }
    bool running() const { return m_running; }
    const Progress& progress() const { return m_progress; }
    // Shows the progress bar at `value` of `maximum` (0: busy); called on the Workspace's thread.
    void showProgress(int value, int maximum);
    void hideProgress();
    // Starts `job`; running() is true until its `finish` begins.
    void start(Job job);

    // Where the outcome of a command that ended after start() had returned goes.
    void setLateOutcome(std::function<void(const CommandOutcome&)> late) { m_late = std::move(late); }
    // Hands the outcome of what a job's end showed to the late receiver.
    void late(const CommandOutcome& outcome) const
    {
        if (m_late)
            m_late(outcome);
    }
    // Runs `command`, which hands its outcome on once it has ended: that outcome when it
    // ended in place, else a pending one, the outcome going to the late receiver when it comes.
    CommandOutcome await(const std::function<void(OutcomeThen)>& command);
    // Runs `command`, which may start a job: its outcome says whether the person stopped that
    // job; pending while the job runs on.
    CommandOutcome track(const std::function<CommandOutcome()>& command);

private:
    const StateChanges& m_changes;
    JobRunner* m_runner = nullptr;
    InPlaceJobRunner m_inPlace;
    bool m_running = false;
    Progress m_progress;
    bool m_lastStopped = false; // the person stopped the job that ended last
    std::function<void(const CommandOutcome&)> m_late;
};
