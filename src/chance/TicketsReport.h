// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chance/TicketLedger.h"

#include <QStringList>
#include <vector>

// The lines of "Mes grilles" and the announcements of the tickets that won.
namespace TicketsReport {

// Each ticket with what it cost and won draw by draw over items [first, last] of `list`, its
// total, the total of them all and where it falls among random players.
QStringList lines(const std::vector<Ticket>& tickets, const DrawList& list, const std::vector<int>& perItem,
                  const PayTable& table, int first, int last);
// "La grille « Paul » a gagné 90 € au tirage du 14/11/2025" (the slot named after the day in
// a game of several draws a day) for each draw of items [first, last] a ticket won on, and one line a ticket whose winnings the
// table does not know there.
QStringList announcements(const std::vector<Ticket>& tickets, const DrawList& list, const std::vector<int>& perItem,
                          const PayTable& table, int first, int last);
// "90 €", "1 250 €".
QString euros(qint64 amount);

} // namespace TicketsReport
