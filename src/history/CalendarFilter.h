// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QDate>
#include <QString>
#include <array>

class DrawList;

// The boxes and dates of the calendar filter window ("Jours sélectionnés"), for the draws of one
// game: its draw times and its first day come from its Formula.
struct CalendarFilter {
    static QDate earliestDate() { return Formula::classic().firstDay; }
    static QDate earliestDate(FormulaId id) { return Formula::get(id).firstDay; }
    // A filter of game `id`, its first date on the game's first day.
    static CalendarFilter of(FormulaId id);

    std::array<bool, 8> weekdays{}; // 1..7, Sunday = 1 (index 0 unused)
    std::array<bool, 13> months{}; // 1..12 (index 0 unused)
    // 1..slotCount(): the game's draw times in the day's order (1 = midday "13 h 45", 2 = evening
    // "21 h 00" for the twenty-of-seventy game; 1 = evening "20 h 00" for the current one).
    std::array<bool, 3> times{};
    QDate from = earliestDate(); // DTPDebut
    QDate to; // DTPFin
    // Last, so the boxes and dates may be given in a brace list as they always were.
    FormulaId formula = FormulaId::Keno20of70;

    // Weekday box index of a date (Sunday = 1 .. Saturday = 7).
    static int weekdayIndex(const QDate& date);

    int slotCount() const { return Formula::get(formula).slotCount(); }
    // The caption of time box t: "13 h 45".
    QString timeText(int t) const;

    void untickAll();
    // Ticks the boxes of the draw that follows the given newest draw line.
    void presetNextDraw(const QString& newestLine);
    // Whether a draw line passes every box and both inclusive date bounds.
    bool keeps(const QString& line) const;
    // The same for item i of a draw list, without producing its text.
    bool keeps(const DrawList& list, int i) const;

private:
    bool keeps(const QDate& date, int slot) const;
};
