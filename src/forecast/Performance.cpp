// SPDX-License-Identifier: GPL-3.0-or-later
#include "forecast/Performance.h"

#include "output/NumberFormat.h"
#include "output/Plural.h"

#include <algorithm>
#include <array>

namespace Performance {

namespace {

using PayRow = std::array<std::optional<qint64>, PayTable::kMaxTicked + 1>;

// What k numbers pay for each count matched. A single number is no bet here: its row counts
// the draws it came out in (1 for a match), whatever the game's table says.
PayRow payRowOf(const PayTable& table, int k)
{
    PayRow row;
    for (int m = 0; m <= PayTable::kMaxTicked; ++m)
        row[static_cast<size_t>(m)] = k == 1 ? std::optional<qint64>(m) : table.amount(k, m);
    return row;
}

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

// The ticked numbers once each, ascending, numbers outside the game left out.
std::vector<int> chosenNumbers(const std::vector<int>& ticked, const Formula& formula)
{
    std::vector<int> chosen;
    std::array<bool, Formula::kMaxNumber + 1> box{};
    for (int s : ticked)
        if (s >= 1 && s <= formula.numbers)
            box[static_cast<size_t>(s)] = true;
    for (int s = 1; s <= formula.numbers; ++s)
        if (box[static_cast<size_t>(s)])
            chosen.push_back(s);
    return chosen;
}

// The k chosen numbers played on every draw of the period: one line per draw, and what the
// summary needs. A draw whose amount is unknown is neither a win nor a loss: its line says so,
// it adds nothing to the winnings and closes no gap.
class Play {
public:
    Play(const DrawMatrix& matrix, const Wager& wager, const std::vector<int>& chosen, std::vector<qint64>& winGapCounts)
        : payRow(payRowOf(wager.table, static_cast<int>(chosen.size()))), m_matrix(matrix), m_wager(wager), m_chosen(chosen),
          m_k(static_cast<int>(chosen.size())), m_winGapCounts(winGapCounts)
    {
        stake = m_k == 1 ? 0 : 1;
        cost = m_k == 1 ? 0 : wager.stake.cost();
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
        const std::optional<qint64> amount = payRow[static_cast<size_t>(m)];
        if (!amount) {
            ++unknownDraws;
            lastWinDate[static_cast<size_t>(m)] = date;
            padTo45(line);
            line += QStringLiteral("gain inconnu");
            largestWinGap = std::max(largestWinGap, winGap);
            return line;
        }
        // One number counts its appearances: no stake, no multiplier.
        const qint64 won = m_k == 1 ? *amount : *amount * m_wager.stake.euros * m_wager.factor(d);
        totalWon += won;
        wonByMatches[static_cast<size_t>(m)] += won;
        if (won != 0) {
            m_winGapCounts[static_cast<size_t>(winGap)] += 1;
            lastWinDate[static_cast<size_t>(m)] = date;
            padTo45(line);
            line += QString::number(won * stake);
            line += m_euros;
            line += QString::number(winGap);
            largestWinGap = std::max(largestWinGap, winGap);
            winGap = -1;
        }
        largestWinGap = std::max(largestWinGap, winGap);
        return line;
    }

    const PayRow payRow;
    qint64 stake = 0; // what a drawn line's amount is printed times: nothing for one number
    qint64 cost = 0; // what one draw costs
    std::array<qint64, PayTable::kMaxTicked + 1> drawsByMatches{};
    std::array<qint64, PayTable::kMaxTicked + 1> wonByMatches{};
    std::array<QString, PayTable::kMaxTicked + 1> lastWinDate;
    qint64 totalWon = 0; // the known amounts only
    qint64 unknownDraws = 0; // draws whose amount the table does not give
    qint64 winGap = 0;
    qint64 largestWinGap = 0;

private:
    void padTo45(QString& line) const
    {
        if (line.size() < 45)
            line += QStringView(m_dash).left(45 - line.size());
    }

    const DrawMatrix& m_matrix;
    const Wager& m_wager;
    const std::vector<int>& m_chosen;
    const int m_k;
    std::vector<qint64>& m_winGapCounts;
    std::array<const std::uint64_t*, PayTable::kMaxTicked> m_rows{};
    std::array<QString, Formula::kMaxNumber + 1> m_numberTexts;
    const QString m_dash{45, QLatin1Char('-')};
    const QString m_euros = QStringLiteral("  €uros, Ecart ");
};

// Stake and winnings: the profit or loss only when every draw's amount is known.
QStringList totalLines(const Play& play, int k, qint64 n)
{
    QStringList lines;
    if (k == 1) {
        lines << QStringLiteral("Sorti  ") + QString::number(play.totalWon) + QStringLiteral(" fois");
        return lines;
    }
    lines << QStringLiteral("Enjeu total ") + QString::number(n * play.cost) + QStringLiteral(" €uros");
    if (play.unknownDraws != 0) {
        lines << QStringLiteral("Encaissé au moins ") + QString::number(play.totalWon) + QStringLiteral(" (gains inconnus sur ")
                + Plural::count(play.unknownDraws, QStringLiteral("tirage"), QStringLiteral("tirages")) + QLatin1Char(')');
        lines << QString();
        lines << QStringLiteral("Bénéfice ou perte inconnus");
        return lines;
    }
    lines << QStringLiteral("Encaissé ") + QString::number(play.totalWon);
    lines << QString();
    if (play.totalWon > (n - 1) * play.cost)
        lines << QStringLiteral("_____________ Bénefice  ") + QString::number(play.totalWon - n * play.cost);
    else
        lines << QStringLiteral("____________Perte  ") + QString::number(play.totalWon - n * play.cost);
    return lines;
}

// One line per count matched that pays or whose amount is unknown.
QStringList matchLines(const Play& play, int k, int first, int last)
{
    QStringList lines;
    for (int m = 0; m <= k; ++m) {
        const std::optional<qint64> p = play.payRow[static_cast<size_t>(m)];
        if (p == 0)
            continue;
        const qint64 count = play.drawsByMatches[static_cast<size_t>(m)];
        if (count == 0) {
            lines << QStringLiteral(" Jamais sortie à ") + NumberFormat::apply(m, u"##0") + QStringLiteral(" numéros");
            continue;
        }
        const QString gains = p
            ? QStringLiteral(" numéros  : gains ") + withLeadingSpace(play.wonByMatches[static_cast<size_t>(m)])
            : QStringLiteral(" numéros  : gain inconnu");
        lines << NumberFormat::apply(count, u"  ##,000") + QStringLiteral("  fois ") + withLeadingSpace(m) + gains
                + QStringLiteral("    ") + play.lastWinDate[static_cast<size_t>(m)] + QStringLiteral("  moyenne ")
                + QString::number(roundHalfEven(qint64{last} - first, count));
    }
    return lines;
}

// Stake and winnings, gaps, and the draws by numbers matched; first, when the pay table lacks
// an amount of the row played, a line that says so.
QStringList summaryLines(const Play& play, const Wager& wager, int k, qint64 n, int first, int last)
{
    QStringList lines;
    lines << QString();
    if (k != 1 && !wager.stake.isPlain()) {
        lines << QStringLiteral("Mise ") + wager.stake.label() + QStringLiteral(", soit %1 €uros par tirage").arg(play.cost);
        const QString unknown = wager.unknownMultipliersLine(first, last);
        if (!unknown.isEmpty())
            lines << unknown;
    }
    bool rowKnown = true;
    for (int m = 0; m <= k; ++m)
        rowKnown = rowKnown && play.payRow[static_cast<size_t>(m)].has_value();
    if (!rowKnown) {
        lines << QStringLiteral("Gains inconnus pour %1 numéros cochés : table des gains incomplète.").arg(k);
        lines << QStringLiteral("Les écarts ne comptent que les gains connus.");
    }
    lines << totalLines(play, k, n);
    lines << QString();
    lines << QStringLiteral(" + Grand ecart ") + withLeadingSpace(play.largestWinGap);
    lines << QStringLiteral("Ecart actuel    ") + QString::number(play.winGap + 1);
    if (k != 1)
        lines << matchLines(play, k, first, last);
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
    return Formula::classic().payTable.amount(k, m).value_or(0);
}

PerformanceReport evaluate(const QStringList& liste, const DrawMatrix& matrix, const StudyPeriod& period,
                           const std::vector<int>& ticked)
{
    return evaluate(liste, matrix, period, ticked, Wager(matrix.formula().payTable));
}

PerformanceReport evaluate(const QStringList& liste, const DrawMatrix& matrix, const StudyPeriod& period,
                           const std::vector<int>& ticked, const Wager& wager)
{
    PerformanceReport report;
    report.title = QStringLiteral("Performance d'un ensemble");

    const std::vector<int> chosen = chosenNumbers(ticked, matrix.formula());
    const int k = static_cast<int>(chosen.size());
    const int itemCount = static_cast<int>(liste.size());
    const int first = std::max(period.first, 0);
    const int last = period.last;
    const qint64 n = qint64{last} - first + 1;

    // Gaps never exceed the period length, nor the list.
    std::vector<qint64> winGapCounts(static_cast<size_t>(std::max<qint64>({qint64{itemCount}, n, 0})) + 1, 0);
    QStringList& lines = report.lines;

    if (k >= 1 && k <= PayTable::kMaxTicked) {
        Play play(matrix, wager, chosen, winGapCounts);
        lines.reserve(static_cast<qsizetype>(std::max<qint64>(n, 0)) + 64);
        for (int d = first; d <= last; ++d)
            lines << play.draw(d, d < itemCount ? liste[d].left(10) : QString());
        if (n > 0)
            report.dat = lines.last();
        lines << summaryLines(play, wager, k, n, first, last);
    }

    lines << gapTableLines(chosen, winGapCounts);
    report.selectedLine = static_cast<int>(lines.size()) - 1;
    lines << QString();
    return report;
}

} // namespace Performance
