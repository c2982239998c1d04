// SPDX-License-Identifier: GPL-3.0-or-later
// A ticket's draws in time: the next draw a player can still stake on, for a game of two draws
// a day and one of one, and the draws a ticket cannot name.
#include "chance/Ticket.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2025, 10, day), QTime(hour, minute));
}

DrawTime draw(int day, int slot)
{
    return DrawTime{QDate(2025, 10, day), slot};
}

} // namespace

TEST(TicketTest, TheNextDrawIsTheFirstNotYetDrawnAfterTheNewestAndTheClock)
{
    const Formula& classic = Formula::classic();
    const DrawTime none;
    // Two draws a day: before midday, the midday one; once it is drawn, the evening one; after
    // the evening, the next day's midday.
    EXPECT_EQ(DrawTime::next(classic, none, at(14, 9)).key(), draw(14, 0).key());
    EXPECT_EQ(DrawTime::next(classic, none, at(14, 13, 45)).key(), draw(14, 1).key());
    EXPECT_EQ(DrawTime::next(classic, none, at(14, 21, 0)).key(), draw(15, 0).key());
    // The history already holds the midday draw the clock has not reached: the evening one.
    EXPECT_EQ(DrawTime::next(classic, draw(14, 0), at(14, 9)).key(), draw(14, 1).key());
    // A history ahead of the clock, and one far behind it: neither is staked on again.
    EXPECT_EQ(DrawTime::next(classic, draw(16, 1), at(14, 9)).key(), draw(17, 0).key());
    EXPECT_EQ(DrawTime::next(classic, draw(2, 1), at(14, 22)).key(), draw(15, 0).key());

    // One draw a day, in the evening.
    const Formula& current = Formula::current();
    EXPECT_EQ(DrawTime::next(current, none, at(14, 19, 59)).key(), draw(14, 0).key());
    EXPECT_EQ(DrawTime::next(current, draw(13, 0), at(14, 20, 0)).key(), draw(15, 0).key());
    EXPECT_EQ(DrawTime::next(current, draw(14, 0), at(14, 9)).key(), draw(15, 0).key());
    EXPECT_FALSE(DrawTime::next(current, none, QDateTime()).isValid());
}

TEST(TicketTest, ADrawTheGameDoesNotHaveIsNoTicketsDraw)
{
    Ticket t;
    t.name = QStringLiteral("Paul");
    t.numbers = {1, 2, 3, 4};
    t.formula = FormulaId::Keno16of56;
    t.first = DrawTime{QDate(2025, 11, 14), 0};
    EXPECT_TRUE(t.fault().isEmpty()) << t.fault().toStdString();
    t.first.slot = 1; // the 16-of-56 game has no second draw a day
    EXPECT_EQ(t.fault(), QStringLiteral("le Keno 16/56 n'a pas ce tirage dans la journée"));
    t.first.slot = 0;
    t.last = DrawTime{QDate(2025, 11, 20), -1};
    EXPECT_FALSE(t.fault().isEmpty());
    t.last.slot = 0;
    EXPECT_TRUE(t.fault().isEmpty());
    t.last.day = QDate(2025, 11, 13);
    EXPECT_EQ(t.fault(), QStringLiteral("le dernier tirage joué précède le premier"));
}
