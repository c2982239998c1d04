// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/FigureText.h"

#include "chance/ChanceText.h"

#include <cmath>

namespace FigureText {

// Grouping, rounding and the decimal comma are the chance reports' own, so every chance figure
// reads alike.
QString whole(qint64 value)
{
    return ChanceText::grouped(value);
}

QString decimal(double value, int places)
{
    return ChanceText::grouped(value, places);
}

QString amount(double value)
{
    const double rounded = std::round(value);
    if (std::abs(value) >= 1000 || std::abs(value - rounded) < 0.05)
        return whole(static_cast<qint64>(rounded));
    return decimal(value, 1);
}

QString euros(double value)
{
    // Below 1.95 the amount is written below 2 (1,9 or 1 or 0).
    return amount(value) + (std::abs(value) < 1.95 ? QStringLiteral(" €uro") : QStringLiteral(" €uros"));
}

QString probability(double p)
{
    return ChanceText::probability(p);
}

QString percent(double share)
{
    return ChanceText::percent(share, 1);
}

} // namespace FigureText
