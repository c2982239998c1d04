// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/TicketsReport.h"

#include "chance/TicketChance.h"

namespace TicketsReport {

namespace {

QString heading(const Ticket& t)
{
    const QString to = t.isOpen() ? QStringLiteral("toujours jouée") : QStringLiteral("jusqu'au ") + t.last.text(t.game());
    return QStringLiteral("Grille « %1 » : %2 (%3 numéros), %4, %5, depuis le %6, %7")
        .arg(t.name, t.numbersText())
        .arg(t.size())
        .arg(t.stake.label(), t.game().shortName, t.first.text(t.game()), to);
}

QString rowLine(const Ticket& t, const TicketLedger::Row& row)
{
    QString win = row.win ? euros(*row.win) : QStringLiteral("inconnu");
    if (t.stake.multiplier && row.win && *row.win > 0)
        win += row.multiplier > 0 ? QStringLiteral(" (multiplicateur %1)").arg(row.multiplier)
                                  : QStringLiteral(" (multiplicateur inconnu, compté 1)");
    return QStringLiteral("  %1 : %2 sur %3, mise %4, gain %5")
        .arg(row.time.text(t.game()))
        .arg(row.matched)
        .arg(t.size())
        .arg(euros(row.cost), win);
}

QString totalLine(const QString& what, int draws, qint64 cost, qint64 won, int unknown)
{
    // Winnings the table does not know are not counted: the balance is then a floor.
    const QString balance = (unknown > 0 ? QStringLiteral("au moins ") : QString()) + euros(won - cost);
    QString line = QStringLiteral("%1 : %2 tirages joués, mise %3, gains %4, solde %5")
                       .arg(what)
                       .arg(draws)
                       .arg(euros(cost), euros(won), balance);
    if (unknown > 0)
        line += QStringLiteral(" ; %1 gains inconnus de la table des gains, non comptés").arg(unknown);
    return line;
}

} // namespace

QString euros(qint64 amount)
{
    QString digits = QString::number(amount < 0 ? -amount : amount);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(' '));
    return (amount < 0 ? QStringLiteral("-") : QString()) + digits + QStringLiteral(" €");
}

QStringList lines(const std::vector<Ticket>& tickets, const DrawList& list, const std::vector<int>& perItem,
                  const PayTable& table, int first, int last)
{
    if (tickets.empty())
        return {QStringLiteral("Aucune grille n'est enregistrée.")};
    QStringList out;
    std::vector<TicketLedger> ledgers;
    ledgers.reserve(tickets.size());
    TicketLedger all;
    for (const Ticket& t : tickets) {
        out << heading(t);
        if (t.formula != list.formulaId()) {
            out << QStringLiteral("  Jouée au %1, qui n'est pas le jeu étudié.").arg(t.game().name) << QString();
            continue;
        }
        ledgers.push_back(TicketLedger::of(t, list, perItem, table, first, last));
        const TicketLedger& l = ledgers.back();
        for (const TicketLedger::Row& row : l.rows)
            out << rowLine(t, row);
        out << totalLine(QStringLiteral("  Total"), static_cast<int>(l.rows.size()), l.cost, l.won, l.unknown) << QString();
        all.cost += l.cost, all.won += l.won, all.unknown += l.unknown, all.withoutMultiplier += l.withoutMultiplier;
        all.rows.insert(all.rows.end(), l.rows.begin(), l.rows.end());
    }
    out << totalLine(QStringLiteral("Toutes les grilles"), static_cast<int>(all.rows.size()), all.cost, all.won, all.unknown);
    if (all.withoutMultiplier > 0)
        out << QStringLiteral("%1 tirages joués avec l'option n'ont pas de multiplicateur connu : comptés avec 1.")
                   .arg(all.withoutMultiplier);
    std::vector<TicketChance::Played> played;
    size_t next = 0;
    for (const Ticket& t : tickets)
        if (t.formula == list.formulaId())
            played.push_back({&t, &ledgers[next++]});
    return out << TicketChance::lines(TicketChance::compare(played, table));
}

QStringList announcements(const std::vector<Ticket>& tickets, const DrawList& list, const std::vector<int>& perItem,
                          const PayTable& table, int first, int last)
{
    QStringList out;
    for (const Ticket& t : tickets) {
        const TicketLedger l = TicketLedger::of(t, list, perItem, table, first, last);
        for (const TicketLedger::Row& row : l.rows)
            if (row.win && *row.win > 0)
                out << QStringLiteral("La grille « %1 » a gagné %2 au tirage du %3")
                           .arg(t.name, euros(*row.win), row.time.text(t.game()));
        if (l.unknown > 0)
            out << QStringLiteral("La grille « %1 » : le gain de %2 tirages nouveaux est inconnu de la table des gains")
                       .arg(t.name)
                       .arg(l.unknown);
    }
    return out;
}

} // namespace TicketsReport
