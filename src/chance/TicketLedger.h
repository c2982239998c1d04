// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chance/Ticket.h"
#include "history/DrawList.h"

#include <optional>
#include <vector>

// What a ticket cost and won, draw by draw, over part of a history: the stake of each draw
// played, the numbers matched and the winnings with the pay table in force and the draw's
// multiplier. An amount the table does not know stays unknown, never 0.
struct TicketLedger {
    struct Row {
        int item = 0; // index in the list
        DrawTime time;
        int matched = 0;
        int multiplier = 0; // the draw's, 0 when none is known
        qint64 cost = 0;
        std::optional<qint64> win;
    };
    std::vector<Row> rows;
    qint64 cost = 0;
    qint64 won = 0; // the known winnings
    int unknown = 0; // draws whose amount the table does not know
    int withoutMultiplier = 0; // draws played with the option whose multiplier is not known

    // The ticket over items [first, last] of `list` (a list of another game gives no row).
    // `perItem` holds each item's multiplier (Multipliers::forItems), 0 where unknown.
    static TicketLedger of(const Ticket& ticket, const DrawList& list, const std::vector<int>& perItem, const PayTable& table,
                           int first, int last);
    // The numbers of `ticket` among those of item `i`.
    static int matches(const Ticket& ticket, const DrawList& list, int i);
    bool allKnown() const { return unknown == 0; }
};
