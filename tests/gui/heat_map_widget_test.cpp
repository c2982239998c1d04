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

TEST(HeatMapWidgetTest, TheGamesNumbersStandInItsGridRows)
{
    HeatMapWidget map(nullptr);
    map.setFormula(Formula::current());
    map.resize(map.sizeHint());
    const QRectF first = map.cell(1), eighth = map.cell(8), ninth = map.cell(9), last = map.cell(56);
    EXPECT_EQ(eighth.top(), first.top());
    EXPECT_NEAR(eighth.right(), map.width(), 1e-9); // eight to a row
    EXPECT_EQ(ninth.left(), first.left());
    EXPECT_NEAR(ninth.top(), first.bottom(), 1e-9);
    EXPECT_NEAR(last.right(), map.width(), 1e-9);
    EXPECT_NEAR(last.bottom(), 7 * first.height(), 1e-9); // seven rows
    EXPECT_FALSE(map.grab().isNull());

    map.setFormula(Formula::classic());
    EXPECT_NEAR(map.cell(10).right(), map.width(), 1e-9);
    EXPECT_EQ(map.cell(11).left(), 0);
    EXPECT_NEAR(map.cell(70).bottom(), 7 * map.cell(1).height(), 1e-9);
}
