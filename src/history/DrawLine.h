// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

// A draw is one 75-character line: "dd/mm/yyyy", twenty fields " NN", then " midi" or " soir".
// Fields are always read by position.
namespace DrawLine {

constexpr int kLength = 75;
constexpr int kNumbers = 20;
using Numbers = std::array<int, kNumbers>;

// The first 10 characters read as a day/month/year date (invalid QDate when they are not).
QDate date(QStringView line);
// Field k (1..20): the two characters at 1-based position 3k+9; text that is not a number gives 0.
int number(QStringView line, int k);
// Character 72 is 'm' for the midday draw; anything else is the evening draw.
bool isMiddayByChar(QStringView line);
// The last four characters compared with "soir".
bool endsWithSoir(QStringView line);
// The last five characters compared with " midi".
bool endsWithSpaceMidi(QStringView line);

// Builds the line from a date, twenty numbers (written in the given order) and the slot.
QString build(const QDate& date, const Numbers& numbers, bool midday);
QString build(const QString& dateText, const Numbers& numbers, const QString& slot);

// ';' is accepted in place of the spaces of a line.
QString normalize(QString line);

// Why a line is not a well-formed draw, in French; nullopt when it is one.
std::optional<QString> problem(QStringView line);

// Numeric reading of a short text as typed numbers are read (leading blanks ignored, numeric prefix,
// 0 when not a number).
int readField(QStringView text);

} // namespace DrawLine
