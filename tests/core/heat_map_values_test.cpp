// SPDX-License-Identifier: GPL-3.0-or-later
// The standardised deviations the heat map colours.
#include "chance/HeatMapValues.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(HeatMapValuesTest, StandardisedDeviation)
{
    EXPECT_NEAR(HeatMapValues::standardisedDeviation(5, 7), 3.0 / std::sqrt(10.0 / 7.0), 1e-12);
    EXPECT_EQ(HeatMapValues::standardisedDeviation(0, 0), 0.0);
    NumberStats s;
    s.appearances[70] = 200;
    const auto z = HeatMapValues::deviations(s, 700);
    EXPECT_NEAR(z[70], 0.0, 1e-12);
    EXPECT_NEAR(z[1], -200.0 / std::sqrt(700.0 * 10.0 / 49.0), 1e-12);
    EXPECT_EQ(HeatMapValues::periodLength({-4, 9}), 10);
    EXPECT_EQ(HeatMapValues::periodLength({5, 3}), 0);
}

TEST(HeatMapValuesTest, NewGameDeviationsUseSixteenOfFiftySix)
{
    const Formula& current = Formula::current();
    // 700 draws: 200 appearances expected (700 × 16 / 56), variance 700 × 16/56 × 40/56.
    EXPECT_NEAR(HeatMapValues::standardisedDeviation(230, 700, current), 30.0 / std::sqrt(700.0 * 16 * 40 / (56.0 * 56)), 1e-12);
    NumberStats s;
    s.appearances[56] = 200;
    s.appearances[60] = 500; // no number of the game: never coloured
    const auto z = HeatMapValues::deviations(s, 700, current);
    EXPECT_NEAR(z[56], 0.0, 1e-12);
    EXPECT_NEAR(z[1], -200.0 / std::sqrt(700.0 * 640 / 3136), 1e-12);
    EXPECT_EQ(z[57], 0.0);
    EXPECT_EQ(z[60], 0.0);
}
