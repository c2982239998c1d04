// SPDX-License-Identifier: GPL-3.0-or-later
#include "forecast/Performance.h"

#include "output/NumberFormat.h"

#include <algorithm>
#include <array>

namespace Performance {

namespace {

// Rows k = 1..10, columns m = 0..10.
constexpr std::array<std::array<qint64, 11>, 11> kPayTable = {{
    {},
    {0, 1},
    {0, 0, 6},
    {0, 0, 2, 10},
    {0, 0, 0, 5, 50},
    {0, 0, 0, 2, 10, 100},
    {0, 0, 0, 0, 2, 30, 1000},
    {0, 0, 0, 0, 2, 5, 70, 3000},
    {2, 0, 0, 0, 0, 5, 20, 100, 10000},
    {1, 0, 0, 0, 1, 2, 8, 20, 200, 40000},
    {1, 0, 0, 0, 0, 2, 5, 15, 100, 2500, 200000},
}};

QString withLeadingSpace(qint64 v)
{
    return v < 0 ? QString::number(v) : QLatin1Char(' ') + QString::number(v);
}

// Nearest whole number, halves to the even neighbour; divisor > 0.
qint64 roundHalfEven(qint64 dividend, qint64 divisor)
{
    qint64 q = dividend / divisor;
    qint64 r = dividend % divisor;
    if (r < 0) {
        r += divisor;
        --q;
    }
    if (2 * r > divisor || (2 * r == divisor && (q % 2) != 0))
        ++q;
    return q;
}

// The ticked numbers once each, ascending, outside 1..70 left out.
std::vector<int> chosenNumbers(const std::vector<int>& ticked)
{
    std::vector<int> chosen;
    std::array<bool, 71> box{};
    for (int s : ticked)
        if (s >= 1 && s <= 70)
            box[static_cast<size_t>(s)] = true;
    for (int s = 1; s <= 70; ++s)
        if (box[static_cast<size_t>(s)])
            chosen.push_back(s);
    return chosen;
}

// The k chosen numbers played on every draw of the period: one line per draw, and what the
// summary needs.
class Play {
public:
    Play(const DrawMatrix& matrix, const std::vector<int>& chosen, std::vector<qint64>& winGapCounts)
        : m_matrix(matrix), m_chosen(chosen), m_k(static_cast<int>(chosen.size())), m_winGapCounts(winGapCounts)
    {
        for (int m = 0; m <= 10; ++m)
            payRow[static_cast<size_t>(m)] = kPayTable[static_cast<size_t>(m_k)][static_cast<size_t>(m)];
        stake = m_k == 1 ? 0 : 1;
        for (int j = 0; j < m_k; ++j)
            m_rows[static_cast<size_t>(j)] = matrix.row(chosen[static_cast<size_t>(j)]);
        for (int s : chosen)
            m_numberTexts[static_cast<size_t>(s)] = NumberFormat::apply(s, u" 00");
    }

    // The line of draw d, dated `date`.
    QString draw(int d, const QString& date)
    {
        QString line;
        line.reserve(64);
        line += date;
        int m = 0;
        if (d < m_matrix.columns()) {
            const size_t word = static_cast<size_t>(d) / 64;
            const std::uint64_t bit = std::uint64_t{1} << (d % 64);
            for (int j = 0; j < m_k; ++j) {
                if (m_rows[static_cast<size_t>(j)][word] & bit) {
                    ++m;
                    line += m_numberTexts[static_cast<size_t>(m_chosen[static_cast<size_t>(j)])];
                }
            }
        }
        ++winGap;
        drawsByMatches[static_cast<size_t>(m)] += 1;
        const qint64 won = payRow[static_cast<size_t>(m)];
        totalWon += won;
        if (won != 0) {
            m_winGapCounts[static_cast<size_t>(winGap)] += 1;
            lastWinDate[static_cast<size_t>(m)] = date;
            if (line.size() < 45)
                line += QStringView(m_dash).left(45 - line.size());
            line += QString::number(won * stake);
            line += m_euros;
            line += QString::number(winGap);
            largestWinGap = std::max(largestWinGap, winGap);
            winGap = -1;
        }
        largestWinGap = std::max(largestWinGap, winGap);
        return line;
    }

    std::array<qint64, 11> payRow{};
    qint64 stake = 0;
    std::array<qint64, 11> drawsByMatches{};
    std::array<QString, 11> lastWinDate;
    qint64 totalWon = 0;
    qint64 winGap = 0;
    qint64 largestWinGap = 0;

private:
    const DrawMatrix& m_matrix;
    const std::vector<int>& m_chosen;
    const int m_k;
    std::vector<qint64>& m_winGapCounts;
    std::array<const std::uint64_t*, 10> m_rows{};
    std::array<QString, 71> m_numberTexts;
    const QString m_dash{45, QLatin1Char('-')};
    const QString m_euros = QStringLiteral("  €uros, Ecart ");
};

// Stake and winnings, gaps, and the draws by numbers matched.
QStringList summaryLines(const Play& play, int k, qint64 n, int first, int last)
{
    QStringList lines;
    lines << QString();
    if (k == 1) {
        lines << QStringLiteral("Sorti  ") + QString::number(play.totalWon) + QStringLiteral(" fois");
    } else {
        lines << QStringLiteral("Enjeu total ") + QString::number(n * play.stake) + QStringLiteral(" €uros");
        lines << QStringLiteral("Encaissé ") + QString::number(play.totalWon);
        lines << QString();
        if (play.totalWon > (n - 1) * play.stake)
            lines << QStringLiteral("_____________ Bénefice  ") + QString::number(play.totalWon - n * play.stake);
        else
            lines << QStringLiteral("____________Perte  ") + QString::number(play.totalWon - n * play.stake);
    }
    lines << QString();
    lines << QStringLiteral(" + Grand ecart ") + withLeadingSpace(play.largestWinGap);
    lines << QStringLiteral("Ecart actuel    ") + QString::number(play.winGap + 1);
    if (k == 1)
        return lines;
    for (int m = 0; m <= 10; ++m) {
        const qint64 p = play.payRow[static_cast<size_t>(m)];
        if (p == 0)
            continue;
        const qint64 count = play.drawsByMatches[static_cast<size_t>(m)];
        if (count != 0) {
            lines << NumberFormat::apply(count, u"  ##,000") + QStringLiteral("  fois ") + withLeadingSpace(m)
                    + QStringLiteral(" numéros  : gains ") + withLeadingSpace(count * p * play.stake) + QStringLiteral("    ")
                    + play.lastWinDate[static_cast<size_t>(m)] + QStringLiteral("  moyenne ")
                    + QString::number(roundHalfEven(qint64{last} - first, count));
        } else {
            lines << QStringLiteral(" Jamais sortie à ") + NumberFormat::apply(m, u"##0") + QStringLiteral(" numéros");
        }
    }
    return lines;
}

// How often each gap between winning draws came.
QStringList gapTableLines(const std::vector<int>& chosen, const std::vector<qint64>& winGapCounts)
{
    QStringList lines;
    lines << QString();
    lines << QStringLiteral(" tableau des écarts entre grilles gagnantes pour les numéros :");
    lines << QString();
    QString tickedLine;
    for (int s : chosen)
        tickedLine += NumberFormat::apply(s, u" ##");
    lines << tickedLine;
    lines << QString();
    for (size_t g = 0; g < winGapCounts.size(); ++g)
        if (winGapCounts[g] != 0)
            lines << NumberFormat::apply(winGapCounts[g], u"0000") + QStringLiteral("  fois a l'écart ")
                    + NumberFormat::apply(static_cast<qint64>(g), u"00");
    return lines;
}

} // namespace

qint64 pay(int k, int m)
{
    if (k < 1 || k > 10 || m < 0 || m > 10)
        return 0;
    return kPayTable[static_cast<size_t>(k)][static_cast<size_t>(m)];
}

PerformanceReport evaluate(const QStringList& liste, const DrawMatrix& matrix, const StudyPeriod& period,
                           const std::vector<int>& ticked)
{
    PerformanceReport report;
    report.title = QStringLiteral("Performance d'un ensemble");

    const std::vector<int> chosen = chosenNumbers(ticked);
    const int k = static_cast<int>(chosen.size());
    const int itemCount = static_cast<int>(liste.size());
    const int first = std::max(period.first, 0);
    const int last = period.last;
    const qint64 n = qint64{last} - first + 1;

    // Gaps never exceed the period length, nor the list.
    std::vector<qint64> winGapCounts(static_cast<size_t>(std::max<qint64>({qint64{itemCount}, n, 0})) + 1, 0);
    QStringList& lines = report.lines;

    if (k >= 1 && k <= 10) {
        Play play(matrix, chosen, winGapCounts);
        lines.reserve(static_cast<qsizetype>(std::max<qint64>(n, 0)) + 64);
        for (int d = first; d <= last; ++d)
            lines << play.draw(d, d < itemCount ? liste[d].left(10) : QString());
        if (n > 0)
            report.dat = lines.last();
        lines << summaryLines(play, k, n, first, last);
    }

    lines << gapTableLines(chosen, winGapCounts);
    report.selectedLine = static_cast<int>(lines.size()) - 1;
    lines << QString();
    return report;
}

} // namespace Performance
