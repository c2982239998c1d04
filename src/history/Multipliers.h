// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawList.h"

#include <QDate>
#include <map>
#include <optional>
#include <set>
#include <vector>

// The multiplier the operator drew with each draw, where an archive (or the player) gives it,
// keyed by the draw's date and slot. The history lines keep their format; the multipliers live
// beside them, in a companion file written with the history.
class Multipliers {
public:
    std::optional<int> of(const QDate& day, int slot) const;
    void set(const QDate& day, int slot, int multiplier);
    // The player takes a wrong multiplier away: it is remembered as removed, so a write also
    // drops it from the file beside the history, until a value is set again.
    void remove(const QDate& day, int slot);
    bool removed(const QDate& day, int slot) const { return m_removed.count(keyOf(day, slot)) != 0; }
    bool hasRemovals() const { return !m_removed.empty(); }
    // The removals were written: the file holds none of them any more.
    void settleRemovals() { m_removed.clear(); }
    // Sets each of these values over `base` and takes away from it what was removed here.
    void applyTo(Multipliers& base) const;
    // Takes each of `other`'s values whose draw has none here: what is known already stays.
    void fill(const Multipliers& other);
    int size() const { return static_cast<int>(m_values.size()); }
    bool isEmpty() const { return m_values.empty(); }

    // The multiplier of every item of `list` (its trailing empty item included), 0 where none is
    // known: what the money reports read beside the draw matrix.
    std::vector<int> forItems(const DrawList& list) const;
    // The multipliers of the draws of `list` only, with the removals of its draws.
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

    // The same values known; removals still to write are no value.
    bool operator==(const Multipliers& other) const { return m_values == other.m_values; }

private:
    static qint64 keyOf(const QDate& day, int slot) { return day.toJulianDay() * 4 + slot; }
    // Calls `known(item, day, slot, multiplier)` for each draw of `list` whose multiplier is known.
    template <typename Known> void eachKnown(const DrawList& list, Known known) const;
    std::map<qint64, int> m_values;
    std::set<qint64> m_removed;
};
