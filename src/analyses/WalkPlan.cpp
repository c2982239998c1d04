// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/WalkPlan.h"

#include <algorithm>
#include <thread>

namespace CombinationEngine {

WalkPlan::WalkPlan(const QList<int>& chosen, int r, RecordRule rule, const CombinationWalk::Options& options)
    : chosen(chosen), k(static_cast<int>(chosen.size())), r(r), rule(rule), options(options), m_binomials(k, r),
      total(m_binomials(k, r))
{
    threads = options.threads > 0 ? options.threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    depth = 0;
    // Chunks of at most an eighth of a thread's share (the first, largest, come first), their
    // prefixes short enough to leave the last two positions to the fast leaf counts.
    if (threads > 1) {
        for (int l = 1; l <= r - 2; ++l) {
            depth = l;
            if (m_binomials(k - l, r - l) <= total / (8 * threads))
                break;
        }
    }
    std::vector<int> prefix;
    addChunks(prefix, 0);
    threads = std::clamp(threads, 1, static_cast<int>(std::min<size_t>(chunks.size(), 256)));
}

qint64 WalkPlan::rank(const std::vector<int>& pos) const
{
    qint64 before = 0;
    int next = 0;
    for (int i = 0; i < r; ++i) {
        for (int v = next; v < pos[static_cast<size_t>(i)]; ++v)
            before += m_binomials(k - 1 - v, r - 1 - i);
        next = pos[static_cast<size_t>(i)] + 1;
    }
    return before;
}

std::vector<int> WalkPlan::unrank(qint64 rank) const
{
    std::vector<int> pos(static_cast<size_t>(r));
    int v = 0;
    for (int i = 0; i < r; ++i) {
        for (qint64 c; rank >= (c = m_binomials(k - 1 - v, r - 1 - i)) && v < k; ++v)
            rank -= c;
        pos[static_cast<size_t>(i)] = v++;
    }
    return pos;
}

QString WalkPlan::textOf(const std::vector<int>& pos) const
{
    QList<int> numbers;
    numbers.reserve(static_cast<qsizetype>(pos.size()));
    for (int p : pos)
        numbers << chosen[p];
    return CombinationWalk::text(numbers);
}

void WalkPlan::addChunks(std::vector<int>& prefix, int from)
{
    const int i = static_cast<int>(prefix.size());
    if (i == depth) {
        WalkChunk& c = chunks.emplace_back();
        c.prefix = prefix;
        std::vector<int> pos = prefix;
        for (int j = i; j < r; ++j)
            pos.push_back(j == 0 ? 0 : pos.back() + 1);
        c.first = rank(pos);
        c.end = c.first + m_binomials(k - (i == 0 ? 0 : prefix.back() + 1), r - i);
        c.next.store(c.first);
        c.key.store(rule.initial);
        return;
    }
    for (int q = from; q <= k - r + i; ++q) {
        prefix.push_back(q);
        addChunks(prefix, q + 1);
        prefix.pop_back();
    }
}

} // namespace CombinationEngine
