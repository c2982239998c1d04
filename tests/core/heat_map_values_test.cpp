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
