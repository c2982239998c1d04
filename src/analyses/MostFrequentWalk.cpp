// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/MostFrequentWalk.h"

#include "analyses/CombinationWalk.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace CombinationEngine {

MostFrequentWalk::MostFrequentWalk(WalkPlan& plan, MostFrequentData& data)
    : WalkBase(plan), m_data(data), m_kernels(data.kernels), m_words(data.words)
{
    m_stack.resize(static_cast<size_t>(std::max(m_r, 1)) * static_cast<size_t>(m_words));
    m_counter.assign(static_cast<size_t>(m_k), 0);
}

void MostFrequentWalk::run(WalkChunk& chunk, size_t index)
{
    const int fixed = enter(chunk, index);
    if (fixed == 0) {
        if (m_r == 1)
            leaves(nullptr, 0);
        else
            descend(0, 0, nullptr);
        return;
    }
    const Word* current = m_data.row(pos(0));
    int count = m_data.rowCount[static_cast<size_t>(pos(0))];
    for (int j = 1; j < fixed; ++j) {
        Word* slot = m_stack.data() + static_cast<size_t>(j) * static_cast<size_t>(m_words);
        count = m_kernels.andInto(slot, current, m_data.row(pos(j)), m_words);
        current = slot;
    }
    if (count >= m_record)
        descend(fixed, pos(fixed - 1) + 1, current);
}

void MostFrequentWalk::descend(int depth, int from, const Word* parent)
{
    for (int q = from; q <= m_k - m_r + depth; ++q) {
        pos(depth) = q;
        if (checkpoint(depth))
            return;
        const Word* current;
        int count;
        if (depth == 0) {
            current = m_data.row(q);
            count = m_data.rowCount[static_cast<size_t>(q)];
        } else {
            Word* slot = m_stack.data() + static_cast<size_t>(depth) * static_cast<size_t>(m_words);
            count = m_kernels.andInto(slot, parent, m_data.row(q), m_words);
            current = slot;
        }
        // Counts only fall as numbers are added: below the record, nothing under this
        // prefix can be listed, and skipping it leaves the record unchanged.
        if (count < m_record)
            continue;
        if (depth == m_r - 2)
            leaves(current, count);
        else if (depth == m_r - 3 && pairsCheaper(count, q))
            pairLeaves(current, q);
        else
            descend(depth + 1, q + 1, current);
        if (m_stopped)
            return;
    }
}

void MostFrequentWalk::record(int x, int count)
{
    if (count >= m_record) {
        pos(m_r - 1) = x;
        write(CombinationWalk::mostFrequentLine(currentText(), count), count);
    }
}

void MostFrequentWalk::leaves(const Word* prefix, int prefixCount)
{
    const int after = m_r >= 2 ? pos(m_r - 2) : -1;
    const int candidates = m_k - 1 - after;
    if (candidates <= 0)
        return;
    if (m_r == 1) {
        for (int x = 0; x < m_k; ++x)
            record(x, m_data.rowCount[static_cast<size_t>(x)]);
        return;
    }
    // Few draws hold the prefix: count every candidate at once from those draws' lists
    // instead of intersecting each candidate's whole bitset.
    const int draws = m_data.draws;
    const double perDraw = draws > 0 ? static_cast<double>(m_data.appearances) / draws : 0.0;
    const double sparseCost = m_words + 2.0 * prefixCount * perDraw * candidates / std::max(m_k, 1);
    const double denseCost = static_cast<double>(candidates) * m_words;
    if (sparseCost < denseCost) {
        m_data.buildDrawLists();
        const int stride = m_data.stride;
        for (int w = 0; w < m_words; ++w) {
            for (Word bits = prefix[w]; bits; bits &= bits - 1) {
                const size_t d = static_cast<size_t>(w * 64 + std::countr_zero(bits));
                const std::uint8_t* list = m_data.lists.data() + d * static_cast<size_t>(stride);
                for (int i = m_data.listLength[d] - 1; i >= 0 && list[i] > after; --i)
                    ++m_counter[list[i]];
            }
        }
        for (int x = after + 1; x < m_k; ++x) {
            const int c = m_counter[static_cast<size_t>(x)];
            m_counter[static_cast<size_t>(x)] = 0;
            record(x, c);
        }
    } else {
        for (int x = after + 1; x < m_k; ++x)
            record(x, m_kernels.andCount(prefix, m_data.row(x), m_words));
    }
}

bool MostFrequentWalk::pairsCheaper(int prefixCount, int after) const
{
    const int draws = m_data.draws;
    const double perDraw = draws > 0 ? static_cast<double>(m_data.appearances) / draws : 0.0;
    const double higher = perDraw * (m_k - 1 - after) / std::max(m_k, 1);
    // Scattered increments cost more than streamed words.
    const double pairCost = 1.5 * (m_words + prefixCount * (1.0 + higher + higher * higher / 2.0));
    // One level down: an intersection per next number, then its last numbers.
    const double childCount = prefixCount * perDraw / std::max(m_k, 1);
    double stepCost = 0;
    for (int a = after + 1; a <= m_k - 2 && stepCost < pairCost; ++a) {
        const int rest = m_k - 1 - a;
        const double dense = static_cast<double>(rest) * m_words;
        const double sparse = m_words + 2.0 * childCount * perDraw * rest / std::max(m_k, 1);
        stepCost += m_words + std::min(dense, sparse);
    }
    return pairCost < stepCost;
}

void MostFrequentWalk::pairLeaves(const Word* prefix, int after)
{
    m_data.buildDrawLists();
    if (m_pairs.empty())
        m_pairs.assign(static_cast<size_t>(m_k) * static_cast<size_t>(m_k), 0);
    const size_t k = static_cast<size_t>(m_k);
    const size_t stride = static_cast<size_t>(m_data.stride);
    m_hits.clear();
    for (int w = 0; w < m_words; ++w) {
        for (Word bits = prefix[w]; bits; bits &= bits - 1)
            m_hits.push_back(w * 64 + std::countr_zero(bits));
    }
    // The draws' lists are scattered over the whole history: fetch a few draws ahead.
    constexpr size_t kAhead = 8;
    const size_t hits = m_hits.size();
    for (size_t h = 0; h < hits; ++h) {
        if (h + kAhead < hits) {
            const size_t ahead = static_cast<size_t>(m_hits[h + kAhead]);
            __builtin_prefetch(m_data.lists.data() + ahead * stride + stride - 1);
            __builtin_prefetch(m_data.listLength.data() + ahead);
        }
        {
            const size_t d = static_cast<size_t>(m_hits[h]);
            const std::uint8_t* list = m_data.lists.data() + d * stride;
            const int length = m_data.listLength[d];
            int from = length;
            while (from > 0 && list[from - 1] > after)
                --from;
            for (int i = from; i < length; ++i) {
                ++m_counter[list[i]];
                int* row = m_pairs.data() + list[i] * k;
                for (int j = i + 1; j < length; ++j)
                    ++row[list[j]];
            }
        }
    }
    for (int a = after + 1; a <= m_k - 2 && !m_stopped; ++a) {
        pos(m_r - 2) = a;
        if (checkpoint(m_r - 2))
            break;
        if (m_counter[static_cast<size_t>(a)] < m_record)
            continue;
        const int* row = m_pairs.data() + static_cast<size_t>(a) * k;
        for (int b = a + 1; b < m_k; ++b)
            record(b, row[b]);
    }
    for (int a = after + 1; a < m_k; ++a) {
        m_counter[static_cast<size_t>(a)] = 0;
        std::fill_n(m_pairs.data() + static_cast<size_t>(a) * k + static_cast<size_t>(a) + 1, m_k - a - 1, 0);
    }
}

} // namespace CombinationEngine
