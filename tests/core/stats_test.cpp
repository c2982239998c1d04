#include "history/DrawLine.h"
#include "history/DrawMatrix.h"
#include "stats/NumberStats.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// A matrix of `draws` columns where number n is present in the given 1-based draws.
DrawMatrix matrixWith(int draws, int n, std::initializer_list<int> presentIn)
{
    DrawMatrix m;
    m.resize(draws + 1);
    for (int d : presentIn)
        m.set(n, d - 1, true);
    return m;
}

NumberStats stats(const DrawMatrix& m, int first, int last)
{
    StudyPeriod p{first, last};
    return computeStats(m, p);
}

} // namespace

TEST(NumberStats, GapExamples)
{
    constexpr int P = 12;
    // Drawn in the period's last draw.
    NumberStats s = stats(matrixWith(P, 5, {4, 12}), 0, P - 1);
    EXPECT_EQ(s.appearances[5], 2);
    EXPECT_EQ(s.currentGap[5], 0);
    EXPECT_EQ(s.largestGap[5], 7);

    // Never drawn: 0, P, P; number 70 as well as a middle number.
    s = stats(matrixWith(P, 5, {}), 0, P - 1);
    EXPECT_EQ(s.appearances[5], 0);
    EXPECT_EQ(s.currentGap[5], P);
    EXPECT_EQ(s.largestGap[5], P);
    EXPECT_EQ(s.currentGap[70], P);
    EXPECT_EQ(s.largestGap[1], P);

    // Drawn only in the first draw.
    s = stats(matrixWith(P, 5, {1}), 0, P - 1);
    EXPECT_EQ(s.appearances[5], 1);
    EXPECT_EQ(s.currentGap[5], P - 1);
    EXPECT_EQ(s.largestGap[5], P - 1);

    // Drawn in draws 3 and 10 of 12: the run 4..9 is the largest.
    s = stats(matrixWith(P, 5, {3, 10}), 0, P - 1);
    EXPECT_EQ(s.appearances[5], 2);
    EXPECT_EQ(s.currentGap[5], 2);
    EXPECT_EQ(s.largestGap[5], 6);

    // The run before the first appearance counts too.
    s = stats(matrixWith(P, 5, {8, 9}), 0, P - 1);
    EXPECT_EQ(s.currentGap[5], 3);
    EXPECT_EQ(s.largestGap[5], 7);

    // Only the period counts: draws 3..10 (indices 2..9) see draws 3 and 10 at both ends.
    s = stats(matrixWith(P, 5, {3, 10}), 2, 9);
    EXPECT_EQ(s.appearances[5], 2);
    EXPECT_EQ(s.currentGap[5], 0);
    EXPECT_EQ(s.largestGap[5], 6);
    // Column 0 is never counted for number 0.
    EXPECT_EQ(s.appearances[0], 0);
}

TEST(NumberStats, EmptyReversedAndClampedPeriods)
{
    const DrawMatrix m = matrixWith(10, 7, {1, 2, 3});
    const NumberStats zero;
    EXPECT_EQ(stats(m, 0, -1), zero);
    EXPECT_EQ(stats(m, 5, 4), zero);
    EXPECT_EQ(stats(m, 9, 2), zero);
    DrawMatrix empty;
    EXPECT_EQ(stats(empty, 0, -1), zero);

    StudyPeriod p{-4, 2};
    const NumberStats s = computeStats(m, p);
    EXPECT_EQ(p.first, 0);
    EXPECT_EQ(s.appearances[7], 3);
    StudyPeriod q{-4, 2};
    EXPECT_EQ(computeStatsNaive(m, q), s);
    EXPECT_EQ(q.first, 0);

    // Running twice gives the same figures.
    EXPECT_EQ(stats(m, 0, 9), stats(m, 0, 9));
}

TEST(NumberStats, FastWalkEqualsDrawByDrawWalk)
{
    std::mt19937 rng(20240601u);
    for (int round = 0; round < 60; ++round) {
        const int columns = std::uniform_int_distribution<int>(0, 400)(rng);
        DrawMatrix m;
        m.resize(columns);
        // Sparse rows for some numbers, dense for others: long and short gaps.
        for (int n = 0; n <= 70; ++n) {
            const double density = (n % 7 == 0) ? 0.02 : (n % 3 == 0 ? 0.9 : 0.28);
            std::bernoulli_distribution present(density);
            for (int d = 0; d < columns; ++d)
                if (present(rng))
                    m.set(n, d, true);
        }
        for (int k = 0; k < 25; ++k) {
            std::uniform_int_distribution<int> pick(-3, columns + 70);
            StudyPeriod fast{pick(rng), pick(rng)};
            if (k % 5 == 0) // around 64-draw word boundaries
                fast = {64 * (k % 3) + (k % 2 ? 63 : 0), 64 * (k % 3 + 2) + (k % 2 ? 0 : 63)};
            StudyPeriod naive = fast;
            const NumberStats a = computeStats(m, fast);
            const NumberStats b = computeStatsNaive(m, naive);
            ASSERT_EQ(a, b) << "columns " << columns << " period " << naive.first << ".." << naive.last;
            EXPECT_EQ(fast.first, naive.first);
        }
    }
}

TEST(DrawMatrix, ResizeKeepsBitsAndShrinkForgets)
{
    DrawMatrix m;
    m.resize(200);
    for (int d : {0, 63, 64, 65, 127, 128, 150, 199})
        m.set(12, d, true);
    m.resize(300);
    EXPECT_EQ(m.columns(), 300);
    for (int d : {0, 63, 64, 65, 127, 128, 150, 199})
        EXPECT_TRUE(m.contains(12, d)) << d;
    EXPECT_FALSE(m.contains(12, 1));
    EXPECT_FALSE(m.contains(12, 250));

    // Shrinking inside a word and across words, then growing: dropped bits stay gone.
    m.resize(100);
    EXPECT_FALSE(m.contains(12, 127));
    m.resize(300);
    EXPECT_TRUE(m.contains(12, 65));
    for (int d : {127, 128, 150, 199})
        EXPECT_FALSE(m.contains(12, d)) << d;
    m.resize(64);
    m.resize(65);
    EXPECT_TRUE(m.contains(12, 63));
    EXPECT_FALSE(m.contains(12, 64));
    m.resize(0);
    m.resize(10);
    EXPECT_FALSE(m.contains(12, 0));

    // Out of range reads are false; a set beyond the end grows the matrix.
    EXPECT_FALSE(m.contains(71, 0));
    EXPECT_FALSE(m.contains(-1, 0));
    EXPECT_FALSE(m.contains(12, -1));
    m.set(3, 20, true);
    EXPECT_EQ(m.columns(), 21);
    EXPECT_TRUE(m.contains(3, 20));
}

TEST(DrawMatrix, RebuildMarksDrawsAndSendsBadFieldsToRowZero)
{
    QStringList liste = TestSupport::makeHistory(3);
    QString bad = liste[1];
    bad.replace(11, 2, QStringLiteral("00")); // field 1
    bad.replace(14, 2, QStringLiteral("ab")); // field 2
    bad.replace(17, 2, QStringLiteral("71")); // field 3
    bad.replace(20, 2, QStringLiteral("99")); // field 4
    liste[1] = bad;
    liste << QString();

    DrawMatrix m;
    m.set(40, 10, true); // old contents vanish
    m.rebuild(liste);
    EXPECT_EQ(m.columns(), 5);
    EXPECT_FALSE(m.contains(40, 10));
    for (int d : {0, 2})
        for (int k = 1; k <= 20; ++k)
            EXPECT_TRUE(m.contains(DrawLine::number(liste[d], k), d));
    for (int n = 1; n <= 70; ++n) {
        // The trailing empty item holds no number.
        EXPECT_FALSE(m.contains(n, 3));
        EXPECT_FALSE(m.contains(n, 4));
        bool inLine = false;
        for (int k = 5; k <= 20; ++k)
            inLine = inLine || DrawLine::number(bad, k) == n;
        EXPECT_EQ(m.contains(n, 1), inLine) << n;
    }
    EXPECT_TRUE(m.contains(0, 1));
    EXPECT_FALSE(m.contains(0, 0));
    EXPECT_FALSE(m.contains(0, 2));

    StudyPeriod p{0, 2};
    const NumberStats s = computeStats(m, p);
    int total = 0;
    for (int n = 1; n <= 70; ++n)
        total += s.appearances[n];
    EXPECT_EQ(total, 20 + 16 + 20);
}
