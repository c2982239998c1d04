// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <array>

class DrawList;

// The boxes and dates of the calendar filter window ("Jours sélectionnés").
struct CalendarFilter {
    static QDate earliestDate() { return QDate(1993, 9, 16); }

    std::array<bool, 8> weekdays{}; // 1..7, Sunday = 1 (index 0 unused)
    std::array<bool, 13> months{}; // 1..12 (index 0 unused)
    std::array<bool, 3> times{}; // 1 = midday "13 h 45", 2 = evening "21 h 00"
    QDate from = earliestDate(); // DTPDebut
    QDate to; // DTPFin

    // Weekday box index of a date (Sunday = 1 .. Saturday = 7).
    static int weekdayIndex(const QDate& date);

    void untickAll();
    // Ticks the boxes of the draw that follows the given newest draw line.
    void presetNextDraw(const QString& newestLine);
    // Whether a draw line passes every box and both inclusive date bounds.
    bool keeps(const QString& line) const;
    // The same for item i of a draw list, without producing its text.
    bool keeps(const DrawList& list, int i) const;
};
