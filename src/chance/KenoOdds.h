// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <array>

// The exact odds of the pay table for a one-euro stake: how likely each number of matches is
// when k numbers are played, and what the table returns on average.
struct KenoOddsRow {
    int k = 0;
    std::array<double, 11> probability{}; // m matched, 0..10
    double expectedReturn = 0; // euros back per euro staked
    double variance = 0; // of the amount paid by one draw
    double anyPrize = 0; // the table pays something
    double profit = 0; // the table pays more than the stake
};

namespace KenoOdds {

KenoOddsRow row(int k);
// "Cotes du Keno": one block per k = 1..10.
QStringList report();

} // namespace KenoOdds
