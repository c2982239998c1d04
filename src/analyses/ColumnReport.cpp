// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/ColumnReport.h"

#include "history/DrawLine.h"
#include "output/NumberFormat.h"

#include <algorithm>
#include <array>
#include <limits>

namespace ColumnReport {

QString prompt()
{
    return QStringLiteral("Entrez la colonne à tester (1 a 20)");
}

int readAnswer(QStringView answer)
{
    const qint64 v = NumberFormat::readTypedNumber(answer);
    return static_cast<int>(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool isColumn(int column)
{
    return column >= kFirstColumn && column <= kLastColumn;
}

AnalysisReport report(const QStringList& lines, const StudyPeriod& period, int column)
{
    AnalysisReport out;
    out.exported = false;
    if (!isColumn(column))
        return out;
    std::array<int, 71> counts{};
    const int last = std::min(period.last, static_cast<int>(lines.size()) - 1);
    for (int d = std::max(period.first, 0); d <= last; ++d) {
        const int v = DrawLine::number(lines[d], column);
        // Fields that are not a number 1..70 are counted nowhere that is reported.
        if (v >= 1 && v <= 70)
            ++counts[static_cast<size_t>(v)];
    }
    for (int n = 1; n <= 70; ++n) {
        const int c = counts[static_cast<size_t>(n)];
        if (c != 0)
            out.lines << QStringLiteral("Numéro  ") + QString::number(n) + QStringLiteral(" sorti ") + QString::number(c);
    }
    out.lines << QString();
    out.lines << QStringLiteral(" Dans la colonne ") + NumberFormat::apply(column, u"#0");
    return out;
}

} // namespace ColumnReport
