// "Tester la prévision" from the window's menu runs away from the window's thread; the stop
// button, or closing the window, ends it early.
#include "gui/MainWindow.h"

#include "support/WindowFixture.h"

#include <QPushButton>
#include <gtest/gtest.h>

#include <algorithm>

using MainWindowChanceTest = TestSupport::WindowTest;

TEST_F(MainWindowChanceTest, BacktestRunsFromTheMenuOffTheWindowThreadAndStops)
{
    writeHistory(TestSupport::makeHistory(3000));
    open();
    QAction* action = get("TestPrev");
    ASSERT_NE(action, nullptr);
    // The whole history, stopped while it runs: the window stays usable for the stop alone.
    auto* stop = get<QPushButton>("Arreter");
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
    EXPECT_EQ(m_ws->report().title, QStringLiteral("Tester la prévision"));
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
