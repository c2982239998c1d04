// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawList.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

namespace HistoryFile {

// The twenty-of-seventy game's files (Formula::workingFile and baseFile name every game's).
constexpr const char* kWorkingName = "Tirages_keno.txt";
constexpr const char* kBaseName = "Tirages.txt";
// Far beyond any real history (every draw since 1993 holds in under 2 MB): a larger file is refused
// before it is read, so it can neither take minutes nor fill the memory.
constexpr qint64 kLargestHistory = qint64{64} * 1024 * 1024;

struct ReadResult {
    QStringList lines; // one item per text line, ';' replaced by spaces (no trailing empty item)
    bool found = false; // the file exists and was read to its end
    QString error; // French text when the file is missing or unreadable
    bool failed = false; // there, but not read whole (unopenable, read error, too large): lines empty
    int badLines = 0; // lines that are not well-formed draws (kept, as read)
    QStringList problems; // the first few reasons, "ligne N : ..."
    FormulaId formula = FormulaId::Keno20of70; // the game of the lines
};

// The same reading into a compact draw list.
struct ListReadResult {
    DrawList list;
    bool found = false; // the file exists and was read to its end
    QString error;
    // The file is there but was not read whole: the list is empty, as a part of a history must
    // never stand for all of it.
    bool failed = false;
    int badLines = 0;
    QStringList problems;
    QByteArray digest; // of the file's bytes, to notice a change made by another program
};

// Finds `name` in `folder` without regard to case; returns the path to use (existing file, or
// folder/name when none exists).
QString locate(const QString& folder, const QString& name);
// The working and the base history of a game in `folder`, found as locate() finds them.
QString workingPath(const QString& folder, FormulaId id);
QString basePath(const QString& folder, FormulaId id);
// The game whose working or base history is named `path` (any case); nullopt for another name.
std::optional<FormulaId> formulaOfFile(const QString& path);

// Reads a history file as text lines; never throws, never fails hard.
ReadResult read(const QString& path);
// The same on bytes already in memory (found is set).
ReadResult parse(const QByteArray& bytes);

// Reads a history file into a draw list, a piece at a time: the file is never held whole. Its lines
// are draws of one game, `expected` or else the game its name says (formulaOfFile), or else the
// game of its first draw; a file holding draws of the other game is not read (failed, with the
// line named).
ListReadResult readList(const QString& path, std::optional<FormulaId> expected = std::nullopt);
ListReadResult parseList(QByteArrayView bytes, std::optional<FormulaId> expected = std::nullopt);

// The digest ListReadResult gives for these bytes.
QByteArray digest(QByteArrayView bytes);

// Writes draw lines, each ended by CR LF, atomically. Empty lines are never written.
bool write(const QString& path, const QStringList& draws, QString* error);
// Writes the draws of a list (lines read from a file go back byte for byte).
bool write(const QString& path, const DrawList& draws, QString* error);

} // namespace HistoryFile
