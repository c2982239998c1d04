// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/CalendarFilter.h"
#include "history/DrawList.h"

#include <gtest/gtest.h>
#include <tuple>

// The filter reads the same fields from a record and from a line held as text.
TEST(CalendarFilter, KeepsByDateDayAndTimeFromEitherFormOfTheList)
{
    const QString soir = QStringLiteral("16/09/1993 03 07 08 09 10 15 16 19 20 27 29 35 36 37 51 55 63 66 69 70 soir");
    const DrawList list
        = DrawList::fromLines({QStringLiteral("16/09/1993 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 70 midi"),
                               soir, QString(soir).replace(11, 1, QLatin1Char(' ')), QStringLiteral("ligne")});
    ASSERT_FALSE(list.isRecord(2));
    CalendarFilter filter;
    filter.untickAll();
    filter.to = QDate(2030, 1, 1);
    filter.months[9] = true;
    filter.weekdays[CalendarFilter::weekdayIndex(QDate(1993, 9, 16))] = true;
    filter.times[2] = true;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(filter.keeps(list, i), i == 1 || i == 2) << i;
}

// The current game: one draw time, the evening at 20 h 00, and nothing before 03/11/2025.
TEST(CalendarFilter, TheCurrentGameHasOneTimeAndItsOwnFirstDay)
{
    CalendarFilter classic;
    EXPECT_EQ(std::tuple(classic.from, classic.slotCount(), classic.timeText(1), classic.timeText(2)),
              std::tuple(QDate(1993, 9, 16), 2, QStringLiteral("13 h 45"), QStringLiteral("21 h 00")));
    CalendarFilter filter = CalendarFilter::of(FormulaId::Keno16of56);
    EXPECT_EQ(std::tuple(filter.from, filter.slotCount(), filter.timeText(1), filter.timeText(2)),
              std::tuple(QDate(2025, 11, 3), 1, QStringLiteral("20 h 00"), QString()));
    EXPECT_EQ(CalendarFilter::earliestDate(FormulaId::Keno16of56), QDate(2025, 11, 3));

    // After Sunday 30/11/2025's draw comes Monday 01/12/2025's, the one draw of the day.
    const QString sunday = QStringLiteral("30/11/2025 56 01 50 47 44 41 38 35 32 29 26 23 20 17 14 11 soir");
    filter.untickAll();
    filter.presetNextDraw(sunday);
    EXPECT_EQ(std::tuple(filter.times[1], filter.times[2], filter.months[12], filter.weekdays[2]),
              std::tuple(true, false, true, true));

    const QString monday = QStringLiteral("01/12/2025") + sunday.mid(10);
    const DrawList list = DrawList::fromLines({sunday, monday, QString(monday).replace(11, 1, QLatin1Char(' '))});
    ASSERT_EQ(list.formulaId(), FormulaId::Keno16of56);
    ASSERT_FALSE(list.isRecord(2));
    filter.to = QDate(2026, 1, 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(filter.keeps(list, i), i > 0) << i;
        EXPECT_EQ(filter.keeps(list.text(i)), i > 0) << i;
    }
    // The one time box decides for every draw of the game.
    filter.times[1] = false;
    filter.times[2] = true;
    EXPECT_FALSE(filter.keeps(list, 1) || filter.keeps(monday));
}
