// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"
#include "history/Wager.h"

#include <QStringList>
#include <array>
#include <functional>
#include <map>
#include <optional>

// The exact odds of the pay table for the player's stake: how likely each number of matches is
// when k numbers are played, and what the table returns on average.
struct KenoOddsRow {
    int k = 0;
    std::array<double, PayTable::kMaxTicked + 1> probability{}; // m matched, 0..k
    std::array<std::optional<qint64>, PayTable::kMaxTicked + 1> amount{}; // for the stake; nullopt: unknown
    // Every amount of the row is known; the four figures below are computed only then.
    bool known = true;
    double expectedReturn = 0; // euros back per euro staked
    double variance = 0; // of the amount paid by one draw
    double anyPrize = 0; // the table pays something
    double profit = 0; // the table pays more than the stake
    // With the option: the 95 % intervals of the return and of the profit's chance from the
    // multipliers' observed counts (the figures themselves without it).
    double returnLow = 0, returnHigh = 0;
    double profitLow = 0, profitHigh = 0;
};

// The multiplier's law as the history shows it: multiplier -> draws, and the draws without one.
struct MultiplierCounts {
    std::map<int, int> counts;
    int unknown = 0;

    static MultiplierCounts of(const Wager& wager, int draws);
    int known() const;
    double mean() const;
    // The 95 % interval of the mean of `f` (the multiplier by default) over the multiplier's
    // law, any multiplier the operator draws being possible: see BoundedMean.
    std::pair<double, double> meanInterval() const;
    std::pair<double, double> meanInterval(const std::function<double(int)>& f) const;
    // The 95 % interval of how often `value` is drawn.
    std::pair<double, double> shareInterval(int value) const;
};

namespace KenoOdds {

KenoOddsRow row(int k, const Formula& formula = Formula::classic());
// The same for `stake` on `table`; with the option, the multiplier drawn from `multipliers`'
// law (a row whose return is not computed when none is known).
KenoOddsRow row(int k, const Formula& formula, const PayTable& table, const Stake& stake,
                const MultiplierCounts& multipliers = {});
// "Cotes du Keno": one block per number of numbers a player may tick.
QStringList report(const Formula& formula = Formula::classic());
// The same for the stake of `wager` on its table, the multiplier's law read from its first
// `draws` items.
QStringList report(const Formula& formula, const Wager& wager, int draws);

} // namespace KenoOdds
