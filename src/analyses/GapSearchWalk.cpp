// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/GapSearchWalk.h"

#include "analyses/CombinationWalk.h"
#include "analyses/DrawBits.h"

#include <algorithm>
#include <bit>

namespace CombinationEngine {

GapSearchWalk::GapSearchWalk(WalkPlan& plan, const GapSearchData& data) : WalkBase(plan), m_data(data), m_words(data.words)
{
    m_cache.resize(static_cast<size_t>(m_words) * static_cast<size_t>(data.allOf ? 1 : data.slices));
}

void GapSearchWalk::run(WalkChunk& chunk, size_t index)
{
    const int fixed = enter(chunk, index);
    if (fixed == 0) {
        if (m_r == 1)
            leaves(-1);
        else
            descend(0, 0);
        return;
    }
    descend(fixed, pos(fixed - 1) + 1);
}

void GapSearchWalk::listIfOlder(int d)
{
    if (d >= m_record)
        return;
    int present = 0;
    for (int i = 0; i < m_r; ++i)
        present += DrawBits::holds(m_data.matrix, m_chosen[pos(i)], d) ? 1 : 0;
    write(CombinationWalk::gapLine(currentText(), present, m_data.start - d), d);
}

void GapSearchWalk::descend(int depth, int from)
{
    for (int q = from; q <= m_k - m_r + depth; ++q) {
        pos(depth) = q;
        if (depth == m_r - 2) {
            m_cacheFrom = m_words; // a new prefix: nothing of it computed yet
            leaves(q);
        } else {
            descend(depth + 1, q + 1);
        }
        if (m_stopped)
            return;
    }
}

void GapSearchWalk::extendCache(int w)
{
    const int lo = std::max(0, std::min(w, m_cacheFrom - 8));
    const int prefixSize = m_r - 1;
    if (m_data.allOf) {
        for (int i = lo; i < m_cacheFrom; ++i) {
            Word v = ~Word{0};
            for (int j = 0; j < prefixSize; ++j)
                v &= m_data.row(pos(j))[i];
            m_cache[static_cast<size_t>(i)] = v;
        }
    } else {
        const int slices = m_data.slices;
        for (int i = lo; i < m_cacheFrom; ++i) {
            Word* c = m_cache.data() + static_cast<size_t>(i) * static_cast<size_t>(slices);
            std::fill(c, c + slices, Word{0});
            for (int j = 0; j < prefixSize; ++j)
                addTo(c, m_data.row(pos(j))[i]);
        }
    }
    m_cacheFrom = lo;
}

void GapSearchWalk::addTo(Word* c, Word carry) const
{
    for (int b = 0; b < m_data.slices && carry; ++b) {
        const Word next = c[b] & carry;
        c[b] ^= carry;
        carry = next;
    }
}

Word GapSearchWalk::atLeast(const Word* c) const
{
    Word greater = 0, equal = ~Word{0};
    for (int b = m_data.slices - 1; b >= 0; --b) {
        if ((m_data.s >> b) & 1) {
            equal &= c[b];
        } else {
            greater |= equal & c[b];
            equal &= ~c[b];
        }
    }
    return greater | equal;
}

void GapSearchWalk::leaves(int after)
{
    if (m_r == 1)
        m_cacheFrom = m_words;
    const int slices = m_data.slices;
    for (int x = after + 1; x < m_k; ++x) {
        pos(m_r - 1) = x;
        if (checkpoint(m_r - 1))
            return;
        const Word* last = m_data.row(x);
        for (int w = m_words - 1; w >= 0; --w) {
            if (w < m_cacheFrom)
                extendCache(w);
            Word hits;
            if (m_data.allOf) {
                hits = m_cache[static_cast<size_t>(w)] & last[w];
            } else {
                Word c[8];
                std::copy_n(m_cache.data() + static_cast<size_t>(w) * static_cast<size_t>(slices), slices, c);
                addTo(c, last[w]);
                hits = atLeast(c);
            }
            if (w == m_words - 1)
                hits &= m_data.topMask;
            // The newest qualifying draw ends the scan; it is listed only when older
            // than the record.
            if (hits) {
                listIfOlder(w * 64 + 63 - std::countl_zero(hits));
                break;
            }
        }
    }
}

} // namespace CombinationEngine
