// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>
#include <vector>

// The operator's CSV turned into draw lines. The header says which column holds what and which
// game the archive is (boule16 or boule20); anything that would not give a well-formed draw line
// is skipped and counted.
namespace CsvImport {

constexpr int kMinFields = 24; // up to the twentieth number (field 23) of the classic layout
constexpr int kFirstNumberField = 4;
constexpr int kMaxReasons = 10; // refusals kept for the report; the rest are only counted

// Where a row's fields are. A header that names no number column gets the classic places
// (date 1, slot 2, numbers 4 to 23), as the first archives were read.
struct Layout {
    FormulaId formula = FormulaId::Keno20of70;
    bool named = false; // read by the header's names
    int date = 1;
    int slot = 2; // -1: no time-of-day column, the game's one slot
    std::vector<int> numbers; // the columns of boule1, boule2...
    int multiplier = -1; // -1: the archive gives none
    // Fields a row must have, and fields worth cutting.
    int fieldsNeeded() const;
    int fieldsRead() const;
    const Formula& game() const { return Formula::get(formula); }
};

// "Keno" and the game's short label ("Keno 20 sur …"): how messages about archives name a game.
QString gameName(const Formula& game);

// The classic places: date 1, slot 2, the twenty numbers from field 4.
Layout classicLayout();
// The layout the header line names; nullopt and why in French when its number columns are
// neither game's or the date column is missing.
std::optional<Layout> layoutOf(QStringView header, QString* why);

struct Conversion {
    FormulaId formula = FormulaId::Keno20of70; // the game the header names
    QStringList lines; // draw lines, oldest first
    QList<int> lineNumbers; // the line of the file each one comes from (the header is line 1)
    QList<std::optional<int>> multipliers; // each line's multiplier, none where the row gives none
    int rows = 0; // pieces 1..U-1 looked at
    int skipped = 0; // rows refused
    QStringList reasons; // the first kMaxReasons refusals, in French
    QString headerProblem; // the header is no archive's: nothing is read
    // The file did not end with a line feed and its last piece, kept as a row, gave lines[0].
    bool lastPieceKept = false;
};

// What becomes of the last piece of the file. The download drops it (empty after the final line
// feed); building the history from archives keeps it when the file lacks that line feed.
enum class LastPiece { Dropped, KeptWhenNotEmpty };

// value i for piece i, maximum U.
using Progress = std::function<void(int value, int maximum)>;

// Decodes the file's bytes (ASCII, UTF-8 or Windows-1252) and converts them.
Conversion convert(const QByteArray& bytes, const Progress& progress = {}, LastPiece last = LastPiece::Dropped);
// Converts already decoded text: pieces are cut at every line feed, the first (header) is never
// imported, nor the last unless `last` says so; the others are newest first.
Conversion convertText(const QString& text, const Progress& progress = {}, LastPiece last = LastPiece::Dropped);

// True when the file's first line names the columns of either game's draws: a date and
// "boule1" to "boule16" or "boule20". Only the first line of `bytes` is looked at.
bool hasDrawHeader(const QByteArray& bytes);

// One row to its draw line; nullopt with the French reason (without the line number) when the
// row is refused. The first form reads the classic places.
std::optional<QString> rowToLine(QStringView row, QString* reason);
std::optional<QString> rowToLine(QStringView row, const Layout& layout, QString* reason,
                                 std::optional<int>* multiplier = nullptr);

} // namespace CsvImport
