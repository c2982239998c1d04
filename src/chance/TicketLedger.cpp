// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/TicketLedger.h"

#include <algorithm>

int TicketLedger::matches(const Ticket& ticket, const DrawList& list, int i)
{
    const DrawLine::Numbers drawn = list.numbers(i);
    int found = 0;
    for (int n : ticket.numbers)
        found += std::find(drawn.begin(), drawn.end(), n) != drawn.end() ? 1 : 0;
    return found;
}

TicketLedger TicketLedger::of(const Ticket& ticket, const DrawList& list, const std::vector<int>& perItem, const PayTable& table,
                              int first, int last)
{
    TicketLedger ledger;
    if (list.formulaId() != ticket.formula)
        return ledger;
    first = std::max(first, 0);
    last = std::min(last, list.drawCount() - 1);
    for (int i = first; i <= last; ++i) {
        const DrawTime time{list.date(i), list.slotIndex(i)};
        if (!list.isRecord(i) || !time.isValid() || !ticket.playedAt(time))
            continue;
        Row row;
        row.item = i;
        row.time = time;
        row.matched = matches(ticket, list, i);
        row.multiplier = i < static_cast<int>(perItem.size()) ? perItem[static_cast<size_t>(i)] : 0;
        row.cost = ticket.stake.cost();
        row.win = ticket.stake.win(table, ticket.size(), row.matched, row.multiplier);
        ledger.cost += row.cost;
        ledger.won += row.win.value_or(0);
        ledger.unknown += row.win ? 0 : 1;
        ledger.withoutMultiplier += ticket.stake.multiplier && row.multiplier <= 0 ? 1 : 0;
        ledger.rows.push_back(row);
    }
    return ledger;
}
