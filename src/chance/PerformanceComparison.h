// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"
#include "history/Wager.h"

#include <QStringList>
#include <vector>

// The lines that follow "Performance": the set's actual return and its count of matches, each
// set against its exact law under pure chance over the same number of draws (mean, median and
// 95 % band), on the laws of the matrix's game. Empty when nothing is staked (one number, or
// fewer or more than the game lets a player tick), so "Performance" then reads as it always did.
// Without every amount of the pay table's row, the return is left out and the report says so.
namespace PerformanceComparison {

// Same arguments as Performance::evaluate: `ticked` in any order, duplicates and numbers
// outside the game's numbers ignored; a period starting below 0 starts at 0.
QStringList lines(const DrawMatrix& matrix, const StudyPeriod& period, const std::vector<int>& ticked);
// The same for `wager`: its table, its stake and, with the option, each draw's multiplier, which
// a random player on the same draws is paid with too.
QStringList lines(const DrawMatrix& matrix, const StudyPeriod& period, const std::vector<int>& ticked, const Wager& wager);

} // namespace PerformanceComparison
