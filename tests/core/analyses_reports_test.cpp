#include "analyses/Announcer.h"
#include "analyses/BestPartners.h"
#include "analyses/ChartValues.h"
#include "analyses/ColumnReport.h"
#include "analyses/GroupCounts.h"
#include "history/DrawLine.h"
#include "history/DrawMatrix.h"
#include "stats/NumberStats.h"
#include "stats/Rankings.h"
#include "support/TestSupport.h"

#include <QDate>
#include <gtest/gtest.h>
#include <set>

// Readable strings in failure messages.

using TestSupport::matrixOf;
using TestSupport::numberRange;

namespace {

// `numbers` first in the given order, then filler numbers from 70 downwards up to twenty.
QString drawWith(const QList<int>& numbers, int day = 0)
{
    QList<int> all = numbers;
    for (int f = 70; all.size() < 20; --f) {
        if (!all.contains(f))
            all << f;
    }
    DrawLine::Numbers fields{};
    std::copy(all.begin(), all.end(), fields.begin());
    return DrawLine::build(QDate(2021, 3, 1).addDays(day), fields, day % 2 == 0);
}

QStringList withEmptyItem(QStringList draws)
{
    draws << QString();
    return draws;
}

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
    const QStringList list = withEmptyItem({drawWith(numberRange(1, 20))});
    const AnalysisReport r = GroupCounts::dizainesUnites(matrixOf(list), StudyPeriod{0, 0});
    ASSERT_TRUE(r.caption.has_value());
    EXPECT_EQ(*r.caption, QString());
    EXPECT_TRUE(r.exported);
    const QStringList expected = {
        QStringLiteral("10  Numéros dans la  dizaine 1"), QStringLiteral("10  Numéros dans la  dizaine 2"),
        QStringLiteral("0  Numéros dans la  dizaine 3"),  QStringLiteral("0  Numéros dans la  dizaine 4"),
        QStringLiteral("0  Numéros dans la  dizaine 5"),  QStringLiteral("0  Numéros dans la  dizaine 6"),
        QStringLiteral("0  Numéros dans la  dizaine 7"),  QString(),
        QStringLiteral("2 Numéros finissant par  1"),     QStringLiteral("2 Numéros finissant par  2"),
        QStringLiteral("2 Numéros finissant par  3"),     QStringLiteral("2 Numéros finissant par  4"),
        QStringLiteral("2 Numéros finissant par  5"),     QStringLiteral("2 Numéros finissant par  6"),
        QStringLiteral("2 Numéros finissant par  7"),     QStringLiteral("2 Numéros finissant par  8"),
        QStringLiteral("2 Numéros finissant par  9"),     QStringLiteral("2 Numéros finissant par  0"),
    };
    EXPECT_EQ(r.lines, expected);
    // An empty period writes zeros.
    const AnalysisReport empty = GroupCounts::dizainesUnites(matrixOf(list), StudyPeriod{1, 0});
    EXPECT_EQ(empty.lines[0], QStringLiteral("0  Numéros dans la  dizaine 1"));
    EXPECT_EQ(empty.lines[17], QStringLiteral("0 Numéros finissant par  0"));
}

TEST(GroupCounts, LongHistoryCountsPassSixteenBitsAndAddUp)
{
    const int draws = 32766;
    const QStringList list = withEmptyItem(TestSupport::makeHistory(draws));
    const DrawMatrix m = matrixOf(list);
    // Counted independently from the lines' fields.
    const std::array<int, 71> byNumber = TestSupport::referenceStats(list, 0, draws - 1).appearances;
    const AnalysisReport r = GroupCounts::dizainesUnites(m, StudyPeriod{0, draws - 1});
    ASSERT_EQ(r.lines.size(), 18);
    int tensTotal = 0, digitsTotal = 0;
    for (int t = 0; t < 7; ++t) {
        int expected = 0;
        for (int u = 1; u <= 10; ++u)
            expected += byNumber[static_cast<size_t>(10 * t + u)];
        EXPECT_EQ(countOf(r.lines[t]), expected);
        tensTotal += countOf(r.lines[t]);
    }
    for (int i = 8; i < 18; ++i) {
        const int u = i - 7; // 1..10, 10 being the digit 0
        int expected = 0;
        for (int t = 0; t < 7; ++t)
            expected += byNumber[static_cast<size_t>(10 * t + u)];
        EXPECT_GT(expected, 32767);
        EXPECT_EQ(countOf(r.lines[i]), expected);
        EXPECT_TRUE(r.lines[i].contains(QLatin1Char(','))) << r.lines[i].toStdString();
        digitsTotal += countOf(r.lines[i]);
    }
    EXPECT_EQ(tensTotal, 20 * draws);
    EXPECT_EQ(digitsTotal, 20 * draws);

    StudyPeriod period{0, draws - 1};
    const NumberStats stats = computeStats(m, period);
    const AnalysisReport sept = GroupCounts::septaines(stats);
    int septTotal = 0;
    for (const QString& line : sept.lines) {
        EXPECT_GT(countOf(line), 32767);
        septTotal += countOf(line);
    }
    EXPECT_EQ(septTotal, 20 * draws);
    EXPECT_EQ(countOf(GroupCounts::pairsImpairs(stats).lines[0]) + countOf(GroupCounts::pairsImpairs(stats).lines[1]),
              20 * draws);
    EXPECT_EQ(countOf(GroupCounts::petitsGros(stats).lines[0]) + countOf(GroupCounts::petitsGros(stats).lines[1]), 20 * draws);
}

TEST(GroupCounts, SevensOddEvenLowHighLines)
{
    NumberStats stats;
    for (int n = 1; n <= 70; ++n)
        stats.appearances[static_cast<size_t>(n)] = n;
    const AnalysisReport sept = GroupCounts::septaines(stats);
    EXPECT_EQ(sept.lines,
              QStringList({QStringLiteral("28  Numéros de 1 a 7"), QStringLiteral("77  Numéros de 8 a 14 "),
                           QStringLiteral("126  Numéros de 15 a 21"), QStringLiteral("175  Numéros de 22 a 28"),
                           QStringLiteral("224  Numéros de 29 a 35"), QStringLiteral("273  Numéros de 36 a 42"),
                           QStringLiteral("322  Numéros de 43 a 49"), QStringLiteral("371  Numéros de 50 a 56"),
                           QStringLiteral("420  Numéros de 57 a 63"), QStringLiteral("469  Numéros de 64 a 70")}));
    EXPECT_EQ(sept.caption, QString());
    const AnalysisReport pi = GroupCounts::pairsImpairs(stats);
    EXPECT_EQ(pi.lines, QStringList({QStringLiteral("1,225  Numéros impairs"), QStringLiteral("1,260  Numéros pairs")}));
    EXPECT_EQ(pi.caption, QString());
    const AnalysisReport pg = GroupCounts::petitsGros(stats);
    EXPECT_EQ(pg.lines,
              QStringList({QStringLiteral("630  Numéros bas ( 1 à 35 )"), QStringLiteral("1,855  Numéros hauts 36 à 70")}));
    EXPECT_FALSE(pg.caption.has_value()); // left as the previous report set it
    EXPECT_TRUE(sept.exported && pi.exported && pg.exported);
}

TEST(ColumnReport, AnswersLinesAndPeriod)
{
    EXPECT_EQ(ColumnReport::prompt(), QStringLiteral("Entrez la colonne à tester (1 a 20)"));
    EXPECT_EQ(ColumnReport::readAnswer(u"7"), 7);
    EXPECT_EQ(ColumnReport::readAnswer(u"7 colonnes"), 7);
    EXPECT_EQ(ColumnReport::readAnswer(u"2.6"), 3);
    EXPECT_EQ(ColumnReport::readAnswer(u" 1 2"), 12);
    EXPECT_EQ(ColumnReport::readAnswer(u""), 0);
    EXPECT_EQ(ColumnReport::readAnswer(u"abc"), 0);
    for (int bad : {0, 21, -3, ColumnReport::readAnswer(u"")})
        EXPECT_FALSE(ColumnReport::isColumn(bad));
    EXPECT_TRUE(ColumnReport::isColumn(1) && ColumnReport::isColumn(20));

    // Column 1 holds 5, 5, 9 and 7; column 2 holds 12 each time; the fields keep their order.
    const QStringList list
        = withEmptyItem({drawWith({5, 12}, 0), drawWith({5, 12}, 1), drawWith({9, 12}, 2), drawWith({7, 12, 3}, 3)});
    const AnalysisReport c1 = ColumnReport::report(list, StudyPeriod{0, 3}, 1);
    EXPECT_EQ(c1.lines,
              QStringList({QStringLiteral("Numéro  5 sorti 2"), QStringLiteral("Numéro  7 sorti 1"),
                           QStringLiteral("Numéro  9 sorti 1"), QString(), QStringLiteral(" Dans la colonne 1")}));
    EXPECT_FALSE(c1.exported);
    EXPECT_FALSE(c1.caption.has_value());
    EXPECT_EQ(ColumnReport::report(list, StudyPeriod{1, 2}, 2).lines,
              QStringList({QStringLiteral("Numéro  12 sorti 2"), QString(), QStringLiteral(" Dans la colonne 2")}));
    // Column 3 of the last draw is 3; the others hold the filler 70. The trailing empty item
    // included in the period counts nowhere.
    EXPECT_EQ(ColumnReport::report(list, StudyPeriod{0, 4}, 3).lines,
              QStringList({QStringLiteral("Numéro  3 sorti 1"), QStringLiteral("Numéro  70 sorti 3"), QString(),
                           QStringLiteral(" Dans la colonne 3")}));
    EXPECT_TRUE(ColumnReport::report(list, StudyPeriod{0, 3}, 21).lines.isEmpty());

    // Every column's counts add up to the draws of the period.
    const QStringList history = withEmptyItem(TestSupport::makeHistory(500));
    for (int c = 1; c <= 20; ++c) {
        const AnalysisReport r = ColumnReport::report(history, StudyPeriod{100, 449}, c);
        int total = 0;
        for (const QString& line : r.lines.mid(0, r.lines.size() - 2))
            total += line.section(QLatin1Char(' '), -1).toInt();
        EXPECT_EQ(total, 350);
    }
}

TEST(BestPartners, HeaderOrderAndCounts)
{
    const AnalysisReport none = BestPartners::report(matrixOf(withEmptyItem({drawWith({1})})), StudyPeriod{0, 0}, {});
    EXPECT_EQ(none.lines,
              QStringList({QStringLiteral("Numeros choisis"), QStringLiteral("Nombre de numeros "), QStringLiteral("0")}));
    EXPECT_FALSE(none.exported);

    // 1 is in draws 0 and 1: partners 2 (twice), 3 and 53 (once), fillers 54..70 (twice).
    const QStringList list = withEmptyItem({drawWith({1, 2, 3}, 0), drawWith({1, 2}, 1), drawWith({2, 3}, 2)});
    const DrawMatrix m = matrixOf(list);
    const AnalysisReport r = BestPartners::report(m, StudyPeriod{0, 2}, {1});
    ASSERT_EQ(r.lines.size(), 4 + 69);
    EXPECT_EQ(r.lines.mid(0, 4),
              QStringList({QStringLiteral("Numeros choisis"), QStringLiteral("1"), QStringLiteral("Nombre de numeros "),
                           QStringLiteral("1")}));
    EXPECT_EQ(r.lines[4], QStringLiteral("Num  02 Sorti 0002 Fois "));
    EXPECT_EQ(r.lines[5], QStringLiteral("Num  54 Sorti 0002 Fois "));
    EXPECT_EQ(r.lines[21], QStringLiteral("Num  70 Sorti 0002 Fois "));
    EXPECT_EQ(r.lines[22], QStringLiteral("Num  03 Sorti 0001 Fois "));
    EXPECT_EQ(r.lines[23], QStringLiteral("Num  53 Sorti 0001 Fois "));
    EXPECT_EQ(r.lines[24], QStringLiteral("Num  04 Sorti 0000 Fois "));
    EXPECT_EQ(r.lines.last(), QStringLiteral("Num  52 Sorti 0000 Fois "));
    EXPECT_TRUE(r.exported);
    int total = 0;
    for (const QString& line : r.lines.mid(4))
        total += line.mid(14, 4).toInt();
    EXPECT_EQ(total, 2 * 19);

    // Outside the period 1 never came out: every other number with 0000, ascending.
    const AnalysisReport never = BestPartners::report(m, StudyPeriod{2, 2}, {1});
    EXPECT_EQ(never.lines[4], QStringLiteral("Num  02 Sorti 0000 Fois "));
    EXPECT_EQ(never.lines.last(), QStringLiteral("Num  70 Sorti 0000 Fois "));

    const AnalysisReport all = BestPartners::report(m, StudyPeriod{0, 2}, numberRange(1, 70));
    EXPECT_EQ(all.lines.size(), 1 + 70 + 2);
    EXPECT_EQ(all.lines.last(), QStringLiteral("70"));
    EXPECT_TRUE(all.exported);
}

TEST(Announcer, FollowersHitsAndRefusals)
{
    // {1,2} in draws 0 and 2; draw 1 holds 5, draw 3 holds 6, both with fillers 52..70.
    const QStringList list = withEmptyItem({drawWith({1, 2}, 0), drawWith({5}, 1), drawWith({1, 2}, 2), drawWith({6}, 3)});
    const DrawMatrix m = matrixOf(list);
    const Announcer::Result r = Announcer::report(m, StudyPeriod{0, 3}, {1, 2});
    EXPECT_EQ(r.hits, 2);
    const QStringList& lines = r.report.lines;
    ASSERT_EQ(lines.size(), 2 + 70);
    EXPECT_EQ(lines[0], QStringLiteral(" 01 02"));
    EXPECT_EQ(lines[1], QStringLiteral("Cette combinaison est sortie  2 fois et a annoncé au tirage suivant"));
    EXPECT_EQ(lines[2], QStringLiteral("2 fois le numéro  52"));
    EXPECT_EQ(lines[20], QStringLiteral("2 fois le numéro  70"));
    EXPECT_EQ(lines[21], QStringLiteral("1 fois le numéro  5"));
    EXPECT_EQ(lines[22], QStringLiteral("1 fois le numéro  6"));
    EXPECT_EQ(lines[23], QStringLiteral("0 fois le numéro  1"));
    EXPECT_EQ(lines.last(), QStringLiteral("0 fois le numéro  51"));
    EXPECT_TRUE(r.report.exported);
    int total = 0;
    for (const QString& line : lines.mid(2))
        total += line.section(QLatin1Char(' '), 0, 0).toInt();
    EXPECT_EQ(total, 20 * 2);

    // Out only in the period's last draw: the next item is the empty line, all counts 0.
    const Announcer::Result newest = Announcer::report(m, StudyPeriod{0, 3}, {6});
    EXPECT_EQ(newest.hits, 1);
    EXPECT_EQ(newest.report.lines[2], QStringLiteral("0 fois le numéro  1"));
    EXPECT_EQ(newest.report.lines.last(), QStringLiteral("0 fois le numéro  70"));

    const Announcer::Result never = Announcer::report(m, StudyPeriod{0, 3}, {1, 5});
    EXPECT_EQ(never.report.lines, QStringList({QStringLiteral(" Cette combinaison n'est jamais sortie")}));
    EXPECT_FALSE(never.report.exported);

    const Announcer::Result tooMany = Announcer::report(m, StudyPeriod{0, 3}, numberRange(1, 21));
    EXPECT_TRUE(tooMany.tooManyNumbers);
    EXPECT_TRUE(tooMany.report.lines.isEmpty());
    EXPECT_FALSE(tooMany.report.exported);
    EXPECT_FALSE(Announcer::tooManyMessage().isEmpty());
}

TEST(Announcer, EmptySetOnALongHistory)
{
    const int draws = 32766;
    const QStringList list = withEmptyItem(TestSupport::makeHistory(draws));
    const DrawMatrix m = matrixOf(list);
    // Every draw examined is a hit, the trailing empty item included: 32,767 hits.
    const Announcer::Result r = Announcer::report(m, StudyPeriod{0, draws - 1}, {});
    EXPECT_EQ(r.hits, draws + 1);
    EXPECT_EQ(r.report.lines[0], QString());
    EXPECT_EQ(r.report.lines[1], QStringLiteral("Cette combinaison est sortie 32 767 fois et a annoncé au tirage suivant"));
    // The followers are the appearances in draws 1..newest.
    const std::array<int, 71> expected = TestSupport::referenceStats(list, 1, draws - 1).appearances;
    int total = 0;
    for (const QString& line : r.report.lines.mid(2)) {
        const int count = line.section(QLatin1Char(' '), 0, 0).toInt();
        const int number = line.section(QLatin1Char(' '), -1).toInt();
        EXPECT_EQ(count, expected[static_cast<size_t>(number)]) << number;
        total += count;
    }
    EXPECT_EQ(total, 20 * (draws - 1));
}

TEST(ChartValues, SameFiguresAsTheRanking)
{
    const QStringList list = withEmptyItem(TestSupport::makeHistory(800));
    const DrawMatrix m = matrixOf(list);
    StudyPeriod period{150, 640};
    const NumberStats stats = computeStats(m, period);
    const ChartValues::Series sorties = ChartValues::sorties(stats);
    const ChartValues::Series ecarts = ChartValues::ecarts(stats);
    EXPECT_EQ(sorties.title, QStringLiteral("Sorties"));
    EXPECT_EQ(ecarts.title, QStringLiteral("Ecarts"));
    ASSERT_EQ(sorties.values.size(), 70);
    ASSERT_EQ(ecarts.values.size(), 70);
    // The figures the ranking by appearances shows: number, appearances, current gap, largest gap.
    for (int n : Rankings::order(RankingKind::Sorties, stats)) {
        const QStringList fields = Rankings::line(RankingKind::Sorties, n, stats).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_EQ(fields.size(), 4);
        EXPECT_EQ(fields[0].toInt(), n);
        EXPECT_EQ(sorties.values[n - 1], fields[1].toInt()) << n;
        EXPECT_EQ(ecarts.values[n - 1], fields[2].toInt()) << n;
    }
}
