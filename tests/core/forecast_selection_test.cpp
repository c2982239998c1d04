// SPDX-License-Identifier: GPL-3.0-or-later
#include "forecast/ForecastCriteria.h"
#include "forecast/ForecastSelection.h"
#include "support/NewGameSupport.h"
#include "support/TestSupport.h"

namespace {

using B = CriterionBar;
using namespace TestSupport;

// d0: 1, 3, 11..28; d1: 1, 31..49; d2: 1, 51..69; d3: 1, 2, 11..28.
DrawMatrix fourDraws()
{
    return matrixOf({drawHolding(0, QList<int>{1, 3} + numberRange(11, 28)), drawHolding(1, QList<int>{1} + numberRange(31, 49)),
                     drawHolding(2, QList<int>{1} + numberRange(51, 69)), drawHolding(3, QList<int>{1, 2} + numberRange(11, 28)),
                     QString()});
}

} // namespace

TEST(ForecastSelection, FourCriteriaOnAHandMadeHistory)
{
    ForecastCriteria c;
    // The average window stays at its design-time 28: all four draws. The general fewest bound
    // drags the most bound to 1 as well.
    const std::pair<B, int> moves[]
        = {{B::RecentDraws, 2},  {B::RecentMin, 2},  {B::RecentMax, 2}, {B::AverageMin, 2}, {B::AverageMax, 4},
           {B::GeneralDraws, 3}, {B::GeneralMin, 1}, {B::GapMin, 1},    {B::GapMax, 2}};
    for (const auto& [b, value] : moves)
        c.setValue(b, value);

    const ForecastSelectionResult r = ForecastSelection::run(fourDraws(), 4, c);

    QStringList e;
    e << QStringLiteral("Forme recente sur 2 Tirages , Sortie entre 2 et 2") << QStringLiteral(" 01 Sorti  0002");
    e << QString() << QStringLiteral("Forme moyenne sur 28 Tirages , Sortie entre 2 et 4") << QStringLiteral(" 01 Sorti  0004");
    for (int n = 11; n <= 28; ++n)
        e << QStringLiteral(" %1 Sorti  0002").arg(n, 2, 10, QLatin1Char('0'));
    e << QString() << QStringLiteral("Forme générale sur3 tirages sorties entre 1 et 1") << QStringLiteral(" 02 Sorti  0001");
    for (int n : numberRange(11, 28) + numberRange(31, 49) + numberRange(51, 69))
        e << QStringLiteral(" %1 Sorti  0001").arg(n, 2, 10, QLatin1Char('0'));
    e << QString() << QStringLiteral("Numéros à l'écart compris entre 1 et 2");
    for (int n = 31; n <= 49; ++n)
        e << QString::number(n) + QStringLiteral(" ecart  02");
    for (int n = 51; n <= 69; ++n)
        e << QString::number(n) + QStringLiteral(" ecart  01");
    auto group = [&e](int c, const QList<int>& numbers) {
        e << QString() << QStringLiteral("Communs à ") + QString::number(c) + QStringLiteral(" Criteres") << QString();
        for (int n : numbers)
            e << QString::number(n);
        e << QString();
    };
    group(4, {});
    group(3, {});
    group(2, QList<int>{1} + numberRange(11, 28) + numberRange(31, 49) + numberRange(51, 69));
    group(1, {2});
    group(0, numberRange(3, 10) + QList<int>{29, 30, 50, 70});
    EXPECT_EQ(r.lines, e);

    // The period is left on the general window, with its statistics.
    EXPECT_EQ(r.period.first, 1);
    EXPECT_EQ(r.period.last, 3);
    EXPECT_EQ(r.stats.appearances[1], 3);
    EXPECT_EQ(r.stats.currentGap[3], 3);
}

TEST(ForecastSelection, DesignTimeLabelsWindowsLargerThanTheHistoryAndNoSelectedItem)
{
    const ForecastCriteria c; // never opened: design-time texts, not the bars' positions
    const ForecastSelectionResult r = ForecastSelection::run(fourDraws(), 4, c);
    ASSERT_GE(r.lines.size(), 3);
    EXPECT_EQ(r.lines[0], QStringLiteral("Forme recente sur 14 Tirages , Sortie entre 0 et 14"));
    EXPECT_TRUE(r.lines.contains(QStringLiteral("Forme moyenne sur 28 Tirages , Sortie entre 0 et 28")));
    EXPECT_TRUE(r.lines.contains(QStringLiteral("Forme générale sur3000 tirages sorties entre 0 et 3000")));
    EXPECT_TRUE(r.lines.contains(QStringLiteral("Numéros à l'écart compris entre 0 et 100")));
    EXPECT_TRUE(r.lines.contains(QStringLiteral(" 01 Sorti  0004")));
    EXPECT_TRUE(r.lines.contains(QStringLiteral(" 04 Sorti  0000")));
    // Every number meets all four criteria: the group of 4 lists 1..70, the others nothing.
    const qsizetype g4 = r.lines.indexOf(QStringLiteral("Communs à 4 Criteres"));
    ASSERT_GE(g4, 0);
    for (int n = 1; n <= 70; ++n)
        EXPECT_EQ(r.lines[g4 + 1 + n], QString::number(n));
    EXPECT_EQ(r.lines.mid(g4 + 72, 3), utf8Lines({"", "", "Communs à 3 Criteres"}));
    EXPECT_EQ(r.lines.size(), g4 + 73 + 4 * 4);
    EXPECT_EQ(r.period.first, 0); // 3 - 3000 + 1 is cut at the first draw
    EXPECT_EQ(r.period.last, 3);

    // No selected item counts no draw.
    const ForecastSelectionResult none = ForecastSelection::run(fourDraws(), -1, c);
    EXPECT_EQ(none.period.last, -2);
    EXPECT_EQ(none.period.first, 0);
    EXPECT_TRUE(none.lines.contains(QStringLiteral(" 01 Sorti  0000")));
    EXPECT_TRUE(none.lines.contains(QStringLiteral("1 ecart  00")));
    EXPECT_TRUE(none.lines.contains(QStringLiteral("70 ecart  00")));
}

TEST(ForecastSelection, RecentWindowCountsTheDrawsEndingAtTheCurrentOne)
{
    // Number 1 in all of 15 draws; the click on the last draw makes the current draw index 13.
    QStringList liste;
    for (int i = 0; i < 15; ++i) {
        const int from = i == 14 ? 40 : i % 2 == 0 ? 2 : 21;
        liste << drawHolding(i, QList<int>{1} + numberRange(from, from + 18));
    }
    liste << QString();
    const DrawMatrix m = matrixOf(liste);
    ForecastCriteria c;
    c.setValue(B::RecentMin, 14);
    const ForecastSelectionResult r = ForecastSelection::run(m, 14, c);
    EXPECT_EQ(r.lines.mid(0, 3), utf8Lines({"Forme recente sur 14 Tirages , Sortie entre 14 et 14", " 01 Sorti  0014", ""}));
    // Number 1 meets the recent criterion, so it is not in the group of 0.
    const qsizetype g0 = r.lines.indexOf(QStringLiteral("Communs à 0 Criteres"));
    const qsizetype g4 = r.lines.indexOf(QStringLiteral("Communs à 4 Criteres"));
    EXPECT_EQ(r.lines[g4 + 2], QStringLiteral("1"));
    EXPECT_EQ(r.lines.indexOf(QStringLiteral("1"), g0), -1);
}

TEST(ForecastSelection, NewGameChecksTheFiftySixNumbersOnly)
{
    namespace ng = NewGameSupport;
    const ng::Draws draws = ng::randomDraws(120, 17);
    ForecastCriteria c;
    c.setValue(B::GeneralDraws, 100);
    const ForecastSelectionResult r = ForecastSelection::run(ng::matrixOf(draws), 120, c);
    // The groups by criteria met list every number of the game once, and no other.
    std::array<int, 71> listed{};
    const qsizetype from = r.lines.indexOf(QStringLiteral("Communs à 4 Criteres"));
    ASSERT_GE(from, 0);
    for (qsizetype i = from; i < r.lines.size(); ++i) {
        bool ok = false;
        const int n = r.lines[i].toInt(&ok);
        if (ok)
            ++listed[static_cast<size_t>(n)];
    }
    for (int n = 1; n <= 70; ++n)
        EXPECT_EQ(listed[static_cast<size_t>(n)], n <= 56 ? 1 : 0) << n;
    for (int n = 57; n <= 70; ++n)
        EXPECT_EQ(r.criteriaMet[static_cast<size_t>(n)], 0) << n;

    // The same from the windows' figures: numbers past 56 meet nothing, whatever their values.
    ForecastSelection::NumberValues a{}, gaps{};
    a.fill(3);
    gaps.fill(1);
    const SelectionBounds b{{1, 1, 1}, {0, 0, 0}, {5, 5, 5}, 0, 2};
    const ForecastSelection::NumberValues met = ForecastSelection::criteriaMet({&a, &a, &a}, gaps, b, Formula::current());
    EXPECT_EQ(met[56], 4);
    EXPECT_EQ(met[57], 0);
    EXPECT_EQ(ForecastSelection::criteriaMet({&a, &a, &a}, gaps, b)[70], 4);
}
