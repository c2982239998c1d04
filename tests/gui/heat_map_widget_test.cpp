// SPDX-License-Identifier: GPL-3.0-or-later
// The heat map's colours, and its deviations following every computation of the statistics.
#include "gui/HeatMapWidget.h"

#include "shell/CommandUnits.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(HeatMapWidgetTest, ColoursRunFromBlueThroughWhiteToRed)
{
    EXPECT_EQ(HeatMapWidget::colorFor(0.0), QColor(255, 255, 255));
    EXPECT_EQ(HeatMapWidget::colorFor(3.0), QColor(255, 0, 0));
    EXPECT_EQ(HeatMapWidget::colorFor(-7.0), QColor(0, 0, 255));
    EXPECT_EQ(HeatMapWidget::colorFor(1.5), QColor(255, 128, 128));
}

using HeatMapWindowTest = TestSupport::WindowTest;

TEST_F(HeatMapWindowTest, FollowsEveryComputation)
{
    writeHistory(TestSupport::makeHistory(120));
    open();
    HeatMapWidget map(m_ws.get());
    map.resize(map.sizeHint());
    // (appearances − draws × 2/7) / sd of that count, for the draws 0..last.
    auto deviation = [&](int n, int last) {
        const double draws = last + 1, a = TestSupport::referenceStats(m_history, 0, last).appearances[static_cast<size_t>(n)];
        return (a - draws * 2.0 / 7.0) / std::sqrt(draws * 2.0 / 7.0 * 5.0 / 7.0);
    };
    for (int n : {1, 35, 70})
        EXPECT_NEAR(map.deviations()[static_cast<size_t>(n)], deviation(n, 119), 1e-9) << n;
    // A click and a ranking: the period is the first 50 draws.
    m_ws->units().list.clickListe(50);
    m_ws->units().rankings.sorties();
    EXPECT_NEAR(map.deviations()[7], deviation(7, 49), 1e-9);
    EXPECT_FALSE(map.grab().isNull());
}
