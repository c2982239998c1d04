// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/AndKernels.h"
#include "analyses/MostFrequentData.h"
#include "analyses/WalkBase.h"

#include <vector>

namespace CombinationEngine {

class MostFrequentWalk : public WalkBase {
public:
    MostFrequentWalk(WalkPlan& plan, MostFrequentData& data);

    void run(WalkChunk& chunk, size_t index) override;

private:
    void descend(int depth, int from, const Word* parent);

    void record(int x, int count);

    // The last number of every combination under the prefix, in ascending order.
    void leaves(const Word* prefix, int prefixCount);

    // Under a prefix held by few draws, the last two numbers of every combination are counted
    // at once: each draw adds one to every pair of its numbers placed after the prefix. The
    // single counts are the intersections the walk would compute one level down.
    bool pairsCheaper(int prefixCount, int after) const;

    void pairLeaves(const Word* prefix, int after);

    MostFrequentData& m_data;
    const AndKernels& m_kernels;
    const int m_words;
    std::vector<int> m_hits; // the draws holding the prefix
    std::vector<int> m_pairs;
    std::vector<Word> m_stack;
    std::vector<int> m_counter;
};

} // namespace CombinationEngine
