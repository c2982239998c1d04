// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <array>

// The pay tables in force: each game's table as shipped, with the amounts the player filled in or
// corrected from the back of the slip. Every money report reads its table from here, never the
// shipped one directly, so a player's correction reaches them all.
class PayTables {
public:
    // The tables as shipped.
    PayTables();
    const PayTable& of(FormulaId id) const& { return m_tables[index(id)]; }
    // A copy when the tables are a temporary, so `PayTables().of(id)` never dangles.
    PayTable of(FormulaId id) && { return m_tables[index(id)]; }
    void set(FormulaId id, const PayTable& table) { m_tables[index(id)] = table; }
    // Whether the table of `id` is the one shipped.
    bool isShipped(FormulaId id) const;

private:
    static size_t index(FormulaId id) { return id == FormulaId::Keno20of70 ? 0 : 1; }
    std::array<PayTable, 2> m_tables;
};
