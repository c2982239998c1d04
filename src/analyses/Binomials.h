// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cstddef>
#include <limits>
#include <vector>

namespace CombinationEngine {

// C(n, m) for n up to k and m up to r, saturated (only counts of shares and ranks use them).
class Binomials {
public:
    Binomials(int k, int r)
        : m_cols(std::max(r, 0) + 1), m_table(static_cast<size_t>(std::max(k, 0) + 1) * static_cast<size_t>(m_cols), 0)
    {
        constexpr qint64 kMax = std::numeric_limits<qint64>::max();
        for (int n = 0; n <= std::max(k, 0); ++n) {
            at(n, 0) = 1;
            for (int m = 1; m < m_cols && m <= n; ++m) {
                const qint64 a = at(n - 1, m - 1), b = at(n - 1, m);
                at(n, m) = a > kMax - b ? kMax : a + b;
            }
        }
    }
    qint64 operator()(int n, int m) const
    {
        if (n < 0 || m < 0 || m >= m_cols || m > n || static_cast<size_t>(n) * static_cast<size_t>(m_cols) >= m_table.size())
            return 0;
        return m_table[static_cast<size_t>(n) * static_cast<size_t>(m_cols) + static_cast<size_t>(m)];
    }

private:
    qint64& at(int n, int m) { return m_table[static_cast<size_t>(n) * static_cast<size_t>(m_cols) + static_cast<size_t>(m)]; }
    int m_cols;
    std::vector<qint64> m_table;
};

} // namespace CombinationEngine
