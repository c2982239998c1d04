// The distributions under the chance reports, against values worked out by hand or from tables.
#include "chance/ChanceMath.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ChanceMath;

TEST(ChanceMathTest, KenoMatchesAreTheExactHypergeometricFractions)
{
    // C(20,m)·C(50,k−m)/C(70,k) written out as fractions.
    EXPECT_NEAR(kenoMatchProbability(1, 1), 2.0 / 7.0, 1e-15);
    EXPECT_NEAR(kenoMatchProbability(1, 0), 5.0 / 7.0, 1e-15);
    EXPECT_NEAR(kenoMatchProbability(2, 2), 38.0 / 483.0, 1e-15);
    EXPECT_NEAR(kenoMatchProbability(3, 0), 140.0 / 391.0, 1e-15);
    EXPECT_NEAR(kenoMatchProbability(10, 10) / (184756.0 / 396704524216.0), 1.0, 1e-12);
    // Impossible counts.
    EXPECT_EQ(kenoMatchProbability(3, 4), 0.0);
    EXPECT_EQ(kenoMatchProbability(0, 1), 0.0);
    for (int k = 1; k <= 10; ++k) {
        double sum = 0;
        for (int m = 0; m <= k; ++m)
            sum += kenoMatchProbability(k, m);
        EXPECT_NEAR(sum, 1.0, 1e-12) << k;
    }
}

TEST(ChanceMathTest, QuantilesMatchPublishedTables)
{
    EXPECT_NEAR(chiSquareQuantile(1, 0.95), 3.841459, 1e-6);
    EXPECT_NEAR(chiSquareQuantile(10, 0.95), 18.307038, 1e-6);
    EXPECT_NEAR(chiSquareQuantile(69, 0.95), 89.391208, 1e-5);
    EXPECT_NEAR(chiSquareQuantile(10, 0.99), 23.209251, 1e-6);
    EXPECT_NEAR(chiSquareUpperTail(18.307038, 10), 0.05, 1e-7);
    EXPECT_NEAR(chiSquareUpperTail(2.0, 2), std::exp(-1.0), 1e-12); // df 2 is exponential
    EXPECT_EQ(chiSquareUpperTail(0.0, 69), 1.0);
    EXPECT_NEAR(normalQuantile(0.975), 1.959964, 1e-6);
}

TEST(ChanceMathTest, BinomialBandLeavesAtMostTwoAndAHalfPercentEachSide)
{
    // Worked out from the exact binomial of 2/7.
    Band b = binomialBand(10, 2.0 / 7.0);
    EXPECT_EQ(b.low, 0);
    EXPECT_EQ(b.high, 6);
    EXPECT_NEAR(binomialOutsideShare(10, 2.0 / 7.0, b), 319232.0 / 40353607.0, 1e-12);
    b = binomialBand(100, 2.0 / 7.0);
    EXPECT_EQ(b.low, 20);
    EXPECT_EQ(b.high, 38);
    EXPECT_NEAR(binomialOutsideShare(100, 2.0 / 7.0, b), 0.03518112466, 1e-9);
    b = binomialBand(350, 2.0 / 7.0);
    EXPECT_EQ(b.low, 84);
    EXPECT_EQ(b.high, 117);
}

TEST(ChanceMathTest, TwoSidedBinomialPValue)
{
    // 10 heads of 10 fair tosses: 2 × 1/1024.
    EXPECT_NEAR(binomialTwoSidedP(10, 10, 0.5), 2.0 / 1024.0, 1e-15);
    // 5 of 10 fair: both tails exceed one half, capped at 1.
    EXPECT_EQ(binomialTwoSidedP(5, 10, 0.5), 1.0);
    // 0 of 4 at 1/2: 2 × 1/16.
    EXPECT_NEAR(binomialTwoSidedP(0, 4, 0.5), 0.125, 1e-15);
    EXPECT_EQ(binomialTwoSidedP(0, 0, 0.3), 1.0);
}

TEST(ChanceMathTest, HolmStepsDownAndKeepsTheOrder)
{
    const std::vector<double> adjusted = holmAdjust({0.01, 0.04, 0.03, 0.005});
    ASSERT_EQ(adjusted.size(), 4u);
    EXPECT_NEAR(adjusted[0], 0.03, 1e-15); // second smallest × 3
    EXPECT_NEAR(adjusted[1], 0.06, 1e-15); // 0.04 × 1, raised to the previous 0.06
    EXPECT_NEAR(adjusted[2], 0.06, 1e-15); // third smallest × 2
    EXPECT_NEAR(adjusted[3], 0.02, 1e-15); // smallest × 4
    EXPECT_EQ(holmAdjust({0.5, 0.9})[1], 1.0); // capped
}

namespace {

// Every sequence of `trials` draws, weighted: the reference the recurrence must agree with.
double bruteLongestRunAtLeast(int trials, double q, int length)
{
    double total = 0;
    for (unsigned mask = 0; mask < (1u << trials); ++mask) {
        int run = 0, longest = 0, misses = 0;
        for (int i = 0; i < trials; ++i) {
            if (mask & (1u << i)) {
                ++misses;
                longest = std::max(longest, ++run);
            } else {
                run = 0;
            }
        }
        if (longest >= length)
            total += std::pow(q, misses) * std::pow(1 - q, trials - misses);
    }
    return total;
}

} // namespace

TEST(ChanceMathTest, LongestRunOfMissesAgreesWithEnumeration)
{
    const double q = 5.0 / 7.0;
    for (int trials : {1, 5, 12}) {
        double expected = 0;
        for (int length = 0; length <= trials + 1; ++length) {
            const double brute = bruteLongestRunAtLeast(trials, q, length);
            EXPECT_NEAR(longestRunAtLeast(trials, q, length), brute, 1e-12) << trials << ' ' << length;
            if (length >= 1)
                expected += brute;
        }
        EXPECT_NEAR(expectedLongestRun(trials, q), expected, 1e-9) << trials;
    }
    // One draw: a run of 1 exactly when it misses.
    EXPECT_NEAR(longestRunAtLeast(1, q, 1), q, 1e-15);
}
