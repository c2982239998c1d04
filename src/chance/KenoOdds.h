// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QStringList>
#include <array>
#include <optional>

// The exact odds of the pay table for a one-euro stake: how likely each number of matches is
// when k numbers are played, and what the table returns on average.
struct KenoOddsRow {
    int k = 0;
    std::array<double, PayTable::kMaxTicked + 1> probability{}; // m matched, 0..k
    std::array<std::optional<qint64>, PayTable::kMaxTicked + 1> amount{}; // nullopt: unknown
    // Every amount of the row is known; the four figures below are computed only then.
    bool known = true;
    double expectedReturn = 0; // euros back per euro staked
    double variance = 0; // of the amount paid by one draw
    double anyPrize = 0; // the table pays something
    double profit = 0; // the table pays more than the stake
};

namespace KenoOdds {

KenoOddsRow row(int k, const Formula& formula = Formula::classic());
// "Cotes du Keno": one block per number of numbers a player may tick.
QStringList report(const Formula& formula = Formula::classic());

} // namespace KenoOdds
