// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/Binomials.h"
#include "analyses/CombinationWalk.h"
#include "analyses/RecordRule.h"
#include "analyses/WalkChunk.h"

#include <QList>
#include <QString>

#include <atomic>
#include <deque>
#include <vector>

namespace CombinationEngine {

// The walk cut into chunks, shared by the threads that walk it.
class WalkPlan {
public:
    WalkPlan(const QList<int>& chosen, int r, RecordRule rule, const CombinationWalk::Options& options);

    bool cancelled() const { return options.cancel && options.cancel->load(std::memory_order_relaxed); }

    // How many combinations come before the one at these positions.
    qint64 rank(const std::vector<int>& pos) const;
    std::vector<int> unrank(qint64 rank) const;
    QString textOf(const std::vector<int>& pos) const;

    // The best record the chunks before `index` have found so far.
    int recordBefore(size_t index) const
    {
        int record = rule.initial;
        for (size_t j = 0; j < index; ++j)
            record = rule.tighter(record, chunks[j].key.load(std::memory_order_relaxed));
        return record;
    }

    const QList<int>& chosen;
    const int k;
    const int r;
    const RecordRule rule;
    const CombinationWalk::Options& options;

private:
    Binomials m_binomials;

public:
    const qint64 total;
    int threads = 1;
    int depth = 0; // positions fixed by a chunk; 0: one chunk, the whole walk
    std::deque<WalkChunk> chunks;
    std::atomic<size_t> taken{0};

private:
    void addChunks(std::vector<int>& prefix, int from);
};

} // namespace CombinationEngine
