// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/CombinationWalk.h"
#include "analyses/RecordMerge.h"
#include "analyses/WalkBase.h"
#include "analyses/WalkPlan.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace CombinationEngine {

// Walks the plan's chunks on its threads, taken in order as the threads free up; the calling
// thread reports progress meanwhile and then gathers the lines. Stopped, the walk keeps the lines of
// every combination before the first one not examined (the earliest chunk not finished), so
// that its list is the one-thread walk's list up to there; later chunks' work is dropped.
class ChunkRunner {
public:
    using MakeWalk = std::function<std::unique_ptr<WalkBase>()>;

    // `latestIsDraw`: the result names the draw of the latest record (gap search).
    ChunkRunner(WalkPlan& plan, bool latestIsDraw);

    CombinationWalk::Result run(const MakeWalk& makeWalk);

private:
    // One thread: takes the next chunk until none is left or the walk stops.
    void work(const MakeWalk& makeWalk);
    // Until every thread has ended, reports the lines so far at each interval.
    void waitReporting();
    void report();
    // Takes in the lines of the chunks finished in order from the first not merged yet.
    void mergeDone();
    CombinationWalk::Result gather();

    WalkPlan& m_plan;
    const bool m_latestIsDraw;
    const std::chrono::steady_clock::time_point m_started;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    int m_running = 0;
    RecordMerge m_merge;
    size_t m_merged = 0;
};

} // namespace CombinationEngine
