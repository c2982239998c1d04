// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/GapSearchData.h"

#include "analyses/DrawBits.h"

#include <algorithm>
#include <bit>

namespace CombinationEngine {

GapSearchData::GapSearchData(const DrawMatrix& matrix, int start, const QList<int>& chosen, int r, int s)
    : matrix(matrix), start(start), s(s)
{
    const int k = static_cast<int>(chosen.size());
    words = start / 64 + 1;
    topMask = start % 64 == 63 ? ~Word{0} : (Word{1} << (start % 64 + 1)) - 1;
    rows.resize(static_cast<size_t>(k) * static_cast<size_t>(words));
    for (int q = 0; q < k; ++q) {
        const int n = chosen[q];
        DrawBits::extract(matrix, n >= 1 && n <= matrix.formula().numbers ? n : -1, 0, start,
                          rows.data() + static_cast<size_t>(q) * static_cast<size_t>(words));
    }
    slices = std::bit_width(static_cast<unsigned>(std::max(r, 1)));
    allOf = s == r;
}

} // namespace CombinationEngine
