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

// "  Numéros de 8 a 14 " has always carried a trailing blank; the other captions have none.
QString septaineCaption(const NumberRange& group)
{
    QString caption = QStringLiteral("  Numéros de %1 a %2").arg(group.first).arg(group.last);
    if (group.first == 8)
        caption += QLatin1Char(' ');
    return caption;
}

} // namespace

AnalysisReport dizainesUnites(const DrawMatrix& matrix, const StudyPeriod& period)
{
    const Formula& formula = matrix.formula();
    std::array<int, Formula::kMaxNumber + 1> counts{};
    for (int n = 1; n <= formula.numbers; ++n)
        counts[static_cast<size_t>(n)] = DrawBits::countInRange(matrix, n, period.first, period.last);

    AnalysisReport report;
    report.caption = QString();
    int t = 0;
    for (const NumberRange& ten : formula.runs(10)) {
        int tens = 0;
        for (int n = ten.first; n <= ten.last; ++n)
            tens += counts[static_cast<size_t>(n)];
        report.lines << NumberFormat::apply(tens, u"###,##0") + QStringLiteral("  Numéros dans la ") + QStringLiteral(" dizaine ")
                + QString::number(++t);
    }
    report.lines << QString();
    // The last digits 1..9, then 0.
    for (int u = 1; u <= 10; ++u) {
        int digit = 0;
        for (int n = u; n <= formula.numbers; n += 10)
            digit += counts[static_cast<size_t>(n)];
        report.lines << NumberFormat::apply(digit, u"###,##0") + QStringLiteral(" Numéros finissant par  ")
                + QString::number(u % 10);
    }
    return report;
}

AnalysisReport septaines(const NumberStats& stats, const Formula& formula)
{
    AnalysisReport report;
    report.caption = QString();
    for (const NumberRange& group : formula.runs(7))
        report.lines << NumberFormat::apply(sumOf(stats, group.first, group.last), u"#,##0") + septaineCaption(group);
    return report;
}

AnalysisReport pairsImpairs(const NumberStats& stats, const Formula& formula)
{
    AnalysisReport report;
    report.caption = QString();
    report.lines << NumberFormat::apply(sumOf(stats, 1, formula.numbers, 2), u"#,##0") + QStringLiteral("  Numéros impairs");
    report.lines << NumberFormat::apply(sumOf(stats, 2, formula.numbers, 2), u"#,##0") + QStringLiteral("  Numéros pairs");
    return report;
}

AnalysisReport petitsGros(const NumberStats& stats, const Formula& formula)
{
    const NumberRange low = formula.lowHalf(), high = formula.highHalf();
    AnalysisReport report;
    report.lines << NumberFormat::apply(sumOf(stats, low.first, low.last), u"#,##0")
            + QStringLiteral("  Numéros bas ( %1 à %2 )").arg(low.first).arg(low.last);
    report.lines << NumberFormat::apply(sumOf(stats, high.first, high.last), u"#,##0")
            + QStringLiteral("  Numéros hauts %1 à %2").arg(high.first).arg(high.last);
    return report;
}

} // namespace GroupCounts
