// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>

// The operator's CSV turned into draw lines. Rows are cut at ";" and read by field number;
// anything that would not give a well-formed draw line is skipped and counted.
namespace CsvImport {

constexpr int kMinFields = 24; // up to the twentieth number (field 23)
constexpr int kFirstNumberField = 4;
constexpr int kMaxReasons = 10; // refusals kept for the report; the rest are only counted

struct Conversion {
    QStringList lines; // draw lines, oldest first
    QList<int> lineNumbers; // the line of the file each one comes from (the header is line 1)
    int rows = 0; // pieces 1..U-1 looked at
    int skipped = 0; // rows refused
    QStringList reasons; // the first kMaxReasons refusals, in French
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

// True when the file's first line names the fields a row is read by: at least 24 fields, the
// second one a date, and fields 4 to 23 the twenty numbers in order ("boule1" .. "boule20").
// Only the first line of `bytes` is looked at.
bool hasDrawHeader(const QByteArray& bytes);

// One row to its draw line; nullopt with the French reason (without the line number) when the
// row is refused.
std::optional<QString> rowToLine(QStringView row, QString* reason);

} // namespace CsvImport
