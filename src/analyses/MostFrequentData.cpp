// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/MostFrequentData.h"

#include "analyses/DrawBits.h"

#include <algorithm>
#include <bit>

namespace CombinationEngine {

MostFrequentData::MostFrequentData(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen)
    : kernels(AndKernels::best())
{
    k = static_cast<int>(chosen.size());
    const int first = std::max(period.first, 0);
    const int last = std::min(period.last, matrix.columns() - 1);
    draws = std::max(last - first + 1, 0);
    words = DrawBits::wordsFor(draws);
    rows.resize(static_cast<size_t>(k) * static_cast<size_t>(words));
    rowCount.resize(static_cast<size_t>(k));
    for (int q = 0; q < k; ++q) {
        const int n = chosen[q];
        Word* row = rows.data() + static_cast<size_t>(q) * static_cast<size_t>(words);
        if (draws > 0)
            DrawBits::extract(matrix, n >= 1 && n <= matrix.formula().numbers ? n : -1, first, last, row);
        int c = 0;
        for (int w = 0; w < words; ++w)
            c += std::popcount(row[w]);
        rowCount[static_cast<size_t>(q)] = c;
        appearances += c;
    }
}

void MostFrequentData::buildDrawLists()
{
    std::call_once(listsBuilt, [this] {
        // For every draw, the positions of the chosen numbers it holds, ascending.
        listLength.assign(static_cast<size_t>(draws), 0);
        for (int q = 0; q < k; ++q) {
            for (int w = 0; w < words; ++w) {
                for (Word bits = row(q)[w]; bits; bits &= bits - 1)
                    ++listLength[static_cast<size_t>(w * 64 + std::countr_zero(bits))];
            }
        }
        stride = 0;
        for (std::uint8_t len : listLength)
            stride = std::max(stride, static_cast<int>(len));
        lists.assign(static_cast<size_t>(draws) * static_cast<size_t>(stride), 0);
        std::fill(listLength.begin(), listLength.end(), std::uint8_t{0});
        for (int q = 0; q < k; ++q) {
            for (int w = 0; w < words; ++w) {
                for (Word bits = row(q)[w]; bits; bits &= bits - 1) {
                    const size_t d = static_cast<size_t>(w * 64 + std::countr_zero(bits));
                    lists[d * static_cast<size_t>(stride) + listLength[d]++] = static_cast<std::uint8_t>(q);
                }
            }
        }
    });
}

} // namespace CombinationEngine
