// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/GroupCounts.h"
#include "output/NumberFormat.h"
#include "support/NewGameSupport.h"
#include "support/TestSupport.h"

using namespace TestSupport;

namespace {

// A count written with the thousands separator, read back.
int countOf(const QString& line)
{
    const QString digits = line.section(QLatin1Char(' '), 0, 0).remove(QLatin1Char(','));
    bool ok = false;
    const int v = digits.toInt(&ok);
    EXPECT_TRUE(ok) << line.toStdString();
    return v;
}

} // namespace

TEST(GroupCounts, TensAndLastDigitsOfOneDraw)
{
    const QStringList list = {drawHolding(0, numberRange(1, 20)), QString()};
    const AnalysisReport r = GroupCounts::dizainesUnites(matrixOf(list), StudyPeriod{0, 0});
    EXPECT_EQ(r.caption, QString());
    EXPECT_TRUE(r.exported);
    EXPECT_EQ(r.lines,
              utf8Lines({"10  Numéros dans la  dizaine 1", "10  Numéros dans la  dizaine 2", "0  Numéros dans la  dizaine 3",
                         "0  Numéros dans la  dizaine 4", "0  Numéros dans la  dizaine 5", "0  Numéros dans la  dizaine 6",
                         "0  Numéros dans la  dizaine 7", "", "2 Numéros finissant par  1", "2 Numéros finissant par  2",
                         "2 Numéros finissant par  3", "2 Numéros finissant par  4", "2 Numéros finissant par  5",
                         "2 Numéros finissant par  6", "2 Numéros finissant par  7", "2 Numéros finissant par  8",
                         "2 Numéros finissant par  9", "2 Numéros finissant par  0"}));
    // An empty period writes zeros.
    const AnalysisReport empty = GroupCounts::dizainesUnites(matrixOf(list), StudyPeriod{1, 0});
    EXPECT_EQ(empty.lines[0], QStringLiteral("0  Numéros dans la  dizaine 1"));
    EXPECT_EQ(empty.lines[17], QStringLiteral("0 Numéros finissant par  0"));
}

TEST(GroupCounts, LongHistoryCountsPassSixteenBitsAndAddUp)
{
    const int draws = 32766;
    const QStringList list = makeHistory(draws) << QString();
    const DrawMatrix m = matrixOf(list);
    // Counted independently from the lines' fields.
    const std::array<int, 71> byNumber = referenceStats(list, 0, draws - 1).appearances;
    const AnalysisReport r = GroupCounts::dizainesUnites(m, StudyPeriod{0, draws - 1});
    ASSERT_EQ(r.lines.size(), 18);
    // Lines 0..6 count the tens; lines 8..17 the last digits 1..9 then 0, each above 16 bits.
    std::array<int, 18> expected{};
    for (int n = 1; n <= 70; ++n) {
        expected[static_cast<size_t>((n - 1) / 10)] += byNumber[static_cast<size_t>(n)];
        expected[static_cast<size_t>(7 + (n + 9) % 10 + 1)] += byNumber[static_cast<size_t>(n)];
    }
    int tensTotal = 0, digitsTotal = 0;
    for (int i : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}) {
        EXPECT_EQ(countOf(r.lines[i]), expected[static_cast<size_t>(i)]) << i;
        (i < 7 ? tensTotal : digitsTotal) += countOf(r.lines[i]);
        if (i > 7) {
            EXPECT_TRUE(expected[static_cast<size_t>(i)] > 32767 && r.lines[i].contains(QLatin1Char(','))) << i;
        }
    }
    EXPECT_EQ(tensTotal, 20 * draws);
    EXPECT_EQ(digitsTotal, 20 * draws);

    StudyPeriod period{0, draws - 1};
    const NumberStats stats = computeStats(m, period);
    int septTotal = 0;
    for (const QString& line : GroupCounts::septaines(stats).lines) {
        EXPECT_GT(countOf(line), 32767);
        septTotal += countOf(line);
    }
    EXPECT_EQ(septTotal, 20 * draws);
    for (const AnalysisReport& two : {GroupCounts::pairsImpairs(stats), GroupCounts::petitsGros(stats)})
        EXPECT_EQ(countOf(two.lines[0]) + countOf(two.lines[1]), 20 * draws);
}

TEST(GroupCounts, SevensOddEvenLowHighLines)
{
    NumberStats stats;
    for (int n = 1; n <= 70; ++n)
        stats.appearances[static_cast<size_t>(n)] = n;
    const AnalysisReport sept = GroupCounts::septaines(stats);
    EXPECT_EQ(sept.lines,
              utf8Lines({"28  Numéros de 1 a 7", "77  Numéros de 8 a 14 ", "126  Numéros de 15 a 21", "175  Numéros de 22 a 28",
                         "224  Numéros de 29 a 35", "273  Numéros de 36 a 42", "322  Numéros de 43 a 49",
                         "371  Numéros de 50 a 56", "420  Numéros de 57 a 63", "469  Numéros de 64 a 70"}));
    EXPECT_EQ(sept.caption, QString());
    const AnalysisReport pi = GroupCounts::pairsImpairs(stats);
    EXPECT_EQ(pi.lines, utf8Lines({"1,225  Numéros impairs", "1,260  Numéros pairs"}));
    EXPECT_EQ(pi.caption, QString());
    const AnalysisReport pg = GroupCounts::petitsGros(stats);
    EXPECT_EQ(pg.lines, utf8Lines({"630  Numéros bas ( 1 à 35 )", "1,855  Numéros hauts 36 à 70"}));
    EXPECT_FALSE(pg.caption.has_value()); // left as the previous report set it
    EXPECT_TRUE(sept.exported && pi.exported && pg.exported);
}

TEST(GroupCounts, NewGameGroupsAgainstCountsMadeHere)
{
    namespace ng = NewGameSupport;
    const ng::Draws draws = ng::randomDraws(400, 31);
    const DrawMatrix m = ng::matrixOf(draws);
    const StudyPeriod period{37, 361};
    const NumberStats stats = ng::appearances(draws, period.first, period.last);
    const auto total = [&](int from, int to, int step) {
        int sum = 0;
        for (int n = from; n <= to; n += step)
            sum += stats.appearances[static_cast<size_t>(n)];
        return sum;
    };
    // Written with the user's thousands separator, as every group count is.
    const auto sum = [&](int from, int to, int step) { return NumberFormat::apply(total(from, to, step), u"#,##0"); };

    // Six tens, the last one 51-56, then the last digits 1..9 and 0 up to 56.
    const AnalysisReport dix = GroupCounts::dizainesUnites(m, period);
    QStringList expected;
    for (int t = 0; t < 6; ++t)
        expected << sum(10 * t + 1, std::min(10 * t + 10, 56), 1) + QStringLiteral("  Numéros dans la  dizaine ")
                + QString::number(t + 1);
    expected << QString();
    for (int u = 1; u <= 10; ++u)
        expected << sum(u, 56, 10) + QStringLiteral(" Numéros finissant par  ") + QString::number(u % 10);
    EXPECT_EQ(dix.lines, expected);

    // Eight groups of seven, 50-56 the last.
    const AnalysisReport sept = GroupCounts::septaines(stats, Formula::current());
    ASSERT_EQ(sept.lines.size(), 8);
    EXPECT_EQ(sept.lines[0], sum(1, 7, 1) + QStringLiteral("  Numéros de 1 a 7"));
    EXPECT_EQ(sept.lines[1], sum(8, 14, 1) + QStringLiteral("  Numéros de 8 a 14 "));
    EXPECT_EQ(sept.lines[7], sum(50, 56, 1) + QStringLiteral("  Numéros de 50 a 56"));

    EXPECT_EQ(
        GroupCounts::pairsImpairs(stats, Formula::current()).lines,
        QStringList({sum(1, 55, 2) + QStringLiteral("  Numéros impairs"), sum(2, 56, 2) + QStringLiteral("  Numéros pairs")}));
    EXPECT_EQ(GroupCounts::petitsGros(stats, Formula::current()).lines,
              QStringList({sum(1, 28, 1) + QStringLiteral("  Numéros bas ( 1 à 28 )"),
                           sum(29, 56, 1) + QStringLiteral("  Numéros hauts 29 à 56")}));
    // Every group of a report adds up to sixteen numbers a draw.
    EXPECT_EQ(total(1, 56, 1), 16 * (period.last - period.first + 1));
}
