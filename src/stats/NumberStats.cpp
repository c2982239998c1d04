// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/NumberStats.h"

#include <algorithm>
#include <bit>

NumberStats computeStatsNaive(const DrawMatrix& matrix, StudyPeriod& period)
{
    NumberStats s;
    s.formula = matrix.formula().id;
    if (period.first < 0)
        period.first = 0;
    const int numbers = matrix.formula().numbers;
    for (int d = period.first; d <= period.last; ++d) {
        for (int n = 1; n <= numbers; ++n) {
            if (matrix.contains(n, d)) {
                s.appearances[n] += 1;
                s.currentGap[n] = 0;
            } else {
                s.currentGap[n] += 1;
                if (s.currentGap[n] > s.largestGap[n])
                    s.largestGap[n] = s.currentGap[n];
            }
        }
    }
    return s;
}

NumberStats computeStats(const DrawMatrix& matrix, StudyPeriod& period)
{
    NumberStats s;
    s.formula = matrix.formula().id;
    if (period.first < 0)
        period.first = 0;
    if (period.last < period.first)
        return s;
    const int first = period.first;
    // Columns past the matrix hold no number.
    const int inMatrix = std::min(period.last, matrix.columns() - 1);

    for (int n = 1; n <= matrix.formula().numbers; ++n) {
        const std::uint64_t* row = matrix.row(n);
        int appearances = 0, largest = 0;
        int lastSeen = first - 1; // draw before the first counted one
        if (inMatrix >= first) {
            const int w0 = first / 64, w1 = inMatrix / 64;
            for (int w = w0; w <= w1; ++w) {
                std::uint64_t word = row[w];
                if (w == w0)
                    word &= ~std::uint64_t{0} << (first % 64);
                if (w == w1 && inMatrix % 64 != 63)
                    word &= (std::uint64_t{1} << (inMatrix % 64 + 1)) - 1;
                appearances += std::popcount(word);
                while (word) {
                    const int d = w * 64 + std::countr_zero(word);
                    largest = std::max(largest, d - lastSeen - 1);
                    lastSeen = d;
                    word &= word - 1;
                }
            }
        }
        const int current = period.last - lastSeen;
        s.appearances[n] = appearances;
        s.currentGap[n] = current;
        s.largestGap[n] = std::max(largest, current);
    }
    return s;
}
