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
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
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

TEST_F(ChanceWindowTest, BacktestRunsFromTheMenuAndStops)
{
    start(3000);
    m_ws->clickListe(60); // the first run plays draws 1..59 only
    auto* action = m_window->findChild<QAction*>(QStringLiteral("TestPrev"));
    ASSERT_NE(action, nullptr);
    m_ui.textAnswers.push_back(QStringLiteral("5"));
    action->trigger();
    EXPECT_EQ(m_ws->report().title, QStringLiteral("Tester la prévision"));
    EXPECT_EQ(m_ws->report().resultat.lines[0],
              QStringLiteral("Test de la prévision sur 59 tirages, du ") + m_history[1].left(10) + QStringLiteral(" au ")
                  + m_history[59].left(10));

    // The whole history, stopped as soon as the dialog shows.
    m_ws->clickListe(3000);
    bool pressed = false;
    std::function<void()> press = [&] {
        if (auto* dialog = m_window->findChild<QProgressDialog*>(QStringLiteral("backtestProgress"));
            dialog && dialog->isVisible()) {
            if (auto* stop = dialog->findChild<QPushButton*>())
                stop->click();
            pressed = true;
            return;
        }
        QTimer::singleShot(1, m_window.get(), press);
    };
    QTimer::singleShot(0, m_window.get(), press);
    m_ui.textAnswers.push_back(QStringLiteral("5"));
    action->trigger();
    EXPECT_TRUE(pressed);
    const QStringList& lines = m_ws->report().resultat.lines;
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QString& l) {
        return l.startsWith(QStringLiteral("Test interrompu"));
    })) << lines.value(0).toStdString();
    EXPECT_FALSE(lines.value(0).startsWith(QStringLiteral("Test de la prévision sur 2999 tirages")));
}
