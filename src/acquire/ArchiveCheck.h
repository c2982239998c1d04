// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawList.h"

#include <QDate>
#include <QList>
#include <QStringList>

// Which rows of an archive may be appended after a history. A draw is its date and its slot:
// one the history already holds with the same numbers is skipped; one it holds with other
// numbers, one dated after today or outside the days its game ran, or one that would break the
// order of the dates is refused and named. Nothing refused is appended.
namespace ArchiveCheck {

constexpr int kMaxReasons = 20; // refusals named; the rest are only counted

struct Result {
    QStringList lines; // the rows to append, oldest first, as given
    QList<int> indices; // where each of them stands in the rows given
    int known = 0; // already in the history (or twice in the archive) with the same numbers
    QList<int> held; // where the rows of draws the history holds with the same numbers stand
    int future = 0; // dated after today
    int contradicting = 0; // the history or another row gives that draw other numbers
    int outOfOrder = 0; // older than what comes before them
    int outOfGame = 0; // dated outside the days the history's game ran
    QStringList reasons; // "ligne N : dd/mm/yyyy soir, why", by line number
    int refused() const { return future + contradicting + outOfOrder + outOfGame; }
};

// `lines` are the archive's draw lines oldest first, `lineNumbers` their lines in the file; they
// belong to the game of `history`.
Result check(const DrawList& history, const QStringList& lines, const QList<int>& lineNumbers, const QDate& today);

// "3 tirages refusés (1 postérieur à aujourd'hui, 2 en désaccord...)", empty when none was.
QString refusalSummary(const Result& result);

// The one sentence that refuses an archive of another game than the history's.
QString otherGame(FormulaId archive, FormulaId history);

} // namespace ArchiveCheck
