// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/ChartValues.h"
#include "support/NewGameSupport.h"
#include "support/TestSupport.h"

using namespace TestSupport;

TEST(ChartValues, SameFiguresAsTheRanking)
{
    const DrawMatrix m = matrixOf(makeHistory(800) << QString());
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

TEST(ChartValues, NewGameHasOneRowPerNumberOfFiftySix)
{
    namespace ng = NewGameSupport;
    const ng::Draws draws = ng::randomDraws(200, 3);
    const NumberStats stats = ng::appearances(draws, 0, 199);
    const ChartValues::Series sorties = ChartValues::sorties(stats, Formula::current());
    ASSERT_EQ(sorties.values.size(), 56);
    for (int n = 1; n <= 56; ++n)
        EXPECT_EQ(sorties.values[n - 1], stats.appearances[static_cast<size_t>(n)]);
    EXPECT_EQ(ChartValues::ecarts(stats, Formula::current()).values.size(), 56);
}
