// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/BestPartners.h"

#include "analyses/DrawBits.h"
#include "output/NumberFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace BestPartners {

AnalysisReport report(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen)
{
    AnalysisReport out;
    out.lines << QStringLiteral("Numeros choisis");
    for (int n : chosen)
        out.lines << QString::number(n);
    out.lines << QStringLiteral("Nombre de numeros ");
    out.lines << QString::number(chosen.size());
    if (chosen.isEmpty()) {
        out.exported = false;
        return out;
    }

    const int numbers = matrix.formula().numbers;
    const int first = std::max(period.first, 0);
    const int words = DrawBits::wordsFor(period.last - first + 1);
    std::vector<std::uint64_t> matching(static_cast<size_t>(words), ~std::uint64_t{0});
    std::vector<std::uint64_t> row(static_cast<size_t>(words));
    std::array<bool, Formula::kMaxNumber + 1> ticked{};
    for (int n : chosen) {
        const bool inGame = n >= 1 && n <= numbers;
        if (inGame)
            ticked[static_cast<size_t>(n)] = true;
        DrawBits::extract(matrix, inGame ? n : -1, first, period.last, row.data());
        for (int w = 0; w < words; ++w)
            matching[static_cast<size_t>(w)] &= row[static_cast<size_t>(w)];
    }
    std::array<int, Formula::kMaxNumber + 1> counts{};
    for (int x = 1; x <= numbers; ++x) {
        DrawBits::extract(matrix, x, first, period.last, row.data());
        int c = 0;
        for (int w = 0; w < words; ++w)
            c += std::popcount(matching[static_cast<size_t>(w)] & row[static_cast<size_t>(w)]);
        counts[static_cast<size_t>(x)] = c;
    }

    QList<int> others;
    for (int x = 1; x <= numbers; ++x) {
        if (!ticked[static_cast<size_t>(x)])
            others << x;
    }
    std::stable_sort(others.begin(), others.end(),
                     [&](int a, int b) { return counts[static_cast<size_t>(a)] > counts[static_cast<size_t>(b)]; });
    for (int x : others)
        out.lines << QStringLiteral("Num ") + NumberFormat::apply(x, u" 00") + QStringLiteral(" Sorti ")
                + NumberFormat::apply(counts[static_cast<size_t>(x)], u"0000") + QStringLiteral(" Fois ");
    return out;
}

} // namespace BestPartners
