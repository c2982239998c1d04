// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/AndKernels.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <QList>
#include <cstdint>
#include <mutex>
#include <vector>

namespace CombinationEngine {

// What every thread of "Plus sortis" reads: the chosen numbers' bitsets over the period and,
// built once when first wanted, each draw's list of the chosen numbers it holds.
struct MostFrequentData {
    MostFrequentData(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen);

    const Word* row(int q) const { return rows.data() + static_cast<size_t>(q) * static_cast<size_t>(words); }

    void buildDrawLists();

    const AndKernels& kernels;
    int k = 0;
    int draws = 0;
    int words = 0;
    std::vector<Word> rows;
    std::vector<int> rowCount;
    long long appearances = 0;
    std::once_flag listsBuilt;
    std::vector<std::uint8_t> lists;
    std::vector<std::uint8_t> listLength;
    int stride = 0;
};

} // namespace CombinationEngine
