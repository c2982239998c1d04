// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/NumberStats.h"

#include "history/DrawList.h"
#include "support/CurrentGameHistory.h"

#include <gtest/gtest.h>
#include <random>
#include <tuple>
#include <vector>

TEST(NumberStats, GapExamples)
{
    constexpr int P = 12;
    // Draws (1-based) holding number 5, the period, then appearances, current gap, largest gap.
    const std::tuple<std::vector<int>, StudyPeriod, std::array<int, 3>> rows[] = {
        {{4, 12}, {0, P - 1}, {2, 0, 7}}, // drawn in the last draw
        {{}, {0, P - 1}, {0, P, P}}, // never drawn
        {{1}, {0, P - 1}, {1, P - 1, P - 1}}, // drawn only in the first draw
        {{3, 10}, {0, P - 1}, {2, 2, 6}}, // the run between appearances
        {{8, 9}, {0, P - 1}, {2, 3, 7}}, // the run before the first appearance counts
        {{3, 10}, {2, 9}, {2, 0, 6}}, // only the period counts
        {{1, 2, 3}, {0, -1}, {0, 0, 0}}, // empty period
        {{1, 2, 3}, {5, 4}, {0, 0, 0}}, // reversed period
    };
    for (auto [drawnIn, period, expected] : rows) {
        DrawMatrix m;
        m.resize(P + 1);
        for (int d : drawnIn)
            m.set(5, d - 1, true);
        SCOPED_TRACE(testing::Message() << "period " << period.first << ".." << period.last);
        const NumberStats s = computeStats(m, period);
        EXPECT_EQ((std::array<int, 3>{s.appearances[5], s.currentGap[5], s.largestGap[5]}), expected);
        EXPECT_EQ(s.largestGap[70], std::max(0, period.last - period.first + 1)); // 70 is never drawn
    }
}

TEST(NumberStats, FastWalkEqualsDrawByDrawWalk)
{
    std::mt19937 rng(20240601u);
    for (int round = 0; round < 40; ++round) {
        const int columns = std::uniform_int_distribution<int>(0, 300)(rng);
        DrawMatrix m;
        m.resize(columns);
        // Sparse rows and dense rows: long and short gaps across 64-draw words.
        for (int n = 0; n <= 70; ++n) {
            std::bernoulli_distribution present(n % 7 == 0 ? 0.02 : (n % 3 == 0 ? 0.9 : 0.28));
            for (int d = 0; d < columns; ++d)
                m.set(n, d, present(rng));
        }
        // Periods may start before 0 and end past the matrix; the first ones end on word boundaries.
        std::uniform_int_distribution<int> pick(-3, columns + 70);
        for (int k = 0; k < 20; ++k) {
            StudyPeriod fast
                = k < 3 ? StudyPeriod{64 * k + k % 2 * 63, 64 * (k + 2) - 1 + k % 2} : StudyPeriod{pick(rng), pick(rng)};
            StudyPeriod naive = fast;
            ASSERT_EQ(computeStats(m, fast), computeStatsNaive(m, naive))
                << "columns " << columns << " period " << naive.first << ".." << naive.last;
            EXPECT_EQ(fast.first, naive.first);
        }
    }
}

// A generated sixteen-of-fifty-six history: the matrix marks numbers 1..56 only, and both walks
// count what the test counts by itself.
TEST(NumberStats, TheCurrentGameOverNumbersOneToFiftySix)
{
    const CurrentGameHistory::History history = CurrentGameHistory::make(300, 777u);
    QStringList lines = history.lines;
    // A line of the right shape holding 57: no number of this game, it marks row 0 only.
    lines << QStringLiteral("30/08/2026 57 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 soir");
    const DrawList list = DrawList::fromLines(lines);
    ASSERT_EQ(list.formulaId(), FormulaId::Keno16of56);
    DrawMatrix m;
    m.rebuild(list);
    EXPECT_EQ(m.formula().id, FormulaId::Keno16of56);
    EXPECT_TRUE(m.contains(0, 300) && !m.contains(57, 300) && m.contains(1, 300));

    StudyPeriod period{0, 299}, naivePeriod{0, 299};
    const NumberStats fast = computeStats(m, period);
    EXPECT_EQ(fast, computeStatsNaive(m, naivePeriod));
    EXPECT_EQ(fast.formula, FormulaId::Keno16of56);
    int total = 0;
    for (int n = 1; n <= 56; ++n) {
        const auto expected = CurrentGameHistory::counts(history, n);
        EXPECT_EQ((std::array<int, 3>{fast.appearances[static_cast<size_t>(n)], fast.currentGap[static_cast<size_t>(n)],
                                      fast.largestGap[static_cast<size_t>(n)]}),
                  expected)
            << n;
        total += fast.appearances[static_cast<size_t>(n)];
    }
    EXPECT_EQ(total, 300 * 16);
    // Numbers past the game's are no numbers of it: not even their gaps are counted.
    for (int n = 57; n <= Formula::kMaxNumber; ++n)
        EXPECT_EQ(fast.largestGap[static_cast<size_t>(n)], 0) << n;

    // The same lines rebuilt as text lines of this game.
    DrawMatrix fromLines;
    fromLines.rebuild(lines + QStringList{QString()}, FormulaId::Keno16of56);
    for (int n = 0; n <= Formula::kMaxNumber; ++n)
        for (int d = 0; d < 301; ++d)
            ASSERT_EQ(fromLines.contains(n, d), m.contains(n, d)) << n << " " << d;
}
