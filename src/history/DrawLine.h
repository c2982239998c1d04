// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QDate>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

// A draw is one line: "dd/mm/yyyy", one field " NN" per number drawn, then a blank and the slot
// word ("midi", "soir"); Formula::lineLength() gives its length. Fields are always read by
// position, at the same places in the lines of every game.
namespace DrawLine {

// The longest line and the most fields of any game (the twenty-of-seventy draw).
constexpr int kLength = 10 + 3 * Formula::kMaxDrawn + 5;
constexpr int kNumbers = Formula::kMaxDrawn;

// The numbers of one draw, in the order they are written. `count` of them are used; a value-
// initialized Numbers holds the most a draw holds, so the twenty-number draw needs no count.
struct Numbers {
    std::array<int, kNumbers> values{};
    int count = kNumbers;

    // Room for the draw of `formula`, every number 0.
    static Numbers of(const Formula& formula)
    {
        Numbers n;
        n.count = formula.drawn;
        return n;
    }
    int& operator[](size_t k) { return values[k]; }
    int operator[](size_t k) const { return values[k]; }
    int* begin() { return values.data(); }
    int* end() { return values.data() + count; }
    const int* begin() const { return values.data(); }
    const int* end() const { return values.data() + count; }
    int size() const { return count; }
    bool operator==(const Numbers&) const = default;
};

// The first 10 characters read as a day/month/year date (invalid QDate when they are not).
QDate date(QStringView line);
// Field k (1..drawn): the two characters at 1-based position 3k+9; text that is not a number gives 0.
int number(QStringView line, int k);
// Character 72 is 'm' for the midday draw; anything else is the evening draw.
bool isMiddayByChar(QStringView line);
// The last four characters compared with "soir".
bool endsWithSoir(QStringView line);
// The last five characters compared with " midi".
bool endsWithSpaceMidi(QStringView line);
// Index in formula.drawSlots of the line's slot, from the first letter of its word (where the
// game's lines hold it): the last slot when that letter is no slot's. The twenty-of-seventy lines
// read as isMiddayByChar reads them.
int slotIndex(QStringView line, const Formula& formula);

// Builds the line from a date, the numbers (written in the given order) and the slot.
QString build(const QDate& date, const Numbers& numbers, bool midday);
QString build(const QString& dateText, const Numbers& numbers, const QString& slot);

// ';' is accepted in place of the spaces of a line.
QString normalize(QString line);

// Why a line is not a well-formed draw of `formula`, in French; nullopt when it is one. A draw of
// the other game is named as such.
std::optional<QString> problem(QStringView line, const Formula& formula = Formula::classic());

// Numeric reading of a short text as typed numbers are read (leading blanks ignored, numeric prefix,
// 0 when not a number).
int readField(QStringView text);

} // namespace DrawLine
