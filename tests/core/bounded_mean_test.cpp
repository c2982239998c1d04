// SPDX-License-Identifier: GPL-3.0-or-later
// The 95 % intervals drawn from counts: closed forms where there are some, the normal interval
// where the counts are many, and a seeded simulation of how often they hold the truth.
#include "chance/BoundedMean.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr double kZ = 1.959963984540054;

struct Law {
    const char* name;
    std::map<double, double> chance; // value -> probability
    double mean() const
    {
        double m = 0;
        for (const auto& [v, p] : chance)
            m += v * p;
        return m;
    }
};

std::map<double, int> sample(const Law& law, int n, std::mt19937& rng)
{
    std::vector<double> values, weights;
    for (const auto& [v, p] : law.chance) {
        values.push_back(v);
        weights.push_back(p);
    }
    std::discrete_distribution<int> pick(weights.begin(), weights.end());
    std::map<double, int> counts;
    for (int i = 0; i < n; ++i)
        ++counts[values[static_cast<size_t>(pick(rng))]];
    return counts;
}

} // namespace

TEST(BoundedMean, WilsonAgainstItsClosedForms)
{
    const double z2 = kZ * kZ;
    // None of three: from 0 to z²/(n + z²); all of one: from 1/(1 + z²) to 1.
    EXPECT_NEAR(BoundedMean::wilson(0, 3).first, 0.0, 1e-15);
    EXPECT_NEAR(BoundedMean::wilson(0, 3).second, z2 / (3 + z2), 1e-12);
    EXPECT_NEAR(BoundedMean::wilson(1, 1).first, 1 / (1 + z2), 1e-12);
    EXPECT_NEAR(BoundedMean::wilson(1, 1).second, 1.0, 1e-15);
    // Half of ten: symmetric about ½, (5 + z²/2 ± z √(2.5 + z²/4)) / (10 + z²).
    const double half = kZ * std::sqrt(2.5 + z2 / 4) / (10 + z2);
    EXPECT_NEAR(BoundedMean::wilson(5, 10).first, 0.5 - half, 1e-12);
    EXPECT_NEAR(BoundedMean::wilson(5, 10).second, 0.5 + half, 1e-12);
}

TEST(BoundedMean, FewOrIdenticalCountsLeaveTheUnseenValuesPossible)
{
    const double z2 = kZ * kZ;
    // One draw at 10 on [1, 10]: the likeliest law of mean μ puts (μ − 1) / 9 on 10, the rest on
    // 1, of variance (μ − 1)(10 − μ); (10 − μ)² ≤ z² (μ − 1)(10 − μ) down to 1 + 9 / (1 + z²).
    const auto one = BoundedMean::interval({{10, 1}}, 1, 10);
    EXPECT_NEAR(one.first, 1 + 9 / (1 + z2), 1e-9);
    EXPECT_DOUBLE_EQ(one.second, 10);
    // Three at 1: up to 1 + 9 z² / (3 + z²), Wilson's none of three on the scale of [1, 10].
    const auto three = BoundedMean::interval({{1, 3}}, 1, 10);
    EXPECT_DOUBLE_EQ(three.first, 1);
    EXPECT_NEAR(three.second, 1 + 9 * z2 / (3 + z2), 1e-9);
    // Three at 4: the same law around 4, each side to its own bound.
    const auto four = BoundedMean::interval({{4, 3}}, 1, 10);
    EXPECT_NEAR(four.first, 4 - 3 * z2 / (3 + z2), 1e-9);
    EXPECT_NEAR(four.second, 4 + 6 * z2 / (3 + z2), 1e-9);
    // Two values seen once each on [1, 2]: Wilson's interval of one of two, shifted by 1.
    const auto two = BoundedMean::interval({{1, 1}, {2, 1}}, 1, 2);
    const auto wilson = BoundedMean::wilson(1, 2);
    EXPECT_NEAR(two.first, 1 + wilson.first, 1e-9);
    EXPECT_NEAR(two.second, 1 + wilson.second, 1e-9);
    // Nothing seen: anything possible; no room: the point.
    EXPECT_EQ(BoundedMean::interval({}, 1, 10), (std::pair{1.0, 10.0}));
    EXPECT_EQ(BoundedMean::interval({{0.25, 4}}, 0.25, 0.25), (std::pair{0.25, 0.25}));
}

TEST(BoundedMean, ManyVariedCountsGiveTheNormalInterval)
{
    const std::map<double, int> counts{{1, 6000}, {2, 2500}, {3, 1000}, {5, 400}, {10, 100}};
    double n = 0, sum = 0, squares = 0;
    for (const auto& [v, c] : counts)
        n += c, sum += v * c, squares += v * v * c;
    const double mean = sum / n, half = kZ * std::sqrt((squares / n - mean * mean) / n);
    const auto [low, high] = BoundedMean::interval(counts, 1, 10);
    // The skew of the law moves both ends up a little, well under a tenth of the half-width.
    EXPECT_NEAR(low, mean - half, 0.1 * half);
    EXPECT_NEAR(high, mean + half, 0.1 * half);
    EXPECT_LT(low, mean);
    EXPECT_GT(high, mean);
}

TEST(BoundedMean, SeededSimulationHoldsTheTrueMeanAboutNineteenTimesInTwenty)
{
    const std::vector<Law> laws{{"biaisée", {{1, .6}, {2, .25}, {3, .1}, {5, .04}, {10, .01}}},
                                {"×10 rare", {{1, .95}, {10, .05}}},
                                {"uniforme", {{1, .2}, {2, .2}, {3, .2}, {5, .2}, {10, .2}}},
                                {"moitié ×10", {{1, .5}, {10, .5}}}};
    std::mt19937 rng(20261207);
    for (const Law& law : laws)
        for (const int n : {1, 3, 30, 300}) {
            const int runs = n >= 300 ? 300 : 1000;
            int held = 0, shareHeld = 0;
            for (int r = 0; r < runs; ++r) {
                const std::map<double, int> counts = sample(law, n, rng);
                const auto [low, high] = BoundedMean::interval(counts, 1, 10);
                held += low <= law.mean() && law.mean() <= high ? 1 : 0;
                // The share of the law's lowest value, by Wilson's interval.
                const auto first = counts.find(law.chance.begin()->first);
                const auto share = BoundedMean::wilson(first == counts.end() ? 0 : first->second, n);
                const double truth = law.chance.begin()->second;
                shareHeld += share.first <= truth && truth <= share.second ? 1 : 0;
            }
            // Measured with this seed: the mean held 93.3 % to 100 % of the time, but 86.0 % for
            // three draws of a rare ×10 (Wilson's weak spot: a share of 1/20 seen once in three);
            // the shares 86.0 % to 100 % from three draws on, 80 % for one draw and a share of
            // 1/5. The old normal interval held it 0 % of the time for one draw.
            const bool few = n < 30;
            EXPECT_GE(held, (few ? 0.85 : 0.92) * runs) << law.name << " n=" << n;
            EXPECT_GE(shareHeld, (n == 1 ? 0.78 : few ? 0.85 : 0.92) * runs) << law.name << " n=" << n;
        }
}
