// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawList.h"
#include "history/Multipliers.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The file beside each working history that keeps the multiplier of its draws, one line a draw,
// oldest first: "14/11/2025 soir x3". The history stays the reference: a multiplier whose draw
// the history lacks is never used, and a file that cannot be read costs its multipliers only.
namespace MultiplierFile {

// The multipliers the operator draws with.
constexpr int kLeast = 1;
constexpr int kMost = 10;
inline bool allowed(int multiplier)
{
    return multiplier >= kLeast && multiplier <= kMost;
}

// The file of the game of `id` beside the history `historyPath` (found without regard to case).
QString pathBeside(const QString& historyPath, FormulaId id);

struct ReadResult {
    Multipliers values; // empty when the file is missing or is not used
    bool found = false; // the file is there
    bool failed = false; // there, but not read whole or not well-formed: none of it is used
    QString notice; // French, when failed
};

// Reads the multipliers of `id`'s game; never throws, never refuses the history.
ReadResult read(const QString& path, FormulaId id);
ReadResult parse(QByteArrayView bytes, FormulaId id, const QString& path = {});

// The values of the draws of `history` only.
Multipliers onlyOf(const Multipliers& values, const DrawList& history);
// The file's bytes for the draws of `history` (UTF-8, CR LF after each line).
QByteArray bytesOf(const Multipliers& values, const DrawList& history);

// Whether the file at `path` holds each of `values` already, and none of the multipliers removed there (a file that cannot be
// used is never written over, so it counts as holding them).
bool holds(const QString& path, FormulaId id, const Multipliers& values);

// Sets the multiplier of each of `lines` (draw lines) that has an allowed one.
void take(Multipliers& values, const QStringList& lines, const QList<std::optional<int>>& multipliers);
// The date and slot of a draw line; false for a line that is no draw.
bool keyOfLine(const QString& line, QDate* day, int* slot);

// Writes `historyBytes` (the bytes of `history`) to `historyPath` and, first, the multipliers of
// its draws beside it: what the file held for the draws of the history it replaces, merged with
// `values`, which win, then `fills` for the draws still without one. Both are written aside
// and replace their old files only when both are whole; a kill between the two leaves at most
// multipliers of draws the history lacks, which a read ignores. A file that cannot be read is
// left as it is and the history written alone. False, with *error in French, when nothing was.
bool writeWithHistory(const QString& historyPath, const DrawList& history, const QByteArray& historyBytes,
                      const Multipliers& values, QString* error, const Multipliers& fills = {});

// The file beside a copy of the history written apart (a list kept beside a history changed
// behind its back): "Tirages_keno.conflit-….txt" -> "Tirages_keno.conflit-….multiplicateurs.txt".
QString pathBesideCopy(const QString& copyPath);
// Writes `history` to `copyPath` and the multipliers of its draws in `values` beside it, as
// writeWithHistory does: both whole or neither replaced. *withMultipliers says whether the
// file beside was written (a history with none and no earlier file beside is written alone).
bool writeCopy(const QString& copyPath, const DrawList& history, const Multipliers& values, QString* error,
               bool* withMultipliers);

// Gives the draws of the history at `historyPath` that have no multiplier in the file beside it
// their value in `values`; the file alone is written, aside then put in place, and only when
// it gains one. A file or a history that cannot be read is left as it is. False, with *error in
// French, when the write failed (the file is then as it was).
bool addMissing(const QString& historyPath, FormulaId id, const Multipliers& values, QString* error);

} // namespace MultiplierFile
