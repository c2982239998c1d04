// SPDX-License-Identifier: GPL-3.0-or-later
// The criteria window "Prévisions": its bars, their labels and its buttons, over the Workspace's criteria.
#include "gui/CriteriaWindow.h"

#include "support/WindowFixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

namespace {

// The window alone over a workspace without history.
class CriteriaWindowTest : public TestSupport::WindowTest {
protected:
    void SetUp() override
    {
        m_ws = std::make_unique<Workspace>(m_config, &m_ui);
        m_ui.watch(*m_ws);
        m_criteria = std::make_unique<CriteriaWindow>(*m_ws);
    }

    QScrollBar* bar(int i) const { return m_criteria->bar(i); }
    QString label(int i) const { return m_criteria->valueLabel(i)->text(); }
    void click(const char* name) const { m_criteria->findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
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

    std::unique_ptr<CriteriaWindow> m_criteria;
};

TEST_F(CriteriaWindowTest, BarsShowTheCriteriaAndAMoveReachesThemAndTheBarsItDrags)
{
    EXPECT_EQ(m_criteria->windowTitle(), QStringLiteral("Prévisions"));
    expectShown();
    EXPECT_EQ(m_criteria->findChild<QLabel*>(QStringLiteral("lblMoyMin"))->text(), QStringLiteral("0")); // not its bar's 14

    bar(1)->setValue(28); // the recent most bound is pushed up with it
    bar(9)->setValue(5); // drags the average fewest bound down
    bar(4)->setValue(60); // the smallest gap drags the largest one
    bar(5)->setValue(40);
    expectShown();
    EXPECT_EQ(m_ws->criteria().label(CriterionBar::GapMin), QStringLiteral("40"));

    // "Utiliser" hides the window and keeps the values.
    m_criteria->show();
    click("cmdFermer");
    EXPECT_FALSE(m_criteria->isVisible());
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

TEST_F(CriteriaWindowTest, BarsTakeTheKeysAndEscapeHidesTheWindow)
{
    m_criteria->show();
    QApplication::setActiveWindow(m_criteria.get());
    bar(1)->setFocus();
    QSet<QScrollBar*> reached;
    for (int i = 0; i < 11; ++i) {
        auto* bar = qobject_cast<QScrollBar*>(m_criteria->focusWidget());
        ASSERT_NE(bar, nullptr) << i;
        reached << bar;
        const int before = bar->value();
        // Right moves a step up, Left a step down (at the maximum).
        TestSupport::press(bar, before < bar->maximum() ? Qt::Key_Right : Qt::Key_Left);
        EXPECT_EQ(bar->value(), before < bar->maximum() ? before + 1 : before - 1) << bar->objectName().toStdString();
        TestSupport::press(bar, Qt::Key_PageDown);
        TestSupport::press(bar, Qt::Key_Tab);
    }
    EXPECT_EQ(reached.size(), 11);
    const int moved = m_ws->criteria()[1].value;
    QShortcut* escape = nullptr;
    for (QShortcut* shortcut : m_criteria->findChildren<QShortcut*>())
        if (shortcut->key() == QKeySequence(Qt::Key_Escape))
            escape = shortcut;
    ASSERT_NE(escape, nullptr);
    emit escape->activated();
    EXPECT_FALSE(m_criteria->isVisible());
    EXPECT_EQ(m_ws->criteria()[1].value, moved);
}

} // namespace
