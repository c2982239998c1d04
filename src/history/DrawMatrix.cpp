// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DrawMatrix.h"

#include "history/DrawLine.h"
#include "history/DrawList.h"

#include <algorithm>

void DrawMatrix::reshape(int columns, bool keep)
{
    columns = std::max(columns, 0);
    const size_t words = (static_cast<size_t>(columns) + 63) / 64;
    if (!keep) {
        m_bits.assign(words * kNumbers, 0);
    } else if (words != m_words) {
        std::vector<std::uint64_t> bits(words * kNumbers, 0);
        const size_t copy = std::min(words, m_words);
        for (int n = 0; n < kNumbers; ++n)
            std::copy_n(m_bits.begin() + static_cast<std::ptrdiff_t>(n * m_words), copy,
                        bits.begin() + static_cast<std::ptrdiff_t>(n * words));
        m_bits.swap(bits);
    }
    // Bits past a shrunken end must not come back when the matrix grows again.
    if (keep && columns < m_columns && words > 0 && columns % 64 != 0) {
        const std::uint64_t mask = (std::uint64_t{1} << (columns % 64)) - 1;
        for (int n = 0; n < kNumbers; ++n)
            m_bits[n * words + words - 1] &= mask;
    }
    m_words = words;
    m_columns = columns;
}

namespace {

// Marks the draws 64 at a time in one small block, then stores one word per row: setting bits
// straight into the rows (a page apart each) makes every draw miss the cache twenty times.
template <typename NumbersOf>
void fill(std::vector<std::uint64_t>& bits, size_t words, int draws, int highest, NumbersOf numbersOf)
{
    std::uint64_t block[DrawMatrix::kNumbers];
    for (int start = 0; start < draws; start += 64) {
        std::fill(std::begin(block), std::end(block), 0);
        const int end = std::min(draws, start + 64);
        for (int d = start; d < end; ++d) {
            const std::uint64_t bit = std::uint64_t{1} << (d - start);
            for (int v : numbersOf(d))
                block[v >= 1 && v <= highest ? v : 0] |= bit;
        }
        const size_t word = static_cast<size_t>(start / 64);
        for (int n = 0; n < DrawMatrix::kNumbers; ++n)
            bits[static_cast<size_t>(n) * words + word] = block[n];
    }
}

} // namespace

void DrawMatrix::rebuild(const QStringList& liste, FormulaId id)
{
    m_formula = id;
    const int items = static_cast<int>(liste.size());
    reshape(items + 1, false);
    fill(m_bits, m_words, items - 1, formula().numbers, [&](int d) {
        DrawLine::Numbers numbers = DrawLine::Numbers::of(formula());
        for (int k = 1; k <= numbers.count; ++k)
            numbers[static_cast<size_t>(k - 1)] = DrawLine::number(liste[d], k);
        return numbers;
    });
}

void DrawMatrix::rebuild(const DrawList& list)
{
    m_formula = list.formulaId();
    reshape(list.itemCount() + 1, false);
    fill(m_bits, m_words, list.drawCount(), formula().numbers, [&](int d) { return list.numbers(d); });
}

void DrawMatrix::resize(int columns)
{
    reshape(columns, true);
}

bool DrawMatrix::contains(int number, int draw) const
{
    if (number < 0 || number >= kNumbers || draw < 0 || draw >= m_columns)
        return false;
    return (m_bits[number * m_words + draw / 64] >> (draw % 64)) & 1u;
}

void DrawMatrix::set(int number, int draw, bool present)
{
    if (number < 0 || number >= kNumbers || draw < 0)
        return;
    if (draw >= m_columns)
        reshape(draw + 1, true);
    std::uint64_t& word = m_bits[number * m_words + draw / 64];
    const std::uint64_t bit = std::uint64_t{1} << (draw % 64);
    word = present ? (word | bit) : (word & ~bit);
}
