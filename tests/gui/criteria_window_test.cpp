// The criteria window "Prévisions": its bars, their labels and its buttons, over the Workspace's criteria.
#include "gui/CriteriaWindow.h"
#include "gui/ForecastWindows.h"
#include "gui/MainWindow.h"

#include "shell/Workspace.h"
#include "support/TestSupport.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

class CriteriaWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WorkspaceConfig config;
        config.dataFolder = m_dir.path();
        config.appDataFolder = m_dir.filePath(QStringLiteral("config"));
        m_ws = std::make_unique<Workspace>(config, &m_ui);
        m_window = std::make_unique<CriteriaWindow>(*m_ws);
    }

    QScrollBar* bar(int i) const { return m_window->bar(i); }
    QString label(int i) const { return m_window->valueLabel(i)->text(); }
    void click(const char* name) const { m_window->findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
    QString file() const { return m_dir.filePath(QStringLiteral("config/Varn/tiravol.cfg")); }
    // Every bar and label shows its criterion, whose rules the criteria's own tests check.
    void expectShown() const
    {
        for (int i = 1; i <= kCriterionBarCount; ++i) {
            const CriteriaScrollBar& c = m_ws->criteria()[i];
            EXPECT_EQ(QList<int>({bar(i)->minimum(), bar(i)->maximum(), bar(i)->pageStep(), bar(i)->value()}),
                      QList<int>({c.low(), c.high(), c.pageStep, c.value}))
                << i;
            EXPECT_EQ(label(i), c.label) << i;
        }
    }

    QTemporaryDir m_dir;
    TestSupport::ScriptedUi m_ui;
    std::unique_ptr<Workspace> m_ws;
    std::unique_ptr<CriteriaWindow> m_window;
};

TEST_F(CriteriaWindowTest, BarsShowTheCriteriaAndAMoveReachesThemAndTheBarsItDrags)
{
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Prévisions"));
    expectShown();
    EXPECT_EQ(m_window->findChild<QLabel*>(QStringLiteral("lblMoyMin"))->text(), QStringLiteral("0")); // not its bar's 14
    EXPECT_EQ(bar(3)->maximum(), 3200);

    bar(1)->setValue(28); // the recent most bound is pushed up with it
    EXPECT_EQ(bar(7)->value(), 28);
    EXPECT_EQ(label(7), QStringLiteral("28"));
    bar(9)->setValue(5); // drags the average fewest bound down
    bar(4)->setValue(60); // the smallest gap drags the largest one
    bar(5)->setValue(40);
    expectShown();
    EXPECT_EQ(m_ws->criteria().label(CriterionBar::GapMin), QStringLiteral("40"));

    // "Utiliser" hides the window and keeps the values.
    m_window->show();
    click("cmdFermer");
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(m_ws->criteria().label(CriterionBar::RecentDraws), QStringLiteral("28"));
}

TEST_F(CriteriaWindowTest, SaveThenResetBringsBackTheSavedBarsAndABadFileIsToldOnce)
{
    QDir().mkpath(m_dir.filePath(QStringLiteral("config/Varn")));
    bar(6)->setValue(20); // pushes the recent most bound to 20
    click("cmdSauver");
    const QByteArray saved = TestSupport::readFile(file());
    EXPECT_EQ(saved, m_ws->criteria().fileContent());
    bar(6)->setValue(2);
    bar(7)->setValue(3);
    bar(10)->setValue(50); // the general bounds are not reloaded
    click("Reload");
    EXPECT_TRUE(m_ui.messages.empty());
    expectShown();
    EXPECT_EQ(QList<int>({bar(6)->value(), bar(7)->value(), bar(10)->value()}), QList<int>({20, 20, 50}));

    const QByteArray bad = "n'importe quoi\r\n";
    TestSupport::writeFile(file(), bad);
    click("Reload");
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_FALSE(m_ui.messages[0].text.contains(QLatin1Char('\n')));
    expectShown(); // an unreadable line leaves its criterion as it stands
    EXPECT_EQ(bar(6)->value(), 20);
    EXPECT_EQ(TestSupport::readFile(file()), bad);
}

class CriteriaKeysTest : public TestSupport::WindowTest { };

TEST_F(CriteriaKeysTest, BarsTakeTheKeysAndEscapeHidesTheWindow)
{
    writeHistory(TestSupport::makeHistory(60));
    open();
    get("mnuPrev")->trigger();
    CriteriaWindow* criteria = m_window->findChild<ForecastWindows*>()->criteriaWindow();
    ASSERT_TRUE(criteria && criteria->isVisible());
    QApplication::setActiveWindow(criteria);
    criteria->bar(1)->setFocus();
    QSet<QScrollBar*> reached;
    for (int i = 0; i < 11; ++i) {
        auto* bar = qobject_cast<QScrollBar*>(criteria->focusWidget());
        ASSERT_NE(bar, nullptr) << i;
        reached << bar;
        const int before = bar->value();
        QKeyEvent up(QEvent::KeyPress, before < bar->maximum() ? Qt::Key_Right : Qt::Key_Left, Qt::NoModifier);
        QApplication::sendEvent(bar, &up);
        // Right moves a step up, Left a step down (at the maximum).
        EXPECT_EQ(bar->value(), before < bar->maximum() ? before + 1 : before - 1) << bar->objectName().toStdString();
        QKeyEvent page(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(bar, &page);
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(bar, &tab);
    }
    EXPECT_EQ(reached.size(), 11);
    const int moved = m_ws->criteria()[1].value;
    QShortcut* escape = nullptr;
    for (QShortcut* shortcut : criteria->findChildren<QShortcut*>())
        if (shortcut->key() == QKeySequence(Qt::Key_Escape))
            escape = shortcut;
    ASSERT_NE(escape, nullptr);
    emit escape->activated();
    EXPECT_FALSE(criteria->isVisible());
    EXPECT_EQ(m_ws->criteria()[1].value, moved);
}

} // namespace
