// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/UpdateSchedule.h"

#include "history/DrawLine.h"

QDateTime UpdateSchedule::drawTime(const QDate& day, int slot) const
{
    const DrawSlot& at = m_game.drawSlots[static_cast<std::size_t>(slot)];
    return QDateTime(day, QTime(at.hour, at.minute));
}

QDateTime UpdateSchedule::timeOf(QStringView line) const
{
    const QDate day = DrawLine::date(line);
    const int slot = m_game.slotIndex(line.mid(line.lastIndexOf(QLatin1Char(' ')) + 1));
    if (!day.isValid() || slot < 0)
        return {};
    return drawTime(day, slot);
}

QDateTime UpdateSchedule::latestDue(const QDateTime& now) const
{
    const QDateTime published = now.addSecs(-kPublishDelayMinutes * 60);
    // Today's draws from the last, then yesterday's: the first that has been published.
    for (int back = 0; back <= 1; ++back) {
        const QDate day = published.date().addDays(-back);
        for (int slot = m_game.slotCount() - 1; slot >= 0; --slot) {
            const QDateTime draw = drawTime(day, slot);
            if (draw <= published)
                return m_game.ranOn(day) ? draw : QDateTime();
        }
    }
    return {};
}

bool UpdateSchedule::lacksDraw(const QDateTime& now, const QDateTime& newest) const
{
    const QDateTime due = latestDue(now);
    return due.isValid() && (!newest.isValid() || newest < due);
}

QDateTime UpdateSchedule::nextPublication(const QDateTime& now) const
{
    for (int ahead = 0; ahead <= 1; ++ahead) {
        const QDate day = now.date().addDays(ahead);
        for (int slot = 0; slot < m_game.slotCount(); ++slot) {
            const QDateTime published = drawTime(day, slot).addSecs(kPublishDelayMinutes * 60);
            if (published > now)
                return published;
        }
    }
    return {};
}
