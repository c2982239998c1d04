// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/CalendarFilter.h"

#include "history/DrawLine.h"
#include "history/DrawList.h"

int CalendarFilter::weekdayIndex(const QDate& date)
{
    return date.dayOfWeek() % 7 + 1;
}

void CalendarFilter::untickAll()
{
    weekdays.fill(false);
    months.fill(false);
    times.fill(false);
}

void CalendarFilter::presetNextDraw(const QString& newestLine)
{
    QDate d = DrawLine::date(newestLine);
    if (!DrawLine::endsWithSoir(newestLine)) {
        times[2] = true;
    } else {
        d = d.addDays(1);
        times[1] = true;
    }
    if (!d.isValid())
        return;
    months[static_cast<size_t>(d.month())] = true;
    weekdays[static_cast<size_t>(weekdayIndex(d))] = true;
}

bool CalendarFilter::keeps(const QString& line) const
{
    const QDate d = DrawLine::date(line);
    if (!d.isValid() || d < from || d > to)
        return false;
    return weekdays[static_cast<size_t>(weekdayIndex(d))] && months[static_cast<size_t>(d.month())]
        && times[DrawLine::isMiddayByChar(line) ? 1 : 2];
}

bool CalendarFilter::keeps(const DrawList& list, int i) const
{
    const QDate d = list.date(i);
    if (!d.isValid() || d < from || d > to)
        return false;
    return weekdays[static_cast<size_t>(weekdayIndex(d))] && months[static_cast<size_t>(d.month())]
        && times[list.isMiddayByChar(i) ? 1 : 2];
}
