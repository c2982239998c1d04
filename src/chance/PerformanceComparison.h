#pragma once

#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <QStringList>
#include <vector>

// The lines that follow "Performance": the set's actual return set against the return the pay
// table promises on average for that many draws, with its 95 % interval. Empty when nothing is
// staked (fewer than 2 or more than 10 numbers), so "Performance" then reads as it always did.
namespace PerformanceComparison {

// Same arguments as Performance::evaluate: `ticked` in any order, duplicates and numbers
// outside 1..70 ignored; a period starting below 0 starts at 0.
QStringList lines(const DrawMatrix& matrix, const StudyPeriod& period, const std::vector<int>& ticked);

// The 95 % interval of the total paid over `draws` draws playing k numbers (normal approximation).
struct Interval {
    double expected = 0, low = 0, high = 0;
};
Interval expectedTotal(int k, int draws);

} // namespace PerformanceComparison
