// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/AndKernels.h"
#include "analyses/GapSearchData.h"
#include "analyses/WalkBase.h"

#include <vector>

namespace CombinationEngine {

class GapSearchWalk : public WalkBase {
public:
    GapSearchWalk(WalkPlan& plan, const GapSearchData& data);

    void run(WalkChunk& chunk, size_t index) override;

private:
    void listIfOlder(int d);

    void descend(int depth, int from);

    // Computes the prefix's words down to word w (at least a few at a time), newest first.
    void extendCache(int w);

    // Adds one bit per draw to a bit-sliced counter (slice 0 holds the units).
    void addTo(Word* c, Word carry) const;

    // The draws whose counter is at least s.
    Word atLeast(const Word* c) const;

    void leaves(int after);

    const GapSearchData& m_data;
    const int m_words;
    std::vector<Word> m_cache;
    int m_cacheFrom = 0;
};

} // namespace CombinationEngine
