// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/ChunkRunner.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace CombinationEngine {

ChunkRunner::ChunkRunner(WalkPlan& plan, bool latestIsDraw)
    : m_plan(plan), m_latestIsDraw(latestIsDraw), m_started(std::chrono::steady_clock::now()), m_merge(plan.rule)
{
}

CombinationWalk::Result ChunkRunner::run(const MakeWalk& makeWalk)
{
    m_running = m_plan.threads;
    std::vector<std::thread> threads;
    for (int t = 0; t < m_plan.threads; ++t)
        threads.emplace_back([this, &makeWalk] { work(makeWalk); });
    waitReporting();
    for (std::thread& t : threads)
        t.join();
    mergeDone();
    return gather();
}

void ChunkRunner::work(const MakeWalk& makeWalk)
{
    const std::unique_ptr<WalkBase> walk = makeWalk();
    while (!m_plan.cancelled()) {
        const size_t i = m_plan.taken.fetch_add(1);
        if (i >= m_plan.chunks.size())
            break;
        WalkChunk& chunk = m_plan.chunks[i];
        walk->run(chunk, i);
        if (walk->stopped())
            break;
        chunk.next.store(chunk.end, std::memory_order_relaxed);
        chunk.done.store(true, std::memory_order_release);
    }
    const std::lock_guard<std::mutex> lock(m_mutex);
    --m_running;
    m_ended.notify_all();
}

void ChunkRunner::waitReporting()
{
    const auto interval = std::max(m_plan.options.interval, std::chrono::milliseconds(1));
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_ended.wait_for(lock, interval, [this] { return m_running == 0; })) {
        if (!m_plan.options.onProgress)
            continue;
        lock.unlock();
        report();
        lock.lock();
    }
}

void ChunkRunner::report()
{
    mergeDone();
    if (m_merged >= m_plan.chunks.size())
        return;
    WalkChunk& frontier = m_plan.chunks[m_merged];
    RecordMerge shown = m_merge;
    {
        const std::lock_guard<std::mutex> chunkLock(frontier.mutex);
        shown.add(frontier.lines);
    }
    CombinationWalk::Progress progress;
    progress.examined = frontier.next.load(std::memory_order_relaxed);
    progress.total = m_plan.total;
    progress.combination = m_plan.textOf(m_plan.unrank(progress.examined));
    progress.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_started);
    progress.lines = &shown.lines();
    progress.latestRecordDraw = m_latestIsDraw ? shown.latest() : -1;
    m_plan.options.onProgress(progress);
}

void ChunkRunner::mergeDone()
{
    while (m_merged < m_plan.chunks.size() && m_plan.chunks[m_merged].done.load(std::memory_order_acquire))
        m_merge.add(m_plan.chunks[m_merged++].lines);
}

CombinationWalk::Result ChunkRunner::gather()
{
    CombinationWalk::Result result;
    result.total = m_plan.total;
    if (m_merged < m_plan.chunks.size()) {
        WalkChunk& frontier = m_plan.chunks[m_merged];
        m_merge.add(frontier.lines);
        result.stopped = true;
        result.examined = frontier.next.load(std::memory_order_relaxed);
        result.lastCombination = m_plan.textOf(m_plan.unrank(result.examined));
    } else {
        result.examined = m_plan.total;
        result.lastCombination = m_plan.total > 0 ? m_plan.textOf(m_plan.unrank(m_plan.total - 1)) : QString();
    }
    result.lines = m_merge.lines();
    result.latestRecordDraw = m_latestIsDraw ? m_merge.latest() : -1;
    return result;
}

} // namespace CombinationEngine
