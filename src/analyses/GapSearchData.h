// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/AndKernels.h"
#include "history/DrawMatrix.h"

#include <QList>
#include <vector>

namespace CombinationEngine {

// What every thread of the gap search reads: the chosen numbers' bitsets from draw 0 to the
// start draw.
struct GapSearchData {
    GapSearchData(const DrawMatrix& matrix, int start, const QList<int>& chosen, int r, int s);
    const Word* row(int q) const { return rows.data() + static_cast<size_t>(q) * static_cast<size_t>(words); }

    const DrawMatrix& matrix;
    const int start;
    const int s;
    int words = 0;
    Word topMask = 0;
    std::vector<Word> rows;
    int slices = 1;
    bool allOf = false;
};

} // namespace CombinationEngine
