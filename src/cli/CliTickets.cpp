// SPDX-License-Identifier: GPL-3.0-or-later
// "grilles": the report of the player's tickets, after one ticket added, ended or removed.
#include "chance/Ticket.h"
#include "chance/TicketsFile.h"
#include "cli/CliCommand.h"
#include "cli/CliUi.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <algorithm>

namespace {

std::optional<QString> textOption(const QCommandLineParser& parser, const char* name)
{
    if (!parser.isSet(QLatin1String(name)))
        return std::nullopt;
    return parser.value(QLatin1String(name)).trimmed();
}

// The draw --from names: its day, and the draw of that day after it (the first one without).
DrawTime firstDrawOf(const CliOptions& o)
{
    const Formula& game = o.game();
    const int slot = o.fromSlot.isEmpty() ? 0 : game.slotIndex(o.fromSlot);
    if (slot < 0) {
        QStringList words;
        for (const DrawSlot& s : game.drawSlots)
            words << s.word;
        throw usageError(QStringLiteral("--from"),
                         QStringLiteral("« %1 » n'est pas un tirage du %2 (%3)")
                             .arg(o.fromSlot, game.shortName, words.join(QStringLiteral(", "))));
    }
    return DrawTime{*o.from, slot};
}

void readStake(const QCommandLineParser& parser, CliOptions& o, bool adding)
{
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
}

void readTicketOptions(const QCommandLineParser& parser, CliOptions& o)
{
    o.ticketName = textOption(parser, "ajouter");
    o.ticketEnd = textOption(parser, "terminer");
    o.ticketRemove = textOption(parser, "supprimer");
    if (int(o.ticketName.has_value()) + int(o.ticketEnd.has_value()) + int(o.ticketRemove.has_value()) > 1)
        throw usageError(QStringLiteral("--ajouter, --terminer, --supprimer"), QStringLiteral("une seule à la fois"));
    if (const std::optional<QString> until = textOption(parser, "jusqu-au")) {
        if (!o.ticketEnd)
            throw usageError(QStringLiteral("--jusqu-au"), QStringLiteral("ne sert qu'avec --terminer"));
        o.ticketUntil = TicketsFile::parseTime(*until, o.game(), true);
        if (!o.ticketUntil->isValid())
            throw usageError(QStringLiteral("--jusqu-au"),
                             QStringLiteral("« %1 » n'est pas un tirage JJ/MM/AAAA du %2").arg(*until, o.game().shortName));
    }
    readStake(parser, o, o.ticketName.has_value());
    if (!o.ticketName)
        return;
    if (o.numbers.isEmpty())
        throw usageError(QStringLiteral("--ajouter"), QStringLiteral("les numéros de la grille se donnent avec --numbers"));
    // With --ajouter, --from is the ticket's first draw, not a calendar filter.
    if (o.from)
        o.ticketFrom = firstDrawOf(o);
    o.from.reset();
    o.fromSlot.clear();
}

// The ticket --ajouter describes: from the draw --from gives, else from the next draw to come.
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
    t.first = o.ticketFrom ? *o.ticketFrom : run.ws.units().tickets.nextDraw(QDateTime::currentDateTime());
    return t;
}

// The change the options ask for, if any; a refusal ends the command.
CommandOutcome change(CliRun& run)
{
    TicketCommands& tickets = run.ws.units().tickets;
    const CliOptions& o = run.options;
    if (o.ticketName)
        return tickets.add(ticketOf(run));
    if (o.ticketEnd)
        return tickets.end(*o.ticketEnd, o.ticketUntil.value_or(tickets.newestDraw()));
    if (o.ticketRemove)
        return tickets.remove(*o.ticketRemove);
    return CommandOutcome::done();
}

int tickets(const CliCommand&, CliRun& run)
{
    const CommandOutcome changed = change(run);
    tellOutcome(run.err, changed, true);
    if (!changed.isDone())
        return CliStatus::kFailure;
    CommandUnits& units = run.ws.units();
    const CommandOutcome outcome = units.jobs.track([&units] { return units.tickets.mesGrilles(); });
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
