// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/CalendarFilter.h"
#include "history/DrawList.h"

#include <gtest/gtest.h>

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
