// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace CombinationEngine {

using Word = std::uint64_t;

// The two loops everything rests on: a bitwise AND of two rows of words, counted with popcount.
struct AndKernels {
    int (*andInto)(Word*, const Word*, const Word*, int);
    int (*andCount)(const Word*, const Word*, int);

    // The fastest copy this processor runs.
    static const AndKernels& best();
};

} // namespace CombinationEngine
