// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers of the chance tests: draws with a planted dependency, the figures a report line prints,
// and the Keno odds worked out from exact whole numbers.
#include "support/NewGameSupport.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

namespace ChanceSupport {

using TestSupport::Draws;

inline bool has(const std::vector<int>& draw, int n)
{
    return std::find(draw.begin(), draw.end(), n) != draw.end();
}

// Puts n into the draw in place of a number other than `keep`.
inline void plant(std::vector<int>& draw, int n, int keep)
{
    if (has(draw, n))
        return;
    for (int& x : draw)
        if (x != keep) {
            x = n;
            return;
        }
}

// Slips n into about `share` of the draws without it, in place of a number other than `keep`.
inline void plantOften(Draws& draws, int n, double share, unsigned seed, int keep)
{
    std::mt19937 rng(seed);
    std::bernoulli_distribution slip(share);
    for (auto& d : draws)
        if (!has(d, n) && slip(rng))
            plant(d, n, keep);
}

inline StudyPeriod whole(const Draws& draws)
{
    return {0, static_cast<int>(draws.size()) - 1};
}

inline int countContaining(const QStringList& lines, const QString& text)
{
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(text); }));
}

// The figure a line prints after `marker` ("0,047", "1,7e-22"), -1 without the marker.
inline long double printed(const QString& line, QStringView marker)
{
    const qsizetype at = line.indexOf(marker);
    if (at < 0)
        return -1;
    const QString text = line.mid(at + marker.size()).section(QLatin1Char(' '), 0, 0).replace(QLatin1Char(','), QLatin1Char('.'));
    return std::strtold(text.toStdString().c_str(), nullptr);
}

// A printed probability agrees with the exact one to the digits it shows: three decimals, four
// below 0,01, two significant digits below 0,001.
inline bool agrees(long double shown, long double exact)
{
    exact = std::min(exact, 1.0L);
    const long double tolerance = exact < 0.001L ? 0.051L * exact : exact < 0.01L ? 0.00005L : 0.0005L;
    return std::abs(shown - exact) <= tolerance * 1.0001L;
}

inline unsigned long long choose(int n, int r)
{
    if (r < 0 || r > n)
        return 0;
    unsigned long long c = 1;
    for (int i = 1; i <= r; ++i)
        c = c * static_cast<unsigned long long>(n - r + i) / static_cast<unsigned long long>(i);
    return c;
}

// P(m of k played among the `drawn` drawn of `numbers` (20 of 70 unless told)), as an exact
// ratio of whole numbers.
inline double odds(int k, int m, int numbers = 70, int drawn = 20)
{
    return static_cast<double>(choose(drawn, m) * choose(numbers - drawn, k - m)) / static_cast<double>(choose(numbers, k));
}

// The new game's draws (seeded) and their matrix, as the new game's support makes them.
inline Draws newGameDraws(int count, unsigned seed)
{
    return NewGameSupport::randomDraws(count, seed);
}
inline DrawMatrix newGameMatrix(const Draws& draws)
{
    return NewGameSupport::matrixOf(draws);
}

// The new game with every amount of its pay table filled (m matched of k pays m² − 1 euros
// from 2 on, 0 below): a table of the test's own, so the laws that need a whole row can run.
inline Formula newGameWithFullTable()
{
    Formula f = Formula::current();
    for (int k = f.minTicked; k <= f.maxTicked; ++k)
        for (int m = 0; m <= k; ++m)
            f.payTable.amounts[static_cast<size_t>(k)][static_cast<size_t>(m)] = m >= 2 ? m * m - 1 : 0;
    return f;
}

} // namespace ChanceSupport
