// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QDateTime>
#include <QStringView>

// When a game's archive is worth fetching: a draw is looked for in it from a quarter of an hour
// after it took place, then every hour while it is not there yet. Times are the computer's
// local time, the time the operator's draws are announced in.
class UpdateSchedule {
public:
    static constexpr int kPublishDelayMinutes = 15;
    static constexpr int kRetryMinutes = 60;

    explicit UpdateSchedule(const Formula& game) : m_game(game) { }

    // The time of a history line's draw: its date at its slot's time; invalid for a line that is
    // no dated draw of the game.
    QDateTime timeOf(QStringView line) const;
    // The newest draw that may be in the archive at `now`: invalid before the game's first draw
    // could be.
    QDateTime latestDue(const QDateTime& now) const;
    // Whether a history whose newest draw took place at `newest` lacks one that may be had.
    bool lacksDraw(const QDateTime& now, const QDateTime& newest) const;
    // The first moment after `now` when the next draw may be in the archive.
    QDateTime nextPublication(const QDateTime& now) const;
    QDateTime retryAfter(const QDateTime& now) const { return now.addSecs(kRetryMinutes * 60); }

private:
    // The draw time of slot `slot` on `day`.
    QDateTime drawTime(const QDate& day, int slot) const;

    const Formula& m_game;
};
