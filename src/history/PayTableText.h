// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// A pay table as the settings keep it: only the rows the player changed from the table shipped
// with the game, "k=a;b;…" (the amounts for 0..k matched, whole euros for a 1 € stake; an empty
// field is an amount not known), rows separated by spaces. Amounts are whole euros because every
// amount printed on the slips is; a report multiplies them by the stake.
namespace PayTableText {

// The largest amount accepted: far above any prize, far below what sums of winnings can hold.
constexpr qint64 kMaxAmount = 999'999'999;

// One amount as typed: empty or « inconnu » is unknown; `ok` false for anything else but a
// whole number of euros from 0 to kMaxAmount.
struct Amount {
    bool ok = false;
    std::optional<qint64> value;
};
Amount amount(QStringView field);
// The amount as a cell shows it: « inconnu » when unknown, never 0.
QString shown(const std::optional<qint64>& value);

// Whether the game ships an incomplete table: its amounts then come from public sources and are
// provisional until the player checks them against the back of the slip.
bool provisional(const Formula& game);

// The rows of `table` that differ from the game's shipped table; empty when none does.
QString corrections(const PayTable& table, const Formula& game);

struct Reading {
    PayTable table; // the shipped table, with the rows read when the whole text is right
    QString error; // what is wrong, in French; empty when the text was read whole
};
// The shipped table of `game` with the rows of `text`. Any fault keeps the shipped table whole.
Reading read(QStringView text, const Formula& game);

// The table in force as the command line prints it: one line a number of ticked numbers, one
// column a number of matches, unknown amounts as « inconnu ».
QStringList lines(const PayTable& table, const Formula& game);

} // namespace PayTableText
