// SPDX-License-Identifier: GPL-3.0-or-later
// What a ticket cost and won draw by draw, against histories made by hand and amounts worked out
// by hand, for both games, with and without the multiplier option; its announcements.
#include "chance/TicketLedger.h"
#include "chance/TicketsReport.h"
#include "support/TestSupport.h"

using TestSupport::drawLine;
using TestSupport::drawWith;

namespace {

// The 16-of-56 row of seven numbers filled in as a player would from the slip (made up here
// where the operator publishes nothing): 4 -> 2, 5 -> 5, 6 -> 90, 7 -> 3 000.
PayTable filledCurrentTable()
{
    PayTable table = Formula::current().payTable;
    const std::array<qint64, 8> row{0, 0, 0, 0, 2, 5, 90, 3000};
    for (int m = 0; m <= 7; ++m)
        table.amounts[7][static_cast<size_t>(m)] = row[static_cast<size_t>(m)];
    return table;
}

// A 16-of-56 evening draw holding `wanted`, filled from 41 upwards.
QString currentDraw(const char* date, QList<int> wanted)
{
    for (int n = 41; wanted.size() < Formula::current().drawn; ++n)
        wanted << n;
    return drawLine(QString::fromLatin1(date), wanted, " soir");
}

DrawList currentHistory()
{
    DrawList list = DrawList::fromLines({
        currentDraw("10/11/2025", {1, 2, 3, 4, 5}), // before the ticket's first draw
        currentDraw("11/11/2025", {1, 2, 3, 4, 5, 6}),
        currentDraw("12/11/2025", {1, 2}),
        currentDraw("13/11/2025", {1, 2, 3, 4, 5, 6, 7}),
    });
    EXPECT_EQ(list.formulaId(), FormulaId::Keno16of56);
    return list;
}

Ticket paul(Stake stake)
{
    Ticket t;
    t.name = QStringLiteral("Paul");
    t.numbers = {1, 2, 3, 4, 5, 6, 7};
    t.stake = stake;
    t.formula = FormulaId::Keno16of56;
    t.first = DrawTime{QDate(2025, 11, 11), 0};
    return t;
}

std::vector<std::optional<qint64>> wins(const TicketLedger& l)
{
    std::vector<std::optional<qint64>> out;
    for (const TicketLedger::Row& r : l.rows)
        out.push_back(r.win);
    return out;
}

using Wins = std::vector<std::optional<qint64>>;

} // namespace

TEST(TicketLedgerTest, CurrentGameWithAndWithoutTheOptionAndUnknownAmountsNeverCountAsNothing)
{
    const DrawList list = currentHistory();
    const std::vector<int> multipliers{3, 0, 2, 5, 0}; // the second draw's is not known
    const PayTable filled = filledCurrentTable();

    const TicketLedger plain = TicketLedger::of(paul(Stake{1, false}), list, multipliers, filled, 0, 3);
    EXPECT_EQ(wins(plain), (Wins{90, 0, 3000}));
    EXPECT_EQ(plain.cost, 3);
    EXPECT_EQ(plain.won, 3090);
    EXPECT_EQ(plain.rows[0].matched, 6);
    EXPECT_EQ(plain.rows[1].matched, 2);

    // 2 € with the option: 4 € a draw; the unknown multiplier counts as 1.
    const TicketLedger option = TicketLedger::of(paul(Stake{2, true}), list, multipliers, filled, 0, 3);
    EXPECT_EQ(wins(option), (Wins{180, 0, 30000}));
    EXPECT_EQ(option.cost, 12);
    EXPECT_EQ(option.withoutMultiplier, 1);

    // The table as shipped knows neither 2 of 7 nor 4 of 7: said unknown, not 0.
    const TicketLedger shipped = TicketLedger::of(paul(Stake{2, true}), list, multipliers, Formula::current().payTable, 0, 3);
    EXPECT_EQ(wins(shipped), (Wins{180, std::nullopt, 30000}));
    EXPECT_EQ(shipped.unknown, 1);
    EXPECT_EQ(shipped.won, 30180);

    // A period that ends before the last draw, and a ticket played up to a day.
    Ticket ended = paul(Stake{1, false});
    ended.last = DrawTime{QDate(2025, 11, 12), 0};
    EXPECT_EQ(wins(TicketLedger::of(ended, list, multipliers, filled, 0, 3)), (Wins{90, 0}));
    EXPECT_EQ(wins(TicketLedger::of(paul(Stake{1, false}), list, multipliers, filled, 2, 2)), (Wins{0}));
    // A ticket of the other game has nothing to do with this list.
    Ticket other = paul(Stake{1, false});
    other.formula = FormulaId::Keno20of70;
    EXPECT_TRUE(TicketLedger::of(other, list, multipliers, filled, 0, 3).rows.empty());
}

TEST(TicketLedgerTest, ClassicGameCountsTheSlotOfItsFirstDraw)
{
    // 01/03/2021 midi, soir, then 02/03/2021 midi.
    const DrawList list = DrawList::fromLines({
        drawWith(QDate(2021, 3, 1), true, {10, 20, 30, 40, 50}, 51),
        drawWith(QDate(2021, 3, 1), false, {10, 20, 30, 40}, 51),
        drawWith(QDate(2021, 3, 2), true, {}, 51),
    });
    Ticket t;
    t.name = QStringLiteral("Marie");
    t.numbers = {10, 20, 30, 40, 50};
    t.formula = FormulaId::Keno20of70;
    t.first = DrawTime{QDate(2021, 3, 1), 1}; // from the evening draw
    const std::vector<int> multipliers{2, 4, 0, 0};
    const PayTable& table = Formula::classic().payTable;

    t.stake = Stake{3, false}; // 4 of 5 pays 10 for 1 €
    const TicketLedger plain = TicketLedger::of(t, list, multipliers, table, 0, 2);
    EXPECT_EQ(wins(plain), (Wins{30, 0}));
    EXPECT_EQ(plain.cost, 6);
    t.stake = Stake{3, true};
    const TicketLedger option = TicketLedger::of(t, list, multipliers, table, 0, 2);
    EXPECT_EQ(wins(option), (Wins{120, 0}));
    EXPECT_EQ(option.cost, 12);
    EXPECT_EQ(option.withoutMultiplier, 1);

    // Played at midday on its first day only (5 of 5: 100 € × 3 × 2), not in the evening.
    t.first = t.last = DrawTime{QDate(2021, 3, 1), 0};
    EXPECT_EQ(wins(TicketLedger::of(t, list, multipliers, table, 0, 2)), (Wins{600}));
}

TEST(TicketLedgerTest, AnnouncesEachWinAndSaysWhatTheTableDoesNotKnow)
{
    const DrawList list = currentHistory();
    const std::vector<int> multipliers{3, 0, 2, 5, 0};
    Ticket louise = paul(Stake{1, false});
    louise.name = QStringLiteral("Louise");
    louise.numbers = {1, 2, 3, 4, 5, 50, 51}; // 6, 4 and 5 of 7 from 11/11 (the fillers hold 50 and 51)
    const std::vector<Ticket> tickets{paul(Stake{1, false}), louise};

    EXPECT_EQ(TicketsReport::announcements(tickets, list, multipliers, filledCurrentTable(), 1, 3),
              (QStringList{QStringLiteral("La grille « Paul » a gagné 90 € au tirage du 11/11/2025"),
                           QStringLiteral("La grille « Paul » a gagné 3 000 € au tirage du 13/11/2025"),
                           QStringLiteral("La grille « Louise » a gagné 90 € au tirage du 11/11/2025"),
                           QStringLiteral("La grille « Louise » a gagné 2 € au tirage du 12/11/2025"),
                           QStringLiteral("La grille « Louise » a gagné 5 € au tirage du 13/11/2025")}));
    EXPECT_EQ(
        TicketsReport::announcements(tickets, list, multipliers, Formula::current().payTable, 2, 3),
        (QStringList{QStringLiteral("La grille « Paul » a gagné 3 000 € au tirage du 13/11/2025"),
                     QStringLiteral("La grille « Paul » : le gain de 1 tirages nouveaux est inconnu de la table des gains"),
                     QStringLiteral("La grille « Louise » a gagné 5 € au tirage du 13/11/2025"),
                     QStringLiteral("La grille « Louise » : le gain de 1 tirages nouveaux est inconnu de la table des gains")}));

    // Two draws a day: each win names its draw, or the two would read alike.
    const DrawList classic = DrawList::fromLines(
        {drawWith(QDate(2024, 3, 7), true, {10, 20, 30, 40, 50}, 51), drawWith(QDate(2024, 3, 7), false, {10, 20, 30, 40}, 51)});
    Ticket marie;
    marie.name = QStringLiteral("Marie");
    marie.numbers = {10, 20, 30, 40, 50};
    marie.first = DrawTime{QDate(2024, 3, 7), 0};
    EXPECT_EQ(TicketsReport::announcements({marie}, classic, {0, 0, 0}, Formula::classic().payTable, 0, 1),
              (QStringList{QStringLiteral("La grille « Marie » a gagné 100 € au tirage du 07/03/2024 midi"),
                           QStringLiteral("La grille « Marie » a gagné 10 € au tirage du 07/03/2024 soir")}));
}

// A win the table does not know is not counted: the balance is then only a floor, and says so.
TEST(TicketLedgerTest, TheBalanceOverAnUnknownWinIsAFloor)
{
    const DrawList list = currentHistory();
    const std::vector<int> multipliers{3, 0, 2, 5, 0};
    const std::vector<Ticket> tickets{paul(Stake{1, false})};
    // 90 € on 11/11, 2 of 7 on 12/11 (unknown as shipped, 0 once filled), 3 000 € on 13/11.
    const QStringList shipped = TicketsReport::lines(tickets, list, multipliers, Formula::current().payTable, 0, 3);
    EXPECT_TRUE(shipped.contains(QStringLiteral("  Total : 3 tirages joués, mise 3 €, gains 3 090 €, solde au moins 3 087 € ; "
                                                "1 gains inconnus de la table des gains, non comptés")))
        << shipped.join(u'\n').toStdString();
    EXPECT_TRUE(shipped.contains(QStringLiteral("Toutes les grilles : 3 tirages joués, mise 3 €, gains 3 090 €, solde au "
                                                "moins 3 087 € ; 1 gains inconnus de la table des gains, non comptés")));
    const QStringList filled = TicketsReport::lines(tickets, list, multipliers, filledCurrentTable(), 0, 3);
    EXPECT_TRUE(filled.contains(QStringLiteral("  Total : 3 tirages joués, mise 3 €, gains 3 090 €, solde 3 087 €")))
        << filled.join(u'\n').toStdString();
}
