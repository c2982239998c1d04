// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"
#include "history/Stake.h"

#include <QString>
#include <map>
#include <optional>
#include <vector>

// What a money report pays with: the pay table in force, the player's stake and option, and the
// multiplier of every item of the draw list (0 where none is known). Copied whole, so a report
// can run away from the window's thread.
struct Wager {
    PayTable table;
    Stake stake;
    std::vector<int> multipliers;

    Wager() = default;
    explicit Wager(const PayTable& payTable, const Stake& played = {}, std::vector<int> perItem = {})
        : table(payTable), stake(played), multipliers(std::move(perItem))
    {
    }

    // The multiplier item `item` was drawn with, 0 when unknown.
    int multiplierOf(int item) const;
    // What winnings of draw `item` are multiplied by: its multiplier with the option (1 when it
    // is unknown), 1 without.
    int factor(int item) const;
    // What k numbers with m matched win on draw `item`; nullopt when the table lacks the amount.
    std::optional<qint64> win(int k, int m, int item) const { return stake.win(table, k, m, multiplierOf(item)); }
    // The draws first..last whose multiplier is unknown, when the option makes it matter.
    int unknownMultipliers(int first, int last) const;
    // How often each factor came over first..last: factor -> draws (all 1 without the option).
    std::map<int, int> factorCounts(int first, int last) const;
    // « 12 tirages sans multiplicateur connu, comptés avec ×1 », empty when there is none.
    QString unknownMultipliersLine(int first, int last) const;
};
