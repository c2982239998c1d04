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

    QString label(const char* name) const
    {
        const auto* l = m_window->findChild<QLabel*>(QString::fromLatin1(name));
        return l ? l->text() : QStringLiteral("<absent>");
    }
    QScrollBar* bar(int i) const { return m_window->findChild<QScrollBar*>(QStringLiteral("HScroll%1").arg(i)); }
    void click(const char* name) const { m_window->findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
    QString file() const { return m_dir.filePath(QStringLiteral("config/Varn/tiravol.cfg")); }

    QTemporaryDir m_dir;
    TestSupport::ScriptedUi m_ui;
    std::unique_ptr<Workspace> m_ws;
    std::unique_ptr<CriteriaWindow> m_window;
};

TEST_F(CriteriaWindowTest, ShowsTheDesignTimeLabelsAndFollowsMovesWithTheCouplingRules)
{
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Prévisions"));
    // Two labels do not show their bar until it moves.
    EXPECT_EQ(label("lblMoyMin"), QStringLiteral("0"));
    EXPECT_EQ(bar(8)->value(), 14);
    EXPECT_EQ(label("lblGenMax"), QStringLiteral("3000"));
    EXPECT_EQ(bar(11)->value(), 0);
    EXPECT_EQ(bar(3)->maximum(), 3200);
    EXPECT_EQ(bar(3)->pageStep(), 140);
    EXPECT_EQ(bar(2)->minimum(), 14);

    bar(1)->setValue(28); // the recent most bound is pushed up with it
    EXPECT_EQ(label("lblrecent2"), QStringLiteral("28"));
    EXPECT_EQ(label("lblrecmax"), QStringLiteral("28"));
    EXPECT_EQ(bar(7)->value(), 28);

    bar(9)->setValue(5); // drags the average fewest bound down
    EXPECT_EQ(label("lblMoyMin"), QStringLiteral("5"));
    EXPECT_EQ(bar(8)->value(), 5);
    bar(4)->setValue(60); // the smallest gap drags the largest one
    EXPECT_EQ(label("lblEcartsMax2"), QStringLiteral("100"));
    bar(5)->setValue(40);
    EXPECT_EQ(label("lblEcartsMin2"), QStringLiteral("40"));
    EXPECT_EQ(m_ws->criteria().label(CriterionBar::GapMin), QStringLiteral("40"));

    // "Utiliser" hides the window and keeps the values.
    m_window->show();
    click("cmdFermer");
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(m_ws->criteria().label(CriterionBar::RecentDraws), QStringLiteral("28"));
}

TEST_F(CriteriaWindowTest, SaveThenResetBringsBackTheSavedLinesAndABadFileIsToldOnce)
{
    QDir().mkpath(m_dir.filePath(QStringLiteral("config/Varn")));
    bar(6)->setValue(20); // pushes the recent most bound to 20
    click("cmdSauver");
    ASSERT_TRUE(QFileInfo::exists(file()));
    EXPECT_TRUE(TestSupport::readFile(file()).startsWith("0,42,14\r\n14,280,28\r\n0,3200,3000\r\n0,100,0\r\n0,100,100\r\n"
                                                         "0,42,20\r\n0,42,20\r\n"));
    bar(6)->setValue(2);
    bar(7)->setValue(3);
    bar(10)->setValue(50); // the general bounds are not reloaded
    click("Reload");
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(label("lblRecMin"), QStringLiteral("20"));
    EXPECT_EQ(label("lblrecmax"), QStringLiteral("20"));
    EXPECT_EQ(bar(7)->value(), 20);
    EXPECT_EQ(label("lblGenMin"), QStringLiteral("50"));
    EXPECT_EQ(bar(10)->value(), 50);

    const QByteArray bad = "n'importe quoi\r\n";
    TestSupport::writeFile(file(), bad);
    click("Reload");
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_FALSE(m_ui.messages[0].text.contains(QLatin1Char('\n')));
    // An unreadable line leaves its criterion as it stands.
    EXPECT_EQ(label("lblRecMin"), QStringLiteral("20"));
    EXPECT_EQ(label("lblrecent2"), QStringLiteral("14"));
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
