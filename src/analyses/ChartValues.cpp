// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/ChartValues.h"

namespace ChartValues {

namespace {
Series make(const QString& title, const std::array<int, Formula::kMaxNumber + 1>& figures, const Formula& formula)
{
    Series series{title, {}};
    series.values.reserve(formula.numbers);
    for (int n = 1; n <= formula.numbers; ++n)
        series.values << figures[static_cast<size_t>(n)];
    return series;
}
} // namespace

Series sorties(const NumberStats& stats, const Formula& formula)
{
    return make(QStringLiteral("Sorties"), stats.appearances, formula);
}

Series ecarts(const NumberStats& stats, const Formula& formula)
{
    return make(QStringLiteral("Ecarts"), stats.currentGap, formula);
}

} // namespace ChartValues
