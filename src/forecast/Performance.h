// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"
#include "history/Wager.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What a set of ticked numbers would have earned, played with one euro on every draw of the
// study period and paid from the pay table of the matrix's game. An amount the table does not
// give is never taken for 0: its draws say "gain inconnu" and the totals say what is not known.
//
// Around the call, the command:
//  - hides the busy indicator, empties the column caption and sets the title to `title`;
//  - shows the left result list at width 5600, hides the right one, and clears both (the right
//    one stays empty and hidden, so an export holds only these lines);
//  - fills the left list with `lines`, selects `selectedLine`, and then runs the export step;
//  - when `dat` holds a value, puts it in the date field of manual entry (the line of the last
//    period draw is built there).
// Nothing else of the workspace (statistics, period) is read or changed.
struct PerformanceReport {
    QString title;
    QString caption;
    QStringList lines;
    int selectedLine = -1;
    std::optional<QString> dat;
};

namespace Performance {

// The twenty-of-seventy game's pay for m matched (0..10) when k numbers (1..10) are played; 0
// outside the table. Every amount of that table is known; another game reads its own
// formula.payTable, whose unknown amounts must not pass for 0.
qint64 pay(int k, int m);

// `liste` is the draw list (a trailing empty item is allowed: only the period's items are read,
// for their dates); `ticked` the ticked numbers (any order; duplicates and numbers outside the
// game are ignored). A period starting below 0 starts at 0.
PerformanceReport evaluate(const QStringList& liste, const DrawMatrix& matrix, const StudyPeriod& period,
                           const std::vector<int>& ticked);
// The same played with `wager`: its table, its stake (N € a draw, doubled with the option) and,
// with the option, the winnings of each draw times that draw's multiplier. The form above plays
// 1 € on the table shipped with the matrix's game.
PerformanceReport evaluate(const QStringList& liste, const DrawMatrix& matrix, const StudyPeriod& period,
                           const std::vector<int>& ticked, const Wager& wager);

} // namespace Performance
