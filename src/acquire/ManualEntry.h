// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QString>
#include <array>
#include <optional>

// The rules of a draw typed in by hand: its date and time of day follow from the draw before it.
namespace ManualEntry {

struct Slot {
    QString dateText; // dd/MM/yyyy
    QString slot; // " midi" or " soir"
};

// The draw after `previous`: the same day's evening after a midday draw, the next day's midday
// after an evening draw; in a game drawn once a day, the next day's draw. nullopt when
// `previous` does not start with a valid date.
std::optional<Slot> after(const QString& previous, const Formula& game = Formula::classic());

// The oldest draw has no line above it: a correction keeps its own date and slot.
std::optional<Slot> own(const QString& line);

// The ticked numbers in ascending order, each as a space and two digits.
QString numbersText(const std::array<bool, Formula::kMaxNumber + 1>& ticked);

} // namespace ManualEntry
