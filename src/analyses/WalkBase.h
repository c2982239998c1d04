// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/WalkPlan.h"

#include <QString>

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace CombinationEngine {

// One thread's walk through the chunks it is handed: its positions, its record, its ticks.
class WalkBase {
public:
    virtual ~WalkBase() = default;
    WalkBase(const WalkBase&) = delete;
    WalkBase& operator=(const WalkBase&) = delete;

    // Walks the combinations of `chunk`, the `index`th of the plan, until done or stopped.
    virtual void run(WalkChunk& chunk, size_t index) = 0;
    bool stopped() const { return m_stopped; }

protected:
    explicit WalkBase(WalkPlan& plan)
        : m_plan(plan), m_chosen(plan.chosen), m_k(plan.k), m_r(plan.r), m_pos(static_cast<size_t>(std::max(plan.r, 0)))
    {
    }

    // Fixes the chunk's first positions; returns how many there are.
    int enter(WalkChunk& chunk, size_t index)
    {
        m_chunk = &chunk;
        m_index = index;
        m_record = m_plan.recordBefore(index);
        for (size_t i = 0; i < chunk.prefix.size(); ++i)
            m_pos[i] = chunk.prefix[i];
        return static_cast<int>(chunk.prefix.size());
    }

    QString currentText() const { return m_plan.textOf(m_pos); }
    int& pos(int i) { return m_pos[static_cast<size_t>(i)]; }

    // Fills the positions after `depth` with the first combination below the current prefix.
    void settle(int depth)
    {
        for (int i = depth + 1; i < m_r; ++i)
            pos(i) = pos(i - 1) + 1;
    }

    // Called once per unit of work; true when the walk must stop. Every combination before
    // the current prefix's first one has been examined.
    bool checkpoint(int depth)
    {
        if (m_plan.cancelled()) {
            settle(depth);
            m_chunk->next.store(m_plan.rank(m_pos), std::memory_order_relaxed);
            m_stopped = true;
            return true;
        }
        if ((++m_ticks & 15u) == 0) {
            settle(depth);
            m_chunk->next.store(m_plan.rank(m_pos), std::memory_order_relaxed);
            // Records found meanwhile before this chunk tighten the bound.
            if ((m_ticks & 255u) == 0)
                m_record = m_plan.rule.tighter(m_record, m_plan.recordBefore(m_index));
        }
        return false;
    }

    void write(QString line, int key)
    {
        m_record = key;
        const std::lock_guard<std::mutex> lock(m_chunk->mutex);
        m_chunk->lines.push_back({std::move(line), key});
        m_chunk->key.store(m_plan.rule.tighter(m_chunk->key.load(std::memory_order_relaxed), key), std::memory_order_relaxed);
    }

    WalkPlan& m_plan;
    const QList<int>& m_chosen;
    const int m_k;
    const int m_r;
    std::vector<int> m_pos;
    int m_record = 0; // the best count, or the oldest draw index, this walk measures against
    bool m_stopped = false;

private:
    WalkChunk* m_chunk = nullptr;
    size_t m_index = 0;
    unsigned m_ticks = 0;
};

} // namespace CombinationEngine
