// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"
#include "history/Stake.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <limits>
#include <vector>

// A draw's place in time: its day and the index of its slot in the game's drawSlots. Two
// draws compare by day, then by slot.
struct DrawTime {
    QDate day;
    int slot = 0;

    // An invalid day comes before every draw (its Julian day is a sentinel that must not be scaled).
    qint64 key() const { return day.isValid() ? day.toJulianDay() * 4 + slot : std::numeric_limits<qint64>::min(); }
    bool isValid() const { return day.isValid(); }
    // "14/11/2025 soir"; the day alone for a game of one slot a day.
    QString text(const Formula& formula) const;
    // The first draw of `formula` a player can still stake on: after `newest` (the history's
    // newest draw, invalid when none) and not yet drawn at `now` by the game's clock.
    static DrawTime next(const Formula& formula, const DrawTime& newest, const QDateTime& now);
};

// A set of numbers a player keeps playing: its name, the numbers ticked, how it is staked, the
// game it is played at and the draws it is played on, from `first` to `last` included (an
// invalid `last`: still played).
struct Ticket {
    QString name;
    std::vector<int> numbers; // ascending, distinct
    Stake stake;
    FormulaId formula = FormulaId::Keno20of70;
    DrawTime first;
    DrawTime last;

    const Formula& game() const { return Formula::get(formula); }
    int size() const { return static_cast<int>(numbers.size()); }
    bool isOpen() const { return !last.isValid(); }
    // Whether the ticket is played on the draw at `time`.
    bool playedAt(const DrawTime& time) const;
    // Why the ticket cannot be kept, in French; empty when it can.
    QString fault() const;
    // "3 7 12 25 40".
    QString numbersText() const;
};
