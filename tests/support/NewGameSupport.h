// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawMatrix.h"
#include "stats/NumberStats.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

// Histories of the sixteen-of-fifty-six game made in the test, with the game's figures written
// here rather than read from the program, and counts made from them by brute force.
namespace NewGameSupport {

inline constexpr int kNumbers = 56;
inline constexpr int kDrawn = 16;

using Draws = std::vector<std::vector<int>>;

// `count` draws of sixteen distinct numbers of 1..56, in the order drawn (seeded).
inline Draws randomDraws(int count, unsigned seed)
{
    std::mt19937 rng(seed);
    Draws draws;
    for (int i = 0; i < count; ++i) {
        std::vector<int> pool(kNumbers);
        std::iota(pool.begin(), pool.end(), 1);
        for (int k = 0; k < kDrawn; ++k) {
            std::uniform_int_distribution<int> pick(k, kNumbers - 1);
            std::swap(pool[static_cast<size_t>(k)], pool[static_cast<size_t>(pick(rng))]);
        }
        pool.resize(kDrawn);
        draws.push_back(pool);
    }
    return draws;
}

// The matrix of the draws and one empty trailing column, marked as the new game's.
inline DrawMatrix matrixOf(const Draws& draws)
{
    DrawMatrix m;
    m.setFormula(FormulaId::Keno16of56);
    m.resize(static_cast<int>(draws.size()) + 1);
    for (size_t d = 0; d < draws.size(); ++d)
        for (int n : draws[d])
            m.set(n, static_cast<int>(d), true);
    return m;
}

// The draw lines, one a day from 03/11/2025, numbers in drawn order, then the trailing empty item.
inline QStringList linesOf(const Draws& draws)
{
    QStringList lines;
    QDate day(2025, 11, 3);
    for (const std::vector<int>& draw : draws) {
        QString line = day.toString(QStringLiteral("dd/MM/yyyy"));
        for (int n : draw)
            line += QStringLiteral(" %1").arg(n, 2, 10, QLatin1Char('0'));
        lines << line + QStringLiteral(" soir");
        day = day.addDays(1);
    }
    return lines << QString();
}

inline bool holds(const std::vector<int>& draw, int n)
{
    return std::find(draw.begin(), draw.end(), n) != draw.end();
}

// Appearances of every number over draws [first, last].
inline NumberStats appearances(const Draws& draws, int first, int last)
{
    NumberStats s;
    for (int d = first; d <= last; ++d)
        for (int n : draws[static_cast<size_t>(d)])
            ++s.appearances[static_cast<size_t>(n)];
    return s;
}

} // namespace NewGameSupport
