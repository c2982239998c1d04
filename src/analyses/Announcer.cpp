// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/Announcer.h"

#include "analyses/DrawBits.h"
#include "output/NumberFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace Announcer {

QString tooManyMessage(const Formula& formula)
{
    return QStringLiteral("Choisissez au plus %1 numéros : un tirage n'en contient que %1.").arg(maxChosen(formula));
}

namespace {

using Bits = std::vector<std::uint64_t>;
using Counts = std::array<int, Formula::kMaxNumber + 1>;

// The examined draws (bit i is draw first + i) holding every chosen number; one bit more
// stands for the draw after the last one examined.
Bits drawsHoldingAll(const DrawMatrix& matrix, int first, int lastExamined, const QList<int>& chosen)
{
    const int examined = lastExamined - first + 1;
    const int words = DrawBits::wordsFor(examined + 1);
    Bits hits(static_cast<size_t>(words), 0);
    Bits row(static_cast<size_t>(words));
    if (examined > 0) {
        for (int i = 0; i < examined / 64; ++i)
            hits[static_cast<size_t>(i)] = ~std::uint64_t{0};
        if (examined % 64 != 0)
            hits[static_cast<size_t>(examined / 64)] = (std::uint64_t{1} << (examined % 64)) - 1;
    }
    const int numbers = matrix.formula().numbers;
    for (int n : chosen) {
        DrawBits::extract(matrix, n >= 1 && n <= numbers ? n : -1, first, lastExamined + 1, row.data());
        for (int w = 0; w < words; ++w)
            hits[static_cast<size_t>(w)] &= row[static_cast<size_t>(w)];
    }
    return hits;
}

// For every number, how many of the draws that follow a hit hold it.
Counts countsAfter(const DrawMatrix& matrix, int first, int lastExamined, const Bits& hits)
{
    const int words = static_cast<int>(hits.size());
    // The draws that follow a hit: the hit set moved up by one draw.
    Bits following(static_cast<size_t>(words), 0);
    for (int w = 0; w < words; ++w) {
        following[static_cast<size_t>(w)] = hits[static_cast<size_t>(w)] << 1;
        if (w > 0)
            following[static_cast<size_t>(w)] |= hits[static_cast<size_t>(w - 1)] >> 63;
    }
    Bits row(static_cast<size_t>(words));
    Counts counts{};
    for (int x = 1; x <= matrix.formula().numbers; ++x) {
        DrawBits::extract(matrix, x, first, lastExamined + 1, row.data());
        int c = 0;
        for (int w = 0; w < words; ++w)
            c += std::popcount(following[static_cast<size_t>(w)] & row[static_cast<size_t>(w)]);
        counts[static_cast<size_t>(x)] = c;
    }
    return counts;
}

// The combination, its hits, then every number by how often it followed, most first.
QStringList announcedLines(const QList<int>& chosen, int hits, const Counts& counts, int numbers)
{
    QStringList lines;
    QString set;
    for (int n : chosen)
        set += NumberFormat::apply(n, u" 00");
    lines << set;
    lines << QStringLiteral("Cette combinaison est sortie ") + NumberFormat::apply(hits, u"# ##0")
            + QStringLiteral(" fois et a annoncé au tirage suivant");
    QList<int> order;
    for (int x = 1; x <= numbers; ++x)
        order << x;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return counts[static_cast<size_t>(a)] > counts[static_cast<size_t>(b)]; });
    for (int x : order)
        lines << QString::number(counts[static_cast<size_t>(x)]) + QStringLiteral(" fois le numéro ")
                + NumberFormat::apply(x, u"# ###");
    return lines;
}

} // namespace

Result report(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen)
{
    Result result;
    if (chosen.size() > maxChosen(matrix.formula())) {
        result.tooManyNumbers = true;
        result.report.exported = false;
        return result;
    }
    const int first = std::max(period.first, 0);
    const int lastExamined = period.last + 1;
    const Bits hits = drawsHoldingAll(matrix, first, lastExamined, chosen);
    for (std::uint64_t w : hits)
        result.hits += std::popcount(w);
    const Counts counts = countsAfter(matrix, first, lastExamined, hits);

    AnalysisReport& out = result.report;
    if (result.hits == 0) {
        out.lines << QStringLiteral(" Cette combinaison n'est jamais sortie");
        out.exported = false;
        return result;
    }
    out.lines << announcedLines(chosen, result.hits, counts, matrix.formula().numbers);
    return result;
}

} // namespace Announcer
