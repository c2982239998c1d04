// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/ChartValues.h"

namespace ChartValues {

namespace {
Series make(const QString& title, const std::array<int, 71>& figures)
{
    Series series{title, {}};
    series.values.reserve(70);
    for (int n = 1; n <= 70; ++n)
        series.values << figures[static_cast<size_t>(n)];
    return series;
}
} // namespace

Series sorties(const NumberStats& stats)
{
    return make(QStringLiteral("Sorties"), stats.appearances);
}

Series ecarts(const NumberStats& stats)
{
    return make(QStringLiteral("Ecarts"), stats.currentGap);
}

} // namespace ChartValues
