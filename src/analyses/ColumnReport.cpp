// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/ColumnReport.h"

#include "history/DrawLine.h"
#include "output/NumberFormat.h"

#include <algorithm>
#include <array>
#include <limits>

namespace ColumnReport {

QString prompt(const Formula& formula)
{
    return QStringLiteral("Entrez la colonne à tester (%1 a %2)").arg(kFirstColumn).arg(lastColumn(formula));
}

int readAnswer(QStringView answer)
{
    const qint64 v = NumberFormat::readTypedNumber(answer);
    return static_cast<int>(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool isColumn(int column, const Formula& formula)
{
    return column >= kFirstColumn && column <= lastColumn(formula);
}

AnalysisReport report(const QStringList& lines, const StudyPeriod& period, int column, const Formula& formula)
{
    AnalysisReport out;
    out.exported = false;
    if (!isColumn(column, formula))
        return out;
    std::array<int, Formula::kMaxNumber + 1> counts{};
    const int last = std::min(period.last, static_cast<int>(lines.size()) - 1);
    for (int d = std::max(period.first, 0); d <= last; ++d) {
        const int v = DrawLine::number(lines[d], column);
        // Fields that are not a number of the game are counted nowhere that is reported.
        if (v >= 1 && v <= formula.numbers)
            ++counts[static_cast<size_t>(v)];
    }
    for (int n = 1; n <= formula.numbers; ++n) {
        const int c = counts[static_cast<size_t>(n)];
        if (c != 0)
            out.lines << QStringLiteral("Numéro  ") + QString::number(n) + QStringLiteral(" sorti ") + QString::number(c);
    }
    out.lines << QString();
    out.lines << QStringLiteral(" Dans la colonne ") + NumberFormat::apply(column, u"#0");
    return out;
}

} // namespace ColumnReport
