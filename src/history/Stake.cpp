// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/Stake.h"

#include <algorithm>

bool Stake::allowed(int euros)
{
    return std::find(kEuros.begin(), kEuros.end(), euros) != kEuros.end();
}

std::optional<qint64> Stake::win(const PayTable& table, int k, int m, int drawMultiplier) const
{
    const std::optional<qint64> amount = table.amount(k, m);
    if (!amount)
        return std::nullopt;
    const qint64 factor = multiplier ? std::max(drawMultiplier, kNoMultiplier) : 1;
    return *amount * euros * factor;
}

QString Stake::label() const
{
    const QString base = QStringLiteral("%1 €").arg(euros);
    return multiplier ? base + QStringLiteral(" avec l'option multiplicateur") : base;
}
