// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// A sixteen-of-fifty-six history made apart from the program: one evening draw a day from
// 03/11/2025, sixteen distinct numbers of 1..56 picked by rejection from a small congruential
// generator and written in the order picked (as the operator's archive gives them), and the
// counts a test checks the program's against.
namespace CurrentGameHistory {

constexpr int kNumbers = 56;
constexpr int kDrawn = 16;

struct History {
    QStringList lines;
    std::vector<std::array<int, kDrawn>> draws;
};

inline History make(int days, unsigned seed = 12345u)
{
    History h;
    unsigned state = seed;
    const QDate first(2025, 11, 3);
    for (int d = 0; d < days; ++d) {
        std::array<bool, kNumbers + 1> taken{};
        std::array<int, kDrawn> draw{};
        QString line = first.addDays(d).toString(QStringLiteral("dd/MM/yyyy"));
        for (int k = 0; k < kDrawn;) {
            state = state * 1103515245u + 12345u;
            const int n = static_cast<int>((state >> 16) % kNumbers) + 1;
            if (taken[static_cast<size_t>(n)])
                continue;
            taken[static_cast<size_t>(n)] = true;
            draw[static_cast<size_t>(k++)] = n;
            line += QString::asprintf(" %02d", n);
        }
        h.lines << line + QStringLiteral(" soir");
        h.draws.push_back(draw);
    }
    return h;
}

// Appearances, current gap and largest gap of number n over every draw of the history.
inline std::array<int, 3> counts(const History& h, int n)
{
    int appearances = 0, gap = 0, largest = 0;
    for (const auto& draw : h.draws) {
        bool in = false;
        for (int v : draw)
            in = in || v == n;
        appearances += in ? 1 : 0;
        gap = in ? 0 : gap + 1;
        largest = gap > largest ? gap : largest;
    }
    return {appearances, gap, largest};
}

} // namespace CurrentGameHistory
