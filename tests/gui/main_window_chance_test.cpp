// "Tester la prévision" from the window's menu runs away from the window's thread, and the stop
// button ends it early.
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
    m_ui.textAnswers.push_back(QStringLiteral("5"));
    action->trigger();
    // The window stays usable for the stop alone.
    ASSERT_TRUE(m_ws->jobRunning());
    EXPECT_FALSE(action->isEnabled());
    auto* stop = get<QPushButton>("Arreter");
    EXPECT_TRUE(stop->isVisibleTo(m_window.get()) && stop->isEnabled());
    stop->click();
    ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->jobRunning(); }));
    const QStringList& lines = m_ws->report().resultat.lines;
    EXPECT_EQ(m_ws->report().title, QStringLiteral("Tester la prévision"));
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QString& l) {
        return l.startsWith(QStringLiteral("Test interrompu"));
    })) << lines.value(0).toStdString();
    EXPECT_FALSE(lines.value(0).startsWith(QStringLiteral("Test de la prévision sur 2999 tirages")));
    EXPECT_TRUE(action->isEnabled());
    EXPECT_FALSE(m_ws->waitCursor());
}
