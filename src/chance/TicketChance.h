// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chance/TicketLedger.h"

#include <QString>
#include <QStringList>
#include <vector>

// Where the player's winnings over their tickets fall among players who play the same tickets
// (as many numbers, the same stakes and options, on the same draws) but pick their numbers at
// random each draw. The random player's winnings on a draw depend only on the size of the
// ticket, its stake and the draw's multiplier, so the draws are grouped by these and each group
// plays its draws of one law: the share is read from the exact law of the sum of the groups'
// totals (TotalLaw::sum). Only a law too large for memory leaves the groups apart, their totals
// then drawn from their exact laws for `players` random players (seeded).
struct TicketChance {
    struct Played {
        const Ticket* ticket = nullptr;
        const TicketLedger* ledger = nullptr;
    };
    struct Result {
        QString refusal; // why no comparison can be made (French); empty when made
        qint64 won = 0; // the player's winnings
        double beaten = 0; // share of random players who won strictly more
        bool exact = true;
        int players = 0; // random players drawn when not exact
    };
    static constexpr int kPlayers = 20000;
    static constexpr quint64 kSeed = 1;

    static Result compare(const std::vector<Played>& played, const PayTable& table, int players = kPlayers, quint64 seed = kSeed);
    // "Votre résultat est dépassé par 37 % des joueurs au hasard (...)" or why it is not said.
    static QStringList lines(const Result& result);
};
