// SPDX-License-Identifier: GPL-3.0-or-later
// The distributions under the chance reports, against values worked out by hand or from tables.
#include "chance/ChanceMath.h"
#include "support/ChanceSupport.h"

using namespace ChanceMath;

TEST(ChanceMathTest, KenoMatchesAreTheExactHypergeometricFractions)
{
    for (int k = 1; k <= 10; ++k)
        for (int m = 0; m <= k; ++m)
            EXPECT_NEAR(kenoMatchProbability(k, m) / ChanceSupport::odds(k, m), 1.0, 1e-12) << k << ' ' << m;
    // Impossible counts.
    EXPECT_EQ(kenoMatchProbability(3, 4), 0.0);
    EXPECT_EQ(kenoMatchProbability(0, 1), 0.0);
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
    auto ends = [](const Band& b) { return std::pair{b.low, b.high}; };
    EXPECT_EQ(ends(binomialBand(10, 2.0 / 7.0)), std::pair(0, 6));
    EXPECT_NEAR(binomialOutsideShare(10, 2.0 / 7.0, binomialBand(10, 2.0 / 7.0)), 319232.0 / 40353607.0, 1e-12);
    EXPECT_EQ(ends(binomialBand(100, 2.0 / 7.0)), std::pair(20, 38));
    EXPECT_NEAR(binomialOutsideShare(100, 2.0 / 7.0, binomialBand(100, 2.0 / 7.0)), 0.03518112466, 1e-9);
    EXPECT_EQ(ends(binomialBand(350, 2.0 / 7.0)), std::pair(84, 117));
}

TEST(ChanceMathTest, TwoSidedPValuesKeepTheirFarTails)
{
    // 10 heads of 10 fair tosses: 2 × 1/1024.
    EXPECT_NEAR(binomialTwoSidedP(10, 10, 0.5), 2.0 / 1024.0, 1e-15);
    // 5 of 10 fair: both tails exceed one half, capped at 1.
    EXPECT_EQ(binomialTwoSidedP(5, 10, 0.5), 1.0L);
    // 0 of 4 at 1/2: 2 × 1/16.
    EXPECT_NEAR(binomialTwoSidedP(0, 4, 0.5), 0.125, 1e-15);
    EXPECT_EQ(binomialTwoSidedP(0, 0, 0.3), 1.0L);
    // A number in 60 draws of 60, and in none of 300: 2 (2/7)^60 and 2 (5/7)^300, where
    // 1 − CDF would give 0.
    EXPECT_NEAR(binomialTwoSidedP(60, 60, 2.0 / 7.0) / (2 * std::pow(2.0L / 7, 60)), 1.0, 1e-9);
    EXPECT_NEAR(binomialTwoSidedP(0, 300, 2.0 / 7.0) / (2 * std::pow(5.0L / 7, 300)), 1.0, 1e-9);
    // 59 of 60: 2 (60 (2/7)^59 (5/7) + (2/7)^60).
    EXPECT_NEAR(binomialTwoSidedP(59, 60, 2.0 / 7.0) / (2 * std::pow(2.0L / 7, 59) * (60 * 5.0L / 7 + 2.0L / 7)), 1.0, 1e-9);

    // Fisher: 4 of the 5 drawn in a group among 10, the number in 4 of the 10: the only table as
    // far is 4, C(4,4) C(6,1) / C(10,5) = 6/252, doubled.
    EXPECT_NEAR(fisherTwoSidedP(4, 5, 4, 10), 12.0 / 252.0, 1e-15);
    EXPECT_NEAR(fisherTwoSidedP(0, 5, 4, 10), 12.0 / 252.0, 1e-15);
    EXPECT_EQ(fisherTwoSidedP(2, 5, 4, 10), 1.0L);
    // A number in all 1000 draws of a group of 1000 and nowhere else among 2000: 2 / C(2000, 1000),
    // about 1e-600, beyond a double.
    const long double logChoose = std::lgamma(2001.0L) - 2 * std::lgamma(1001.0L);
    const long double far = fisherTwoSidedP(1000, 1000, 1000, 2000);
    EXPECT_GT(far, 0.0L);
    EXPECT_NEAR(static_cast<double>(std::log(far) - (std::log(2.0L) - logChoose)), 0.0, 1e-6);
}

namespace {

// The conditional law by brute force: every way `draws` draws (rates given) can hold a number.
struct Brute {
    long double lower = 0, upper = 0, sum = 0, mean = 0;
};
Brute bruteConditional(const std::vector<double>& rates, size_t testedDraws, int inTested, int total)
{
    Brute b;
    for (unsigned mask = 0; mask < (1u << rates.size()); ++mask) {
        int in = 0, all = 0;
        long double w = 1;
        for (size_t d = 0; d < rates.size(); ++d) {
            const bool holds = mask & (1u << d);
            w *= holds ? rates[d] : 1 - rates[d];
            all += holds;
            in += holds && d < testedDraws;
        }
        if (all != total)
            continue;
        b.sum += w;
        b.mean += in * w;
        if (in <= inTested)
            b.lower += w;
        if (in >= inTested)
            b.upper += w;
    }
    return b;
}

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

TEST(ChanceMathTest, ConditionalRateTestIsTheExactLawGivenTheTotal)
{
    // 3 tested draws at 0.25, then 2 at 0.3 and 4 at 0.4.
    const std::vector<double> rates = {0.25, 0.25, 0.25, 0.3, 0.3, 0.4, 0.4, 0.4, 0.4};
    const ConditionalRateTest test({{2, 0.3}, {4, 0.4}}, {3, 0.25});
    for (auto [in, total] : {std::pair{0, 4}, {3, 4}, {3, 3}, {1, 2}, {2, 6}}) {
        const Brute b = bruteConditional(rates, 3, in, total);
        const ConditionalRateTest::Result r = test.test(in, total);
        EXPECT_NEAR(static_cast<double>(r.pTwoSided), std::min(1.0L, 2 * std::min(b.lower, b.upper) / b.sum), 1e-12)
            << in << ' ' << total;
        EXPECT_NEAR(r.expected, static_cast<double>(b.mean / b.sum), 1e-12);
    }
    // The number's own odds raised everywhere (×3) leave the law given the total unchanged.
    auto raised = [](double q) { return 3 * q / (1 - q + 3 * q); };
    const ConditionalRateTest often({{2, raised(0.3)}, {4, raised(0.4)}}, {3, raised(0.25)});
    EXPECT_NEAR(static_cast<double>(often.test(3, 4).pTwoSided), static_cast<double>(test.test(3, 4).pTwoSided), 1e-12);
    // Nothing else possible: p = 1.
    EXPECT_EQ(test.test(3, 9).pTwoSided, 1.0L);
    EXPECT_EQ(test.test(0, 0).pTwoSided, 1.0L);
}

TEST(ChanceMathTest, HolmStepsDownAndKeepsTheOrder)
{
    const std::vector<long double> adjusted = holmAdjust({0.01, 0.04, 0.03, 0.005});
    ASSERT_EQ(adjusted.size(), 4u);
    EXPECT_NEAR(adjusted[0], 0.03, 1e-15); // second smallest × 3
    EXPECT_NEAR(adjusted[1], 0.06, 1e-15); // 0.04 × 1, raised to the previous 0.06
    EXPECT_NEAR(adjusted[2], 0.06, 1e-15); // third smallest × 2
    EXPECT_NEAR(adjusted[3], 0.02, 1e-15); // smallest × 4
    EXPECT_EQ(holmAdjust({0.5, 0.9})[1], 1.0L); // capped
}

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
    // Far tails: a run of 200 in 200 draws is q^200; in 201, q^200 (1 + (1 − q)).
    EXPECT_NEAR(longestRunAtLeast(200, q, 200) / std::pow(5.0L / 7, 200), 1.0, 1e-12);
    EXPECT_NEAR(longestRunAtLeast(201, q, 200) / (std::pow(5.0L / 7, 200) * (2 - 5.0L / 7)), 1.0, 1e-12);
}

TEST(ChanceMathTest, NewGameMatchesAreTheHypergeometricFractionsOfSixteenOfFiftySix)
{
    const Formula& current = Formula::current();
    EXPECT_EQ(drawShare(current), 16.0 / 56.0);
    EXPECT_EQ(drawShare(Formula::classic()), 20.0 / 70.0);
    for (int k = 1; k <= 10; ++k) {
        double sum = 0;
        for (int m = 0; m <= k; ++m) {
            const double p = kenoMatchProbability(k, m, current);
            EXPECT_NEAR(p / ChanceSupport::odds(k, m, 56, 16), 1.0, 1e-12) << k << ' ' << m;
            sum += p;
        }
        EXPECT_NEAR(sum, 1.0, 1e-12) << k;
    }
    // 7 of 7: C(16,7) / C(56,7) = 11440 / 231917400; 0 of 7: C(40,7) / C(56,7) = 18643560 / 231917400.
    EXPECT_NEAR(kenoMatchProbability(7, 7, current), 11440.0 / 231917400.0, 1e-20);
    EXPECT_NEAR(kenoMatchProbability(7, 0, current), 18643560.0 / 231917400.0, 1e-15);
    // The same set under the classic game gives other odds: the game is read, not assumed.
    EXPECT_NE(kenoMatchProbability(7, 7, current), kenoMatchProbability(7, 7));
    EXPECT_EQ(kenoMatchProbability(7, 8, current), 0.0);
}
