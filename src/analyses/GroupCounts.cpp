// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/GroupCounts.h"

#include "analyses/DrawBits.h"
#include "output/NumberFormat.h"

#include <array>

namespace GroupCounts {

namespace {

int sumOf(const NumberStats& stats, int from, int to, int step = 1)
{
    int sum = 0;
    for (int n = from; n <= to; n += step)
        sum += stats.appearances[static_cast<size_t>(n)];
    return sum;
}

} // namespace

AnalysisReport dizainesUnites(const DrawMatrix& matrix, const StudyPeriod& period)
{
    std::array<int, 71> counts{};
    for (int n = 1; n <= 70; ++n)
        counts[static_cast<size_t>(n)] = DrawBits::countInRange(matrix, n, period.first, period.last);

    AnalysisReport report;
    report.caption = QString();
    for (int t = 0; t < 7; ++t) {
        int tens = 0;
        for (int u = 1; u <= 10; ++u)
            tens += counts[static_cast<size_t>(10 * t + u)];
        report.lines << NumberFormat::apply(tens, u"###,##0") + QStringLiteral("  Numéros dans la ") + QStringLiteral(" dizaine ")
                + QString::number(t + 1);
    }
    report.lines << QString();
    for (int u = 1; u <= 10; ++u) {
        int digit = 0;
        for (int t = 0; t < 7; ++t)
            digit += counts[static_cast<size_t>(10 * t + u)];
        report.lines << NumberFormat::apply(digit, u"###,##0") + QStringLiteral(" Numéros finissant par  ")
                + QString::number(u % 10);
    }
    return report;
}

AnalysisReport septaines(const NumberStats& stats)
{
    static const char16_t* const captions[10] = {
        u"  Numéros de 1 a 7",   u"  Numéros de 8 a 14 ", u"  Numéros de 15 a 21", u"  Numéros de 22 a 28",
        u"  Numéros de 29 a 35", u"  Numéros de 36 a 42", u"  Numéros de 43 a 49", u"  Numéros de 50 a 56",
        u"  Numéros de 57 a 63", u"  Numéros de 64 a 70",
    };
    AnalysisReport report;
    report.caption = QString();
    for (int g = 0; g < 10; ++g)
        report.lines << NumberFormat::apply(sumOf(stats, 7 * g + 1, 7 * g + 7), u"#,##0") + QString::fromUtf16(captions[g]);
    return report;
}

AnalysisReport pairsImpairs(const NumberStats& stats)
{
    AnalysisReport report;
    report.caption = QString();
    report.lines << NumberFormat::apply(sumOf(stats, 1, 69, 2), u"#,##0") + QStringLiteral("  Numéros impairs");
    report.lines << NumberFormat::apply(sumOf(stats, 2, 70, 2), u"#,##0") + QStringLiteral("  Numéros pairs");
    return report;
}

AnalysisReport petitsGros(const NumberStats& stats)
{
    AnalysisReport report;
    report.lines << NumberFormat::apply(sumOf(stats, 1, 35), u"#,##0") + QStringLiteral("  Numéros bas ( 1 à 35 )");
    report.lines << NumberFormat::apply(sumOf(stats, 36, 70), u"#,##0") + QStringLiteral("  Numéros hauts 36 à 70");
    return report;
}

} // namespace GroupCounts
