// SPDX-License-Identifier: GPL-3.0-or-later
// The forecast windows the main window opens, such as the criteria window "Prévisions".
#include "gui/ForecastWindows.h"

#include "gui/CriteriaWindow.h"
#include "shell/CommandUnits.h"
#include "support/WindowFixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace {

class ForecastWindowsTest : public TestSupport::WindowTest { };

TEST_F(ForecastWindowsTest, TheCriteriaWindowReloadsAtEveryOpeningAndTheTipsWindowOpens)
{
    writeHistory(TestSupport::makeHistory(60));
    open();
    m_ui.messages.clear();
    // No file yet: the window shows the criteria as the load left them, and says nothing.
    const CriteriaRanges before = m_ws->criteria();
    get("mnuPrev")->trigger();
    auto* windows = m_window->findChild<ForecastWindows*>();
    ASSERT_NE(windows, nullptr);
    CriteriaWindow* criteria = windows->criteriaWindow();
    ASSERT_TRUE(criteria && criteria->isVisible());
    EXPECT_TRUE(m_ui.messages.empty());
    for (int i = 1; i <= kCriterionBarCount; ++i) {
        EXPECT_EQ(criteria->bar(i)->value(), before[i].value) << i;
        EXPECT_EQ(criteria->valueLabel(i)->text(), before[i].label) << i;
    }
    // Moves not saved are lost at the next opening once a file exists.
    QDir().mkpath(m_dir.filePath(QStringLiteral("config/Varn")));
    ASSERT_TRUE(m_ui.done(m_ws->units().forecast.saveCriteria()));
    criteria->bar(1)->setValue(30);
    get("mnuPrev")->trigger();
    EXPECT_EQ(criteria->valueLabel(1)->text(), QStringLiteral("14"));
    EXPECT_EQ(windows->criteriaWindow(), criteria);

    // The title-bar close box discards the window and its criteria.
    criteria->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(windows->criteriaWindow(), nullptr);
    EXPECT_EQ(m_ws->criteria().label(CriterionBar::GeneralMax), QStringLiteral("3000"));

    get("mnuCons")->trigger();
    ASSERT_NE(windows->tipsWindow(), nullptr);
    EXPECT_TRUE(windows->tipsWindow()->isVisible());
    EXPECT_FALSE(windows->tipsWindow()->tipText().isEmpty());
}

TEST_F(ForecastWindowsTest, ConseilsBringsTheTipsWindowForwardReadyForTheKeyboard)
{
    writeHistory(TestSupport::makeHistory(20));
    open();
    get("mnuCons")->trigger();
    auto* windows = m_window->findChild<ForecastWindows*>();
    ASSERT_TRUE(windows && windows->tipsWindow());
    QWidget* tips = windows->tipsWindow();
    ASSERT_TRUE(TestSupport::waitFor([&] { return QApplication::activeWindow() == tips; }));
    // Back to the main window, then "Conseils" again: the open tips window takes the keyboard.
    m_window->activateWindow();
    ASSERT_TRUE(TestSupport::waitFor([&] { return QApplication::activeWindow() == m_window.get(); }));
    get("mnuCons")->trigger();
    EXPECT_EQ(windows->tipsWindow(), tips);
    EXPECT_TRUE(TestSupport::waitFor([&] { return QApplication::activeWindow() == tips; }));
}

} // namespace
