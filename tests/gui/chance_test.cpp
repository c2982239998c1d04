// The heat map follows the statistics; "Tester la prévision" runs away from the window's thread
// and its stop button ends it early.
#include "gui/HeatMapWidget.h"
#include "gui/MainWindow.h"

#include "history/HistoryFile.h"
#include "shell/Workspace.h"
#include "support/TestSupport.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

class ChanceWindowTest : public TestSupport::WindowTest {
protected:
    void start(int draws)
    {
        writeHistory(TestSupport::makeHistory(draws));
        open();
    }
};

} // namespace

TEST(HeatMapWidgetTest, ColoursRunFromBlueThroughWhiteToRed)
{
    EXPECT_EQ(HeatMapWidget::colorFor(0.0), QColor(255, 255, 255));
    EXPECT_EQ(HeatMapWidget::colorFor(3.0), QColor(255, 0, 0));
    EXPECT_EQ(HeatMapWidget::colorFor(-7.0), QColor(0, 0, 255));
    EXPECT_EQ(HeatMapWidget::colorFor(1.5), QColor(255, 128, 128));
}

TEST_F(ChanceWindowTest, HeatMapFollowsEveryComputation)
{
    start(120);
    HeatMapWidget map(m_ws.get());
    map.resize(map.sizeHint());
    const double sd = std::sqrt(120.0 * 2.0 / 7.0 * 5.0 / 7.0);
    for (int n : {1, 35, 70})
        EXPECT_NEAR(map.deviations()[static_cast<size_t>(n)],
                    (TestSupport::referenceStats(m_history, 0, 119).appearances[static_cast<size_t>(n)] - 120.0 * 2.0 / 7.0) / sd,
                    1e-9)
            << n;
    // A click and a ranking: the period is the first 50 draws.
    m_ws->clickListe(50);
    m_ws->sorties();
    const double sd50 = std::sqrt(50.0 * 2.0 / 7.0 * 5.0 / 7.0);
    EXPECT_NEAR(map.deviations()[7], (TestSupport::referenceStats(m_history, 0, 49).appearances[7] - 50.0 * 2.0 / 7.0) / sd50,
                1e-9);
    EXPECT_FALSE(map.grab().isNull());
}

TEST_F(ChanceWindowTest, BacktestRunsFromTheMenuOffTheWindowThreadAndStops)
{
    start(3000);
    m_ws->clickListe(60); // the first run plays draws 1..59 only
    auto* action = m_window->findChild<QAction*>(QStringLiteral("TestPrev"));
    ASSERT_NE(action, nullptr);
    m_ui.textAnswers.push_back(QStringLiteral("5"));
    action->trigger();
    ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->jobRunning(); }));
    EXPECT_EQ(m_ws->report().title, QStringLiteral("Tester la prévision"));
    EXPECT_EQ(m_ws->report().resultat.lines[0],
              QStringLiteral("Test de la prévision sur 59 tirages, du ") + m_history[1].left(10) + QStringLiteral(" au ")
                  + m_history[59].left(10));

    // The whole history, stopped while it runs: the window stays usable for the stop alone.
    auto* stop = m_window->findChild<QPushButton*>(QStringLiteral("Arreter"));
    auto stopped = [&] {
        const QStringList& lines = m_ws->report().resultat.lines;
        return std::any_of(lines.begin(), lines.end(),
                           [](const QString& l) { return l.startsWith(QStringLiteral("Test interrompu")); });
    };
    m_ws->clickListe(3000);
    m_ui.textAnswers.push_back(QStringLiteral("5"));
    action->trigger();
    ASSERT_TRUE(m_ws->jobRunning());
    EXPECT_FALSE(action->isEnabled());
    EXPECT_TRUE(stop->isVisibleTo(m_window.get()) && stop->isEnabled());
    stop->click();
    ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->jobRunning(); }));
    EXPECT_TRUE(stopped()) << m_ws->report().resultat.lines.value(0).toStdString();
    EXPECT_FALSE(m_ws->report().resultat.lines.value(0).startsWith(QStringLiteral("Test de la prévision sur 2999 tirages")));
    EXPECT_TRUE(action->isEnabled());

    // Closing the window meanwhile stops it the same way, before the exit save.
    m_ws->clickListe(60);
    m_ws->sorties();
    m_ws->clickListe(3000);
    m_ui.textAnswers.push_back(QStringLiteral("5"));
    action->trigger();
    ASSERT_TRUE(m_ws->jobRunning());
    EXPECT_TRUE(m_window->close());
    EXPECT_FALSE(m_ws->jobRunning());
    EXPECT_TRUE(stopped());
    EXPECT_FALSE(m_ws->waitCursor());
}
