// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <array>

// Appearances, current gap and largest gap of every number of a game over a study period.
struct NumberStats {
    std::array<int, Formula::kMaxNumber + 1> appearances{};
    std::array<int, Formula::kMaxNumber + 1> currentGap{};
    std::array<int, Formula::kMaxNumber + 1> largestGap{};
    FormulaId formula = FormulaId::Keno20of70; // the game of the matrix: numbers 1..numbers count

    const Formula& game() const { return Formula::get(formula); }

    bool operator==(const NumberStats&) const = default;
};

// Computes the statistics of numbers 1..formula.numbers of the matrix's game over
// [period.first, period.last] (negative first
// clamped to 0 in `period`). Works 64 draws at a time on the matrix rows.
NumberStats computeStats(const DrawMatrix& matrix, StudyPeriod& period);

// The draw-by-draw, number-by-number walk; kept as the reference for tests and benchmarks.
NumberStats computeStatsNaive(const DrawMatrix& matrix, StudyPeriod& period);
