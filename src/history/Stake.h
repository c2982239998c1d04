// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QtGlobal>
#include <array>
#include <optional>

// How a player stakes a ticket on one draw: 1, 2, 3, 5 or 10 €, with or without the multiplier
// option. The option doubles the stake and multiplies the winnings by the draw's multiplier.
// The pay table pays for 1 €: a stake of N € wins N times its amount.
struct Stake {
    static constexpr std::array<int, 5> kEuros{1, 2, 3, 5, 10};
    // A draw no archive gives a multiplier for (before 2007) counts with this one.
    static constexpr int kNoMultiplier = 1;

    int euros = 1;
    bool multiplier = false;

    static bool allowed(int euros);
    // What one draw costs: the stake, doubled with the option.
    qint64 cost() const { return static_cast<qint64>(euros) * (multiplier ? 2 : 1); }
    // 1 € without the option: the reports read exactly as they do without any stake.
    bool isPlain() const { return euros == 1 && !multiplier; }
    // What k numbers with m matched win on a draw whose multiplier is `drawMultiplier` (0 or
    // less: none known, counted as kNoMultiplier); nullopt when `table` does not know the amount.
    std::optional<qint64> win(const PayTable& table, int k, int m, int drawMultiplier = 0) const;
    // "1 €", "2 € avec l'option multiplicateur" ...
    QString label() const;

    bool operator==(const Stake&) const = default;
};
