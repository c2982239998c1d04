// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawList.h"

#include <QDate>
#include <map>
#include <optional>
#include <vector>

// The multiplier the operator drew with each draw, where an archive (or the player) gives it,
// keyed by the draw's date and slot. The history lines keep their format; the multipliers live
// beside them, in a companion file written with the history.
class Multipliers {
public:
    std::optional<int> of(const QDate& day, int slot) const;
    void set(const QDate& day, int slot, int multiplier);
    void remove(const QDate& day, int slot);
    // Takes each of `other`'s values whose draw has none here: what is known already stays.
    void fill(const Multipliers& other);
    int size() const { return static_cast<int>(m_values.size()); }
    bool isEmpty() const { return m_values.empty(); }

    // The multiplier of every item of `list` (its trailing empty item included), 0 where none is
    // known: what the money reports read beside the draw matrix.
    std::vector<int> forItems(const DrawList& list) const;
    // The multipliers of the draws of `list` only.
    Multipliers keptFor(const DrawList& list) const;
    // How often each multiplier was drawn over `perItem` from `first` to `last` (items whose
    // multiplier is unknown are left out): multiplier -> count.
    static std::map<int, int> frequencies(const std::vector<int>& perItem, int first, int last);

    // Every entry, oldest first: (date, slot, multiplier).
    struct Entry {
        QDate day;
        int slot = 0;
        int multiplier = 0;
    };
    std::vector<Entry> entries() const;

    bool operator==(const Multipliers&) const = default;

private:
    static qint64 keyOf(const QDate& day, int slot) { return day.toJulianDay() * 4 + slot; }
    // Calls `known(item, day, slot, multiplier)` for each draw of `list` whose multiplier is known.
    template <typename Known> void eachKnown(const DrawList& list, Known known) const;
    std::map<qint64, int> m_values;
};
