// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/Wager.h"

#include <algorithm>

int Wager::multiplierOf(int item) const
{
    if (item < 0 || item >= static_cast<int>(multipliers.size()))
        return 0;
    return multipliers[static_cast<size_t>(item)];
}

int Wager::factor(int item) const
{
    return stake.multiplier ? std::max(multiplierOf(item), Stake::kNoMultiplier) : 1;
}

int Wager::unknownMultipliers(int first, int last) const
{
    if (!stake.multiplier)
        return 0;
    int unknown = 0;
    for (int d = std::max(first, 0); d <= last; ++d)
        if (multiplierOf(d) <= 0)
            ++unknown;
    return unknown;
}

std::map<int, int> Wager::factorCounts(int first, int last) const
{
    std::map<int, int> counts;
    for (int d = std::max(first, 0); d <= last; ++d)
        ++counts[factor(d)];
    return counts;
}

QString Wager::unknownMultipliersLine(int first, int last) const
{
    const int unknown = unknownMultipliers(first, last);
    if (unknown == 0)
        return QString();
    return QStringLiteral("%1 %2 sans multiplicateur connu, %3 avec ×%4")
        .arg(unknown)
        .arg(unknown > 1 ? QStringLiteral("tirages") : QStringLiteral("tirage"))
        .arg(unknown > 1 ? QStringLiteral("comptés") : QStringLiteral("compté"))
        .arg(Stake::kNoMultiplier);
}
