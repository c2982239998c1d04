// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/CalendarFilter.h"

#include "history/DrawLine.h"
#include "history/DrawList.h"

CalendarFilter CalendarFilter::of(FormulaId id)
{
    CalendarFilter filter;
    filter.formula = id;
    filter.from = earliestDate(id);
    return filter;
}

int CalendarFilter::weekdayIndex(const QDate& date)
{
    return date.dayOfWeek() % 7 + 1;
}

QString CalendarFilter::timeText(int t) const
{
    const Formula& f = Formula::get(formula);
    if (t < 1 || t > f.slotCount())
        return {};
    const DrawSlot& slot = f.drawSlots[static_cast<size_t>(t - 1)];
    return QStringLiteral("%1 h %2").arg(slot.hour).arg(slot.minute, 2, 10, QLatin1Char('0'));
}

void CalendarFilter::untickAll()
{
    weekdays.fill(false);
    months.fill(false);
    times.fill(false);
}

void CalendarFilter::presetNextDraw(const QString& newestLine)
{
    const Formula& f = Formula::get(formula);
    QDate d = DrawLine::date(newestLine);
    // After the day's last draw comes the next day's first; after the midday draw, the evening's.
    if (f.slotCount() > 1 && !newestLine.endsWith(f.drawSlots.back().word)) {
        times[static_cast<size_t>(f.slotCount())] = true;
    } else {
        d = d.addDays(1);
        times[1] = true;
    }
    if (!d.isValid())
        return;
    months[static_cast<size_t>(d.month())] = true;
    weekdays[static_cast<size_t>(weekdayIndex(d))] = true;
}

bool CalendarFilter::keeps(const QDate& d, int slot) const
{
    if (!d.isValid() || d < from || d > to)
        return false;
    return weekdays[static_cast<size_t>(weekdayIndex(d))] && months[static_cast<size_t>(d.month())]
        && times[static_cast<size_t>(slot + 1)];
}

bool CalendarFilter::keeps(const QString& line) const
{
    return keeps(DrawLine::date(line), DrawLine::slotIndex(line, Formula::get(formula)));
}

bool CalendarFilter::keeps(const DrawList& list, int i) const
{
    return keeps(list.date(i), list.slotIndex(i));
}
