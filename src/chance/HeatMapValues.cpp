// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/HeatMapValues.h"

#include "chance/ChanceMath.h"

#include <algorithm>
#include <cmath>

namespace HeatMapValues {

double standardisedDeviation(int appearances, int draws, const Formula& formula)
{
    if (draws <= 0)
        return 0.0;
    const double p = ChanceMath::drawShare(formula);
    return (appearances - draws * p) / std::sqrt(draws * p * (1.0 - p));
}

int periodLength(const StudyPeriod& period)
{
    return std::max(0, period.last - std::max(0, period.first) + 1);
}

std::array<double, Formula::kMaxNumber + 1> deviations(const NumberStats& stats, int draws, const Formula& formula)
{
    std::array<double, Formula::kMaxNumber + 1> z{};
    for (int n = 1; n <= formula.numbers; ++n)
        z[static_cast<size_t>(n)] = standardisedDeviation(stats.appearances[static_cast<size_t>(n)], draws, formula);
    return z;
}

} // namespace HeatMapValues
