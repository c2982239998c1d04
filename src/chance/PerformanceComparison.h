// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <QStringList>
#include <vector>

// The lines that follow "Performance": the set's actual return and its count of matches, each
// set against its exact law under pure chance over the same number of draws (mean, median and
// 95 % band). Empty when nothing is staked (fewer than 2 or more than 10 numbers), so
// "Performance" then reads as it always did.
namespace PerformanceComparison {

// Same arguments as Performance::evaluate: `ticked` in any order, duplicates and numbers
// outside 1..70 ignored; a period starting below 0 starts at 0.
QStringList lines(const DrawMatrix& matrix, const StudyPeriod& period, const std::vector<int>& ticked);

} // namespace PerformanceComparison
