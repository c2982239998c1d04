// SPDX-License-Identifier: GPL-3.0-or-later
// "grilles": the report of the player's tickets, or one ticket more.
#include "chance/Ticket.h"
#include "cli/CliCommand.h"
#include "cli/CliUi.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QCommandLineParser>
#include <algorithm>

namespace {

void readTicketOptions(const QCommandLineParser& parser, CliOptions& o)
{
    const bool adding = parser.isSet(QStringLiteral("ajouter"));
    if (adding)
        o.ticketName = parser.value(QStringLiteral("ajouter")).trimmed();
    if (parser.isSet(QStringLiteral("mise"))) {
        const qint64 euros = wholeOption(QStringLiteral("--mise"), parser.value(QStringLiteral("mise")));
        if (!Stake::allowed(static_cast<int>(std::clamp<qint64>(euros, 0, 1000))))
            throw usageError(QStringLiteral("--mise"), QStringLiteral("la mise est de 1, 2, 3, 5 ou 10 €"));
        o.ticketStake.euros = static_cast<int>(euros);
    }
    o.ticketStake.multiplier = parser.isSet(QStringLiteral("multiplicateur"));
    if (!adding && (parser.isSet(QStringLiteral("mise")) || o.ticketStake.multiplier))
        throw usageError(parser.isSet(QStringLiteral("mise")) ? QStringLiteral("--mise") : QStringLiteral("--multiplicateur"),
                         QStringLiteral("ne sert qu'avec --ajouter"));
    if (!adding)
        return;
    if (o.numbers.isEmpty())
        throw usageError(QStringLiteral("--ajouter"), QStringLiteral("les numéros de la grille se donnent avec --numbers"));
    // With --ajouter, --from is the ticket's first draw, not a calendar filter.
    o.ticketFrom = o.from;
    o.from.reset();
}

// The ticket --ajouter describes: from the day --from gives, else from the next draw.
Ticket ticketOf(const CliRun& run)
{
    const CliOptions& o = run.options;
    Ticket t;
    t.name = *o.ticketName;
    t.formula = o.formula;
    for (int n : o.numbers)
        t.numbers.push_back(n);
    std::sort(t.numbers.begin(), t.numbers.end());
    t.stake = o.ticketStake;
    t.first = DrawTime{o.ticketFrom.value_or(run.ui.today()), 0};
    return t;
}

int tickets(const CliCommand&, CliRun& run)
{
    CommandUnits& units = run.ws.units();
    if (run.options.ticketName) {
        const CommandOutcome added = units.tickets.add(ticketOf(run));
        tellOutcome(run.err, added, true);
        if (!added.isDone())
            return CliStatus::kFailure;
    }
    const CommandOutcome outcome = units.tickets.mesGrilles();
    tellOutcome(run.err, outcome, true);
    if (!outcome.isDone())
        return CliStatus::kFailure;
    run.printReport();
    return CliStatus::kOk;
}

} // namespace

CliStyleRun ticketsStyle(Catalogue::CliStyle style)
{
    if (style == Catalogue::CliStyle::Tickets)
        return {nullptr, readTicketOptions, tickets};
    return {};
}
