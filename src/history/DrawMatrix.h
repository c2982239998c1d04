// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QStringList>
#include <cstdint>
#include <vector>

class DrawList;

// Presence of every number 0..kMaxNumber in every list item: one bitset over the draws per
// number, so analyses can work a 64-draw word at a time. Only numbers 1..formula().numbers are
// marked; the rows above stay empty.
class DrawMatrix {
public:
    static constexpr int kNumbers = Formula::kMaxNumber + 1;

    // Sizes to items.size() + 1 columns and marks the numbers of every draw line of game `id`
    // (all items but the trailing empty one). Fields reading 0 or above the game's highest
    // number mark row 0 only.
    void rebuild(const QStringList& liste, FormulaId id = FormulaId::Keno20of70);
    // The same from a draw list (its trailing empty item included in the columns).
    void rebuild(const DrawList& list);
    // Changes the column count, keeping existing bits; new columns start false.
    void resize(int columns);
    int columns() const { return m_columns; }
    // The game of the list the matrix was built from: rows above formula().numbers stay empty.
    const Formula& formula() const { return Formula::get(m_formula); }
    void setFormula(FormulaId id) { m_formula = id; }

    bool contains(int number, int draw) const;
    void set(int number, int draw, bool present);

    int wordCount() const { return static_cast<int>(m_words); }
    const std::uint64_t* row(int number) const { return m_bits.data() + static_cast<size_t>(number) * m_words; }

private:
    void reshape(int columns, bool keep);
    FormulaId m_formula = FormulaId::Keno20of70;
    int m_columns = 0;
    size_t m_words = 0;
    std::vector<std::uint64_t> m_bits;
};
