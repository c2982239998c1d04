#include "analyses/Announcer.h"

#include "analyses/DrawBits.h"
#include "output/NumberFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace Announcer {

QString tooManyMessage()
{
    return QStringLiteral("Choisissez au plus 20 numéros : un tirage n'en contient que 20.");
}

Result report(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen)
{
    Result result;
    if (chosen.size() > kMaxChosen) {
        result.tooManyNumbers = true;
        result.report.exported = false;
        return result;
    }
    const int first = std::max(period.first, 0);
    const int lastExamined = period.last + 1;
    const int examined = lastExamined - first + 1;
    // Bit i is draw first + i; one bit more holds the draw after the last one examined.
    const int words = DrawBits::wordsFor(examined + 1);
    std::vector<std::uint64_t> hits(static_cast<size_t>(words), 0);
    std::vector<std::uint64_t> row(static_cast<size_t>(words));
    if (examined > 0) {
        for (int i = 0; i < examined / 64; ++i)
            hits[static_cast<size_t>(i)] = ~std::uint64_t{0};
        if (examined % 64 != 0)
            hits[static_cast<size_t>(examined / 64)] = (std::uint64_t{1} << (examined % 64)) - 1;
    }
    for (int n : chosen) {
        DrawBits::extract(matrix, n >= 1 && n <= 70 ? n : -1, first, lastExamined + 1, row.data());
        for (int w = 0; w < words; ++w)
            hits[static_cast<size_t>(w)] &= row[static_cast<size_t>(w)];
    }
    for (std::uint64_t w : hits)
        result.hits += std::popcount(w);

    // The draws that follow a hit: the hit set moved up by one draw.
    std::vector<std::uint64_t> following(static_cast<size_t>(words), 0);
    for (int w = 0; w < words; ++w) {
        following[static_cast<size_t>(w)] = hits[static_cast<size_t>(w)] << 1;
        if (w > 0)
            following[static_cast<size_t>(w)] |= hits[static_cast<size_t>(w - 1)] >> 63;
    }
    std::array<int, 71> counts{};
    for (int x = 1; x <= 70; ++x) {
        DrawBits::extract(matrix, x, first, lastExamined + 1, row.data());
        int c = 0;
        for (int w = 0; w < words; ++w)
            c += std::popcount(following[static_cast<size_t>(w)] & row[static_cast<size_t>(w)]);
        counts[static_cast<size_t>(x)] = c;
    }

    AnalysisReport& out = result.report;
    if (result.hits == 0) {
        out.lines << QStringLiteral(" Cette combinaison n'est jamais sortie");
        out.exported = false;
        return result;
    }
    QString set;
    for (int n : chosen)
        set += NumberFormat::apply(n, u" 00");
    out.lines << set;
    out.lines << QStringLiteral("Cette combinaison est sortie ") + NumberFormat::apply(result.hits, u"# ##0")
            + QStringLiteral(" fois et a annoncé au tirage suivant");
    QList<int> numbers;
    for (int x = 1; x <= 70; ++x)
        numbers << x;
    std::stable_sort(numbers.begin(), numbers.end(),
                     [&](int a, int b) { return counts[static_cast<size_t>(a)] > counts[static_cast<size_t>(b)]; });
    for (int x : numbers)
        out.lines << QString::number(counts[static_cast<size_t>(x)]) + QStringLiteral(" fois le numéro ")
                + NumberFormat::apply(x, u"# ###");
    return result;
}

} // namespace Announcer
