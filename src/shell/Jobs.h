// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/JobRunner.h"

class StateChanges;

// The Workspace's side of the long jobs: which runner runs them and whether one is running.
class Jobs {
public:
    explicit Jobs(const StateChanges& changes) : m_changes(changes) { }

    // Null: the jobs run in place.
    void setRunner(JobRunner* runner) { m_runner = runner; }
    bool running() const { return m_running; }
    // Starts `job`; running() is true until its `finish` begins.
    void start(Job job);

private:
    const StateChanges& m_changes;
    JobRunner* m_runner = nullptr;
    InPlaceJobRunner m_inPlace;
    bool m_running = false;
};
