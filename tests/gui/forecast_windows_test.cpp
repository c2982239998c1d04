// The criteria window "Prévisions", the tips window "Astuce" and their menu rows, offscreen.
#include "gui/CriteriaWindow.h"
#include "gui/ForecastWindows.h"
#include "gui/MainWindow.h"
#include "gui/TipsWindow.h"

#include "history/HistoryFile.h"
#include "shell/Workspace.h"
#include "support/TestSupport.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(TipsWindowTest, AMissingFileIsSaidInOneLine)
{
    TipsWindow window(QString{});
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Astuce"));
    EXPECT_EQ(window.tipText(), QStringLiteral("Le fichier des conseils « Conseil.txt » est introuvable."));
    EXPECT_FALSE(window.findChild<QPushButton*>(QStringLiteral("cmdSuiv"))->isEnabled());
}

TEST(TipsWindowTest, NextStepsThroughTheTipsAndWraps)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Conseil.txt"));
    TestSupport::writeFile(path, "3\r\nPremier\r\n\"Deuxième, avec une virgule\"\r\nTroisième\r\n");
    TipsWindow window(path);
    const QStringList tips
        = {QStringLiteral("Premier"), QStringLiteral("Deuxième, avec une virgule"), QStringLiteral("Troisième")};
    const QString first = window.tipText();
    ASSERT_TRUE(tips.contains(first));
    auto* next = window.findChild<QPushButton*>(QStringLiteral("cmdSuiv"));
    QStringList seen = {first};
    for (int i = 0; i < 2; ++i) {
        next->click();
        seen << window.tipText();
        EXPECT_EQ(window.tipText(), tips[(tips.indexOf(seen[i]) + 1) % 3]);
    }
    next->click();
    EXPECT_EQ(window.tipText(), first);
    seen.sort();
    QStringList sorted = tips;
    sorted.sort();
    EXPECT_EQ(seen, sorted);

    // A count larger than the tips present: said in one line, the window still works.
    TestSupport::writeFile(path, "5\r\nSeul\r\n");
    TipsWindow shortFile(path);
    EXPECT_EQ(shortFile.tipText(), QStringLiteral("Le fichier des conseils annonce 5 conseils mais n'en contient que 1."));
    shortFile.findChild<QPushButton*>(QStringLiteral("cmdSuiv"))->click();
    EXPECT_EQ(shortFile.tipText(), QStringLiteral("Seul"));
}

class ForecastMenusTest : public TestSupport::WindowTest {
protected:
    void SetUp() override
    {
        writeHistory(TestSupport::makeHistory(60));
        open();
        m_ui.messages.clear();
    }

    QStringList captions(const char* menu) const
    {
        QStringList v;
        for (QAction* a : m_window->findChild<QMenu*>(QString::fromLatin1(menu))->actions())
            v << a->text();
        return v;
    }
};

TEST_F(ForecastMenusTest, PresetSubmenusTickTheirNumbersAndTheCriteriaWindowReloadsAtEveryOpening)
{
    EXPECT_EQ(captions("Finales").join(QLatin1Char(' ')), QStringLiteral("1 2 3 4 5 6 7 8 9 0"));
    EXPECT_EQ(captions("Colones").join(QLatin1Char(' ')), QStringLiteral("1-10 11-20 21-30 31-40 41-50 51-60 61-70"));
    EXPECT_EQ(m_window->findChild<QMenu*>(QStringLiteral("Colones"))->title(), QStringLiteral("Colonnes"));
    EXPECT_EQ(captions("m4").join(QLatin1Char('|')),
              QStringLiteral("Configuration|Selection numéros|Cotes du Keno|Tester la prévision"));

    m_window->findChild<QMenu*>(QStringLiteral("Finales"))->actions().last()->trigger();
    int ticked = 0;
    for (int n = 1; n <= 70; ++n) {
        const bool on = m_window->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(n))->isChecked();
        EXPECT_EQ(on, n % 10 == 0) << n;
        ticked += on ? 1 : 0;
    }
    EXPECT_EQ(ticked, 7);
    EXPECT_EQ(m_ws->report().title, QStringLiteral("Performance d'un ensemble"));

    // No file yet: the window shows the criteria as the load left them, and says nothing.
    const CriteriaRanges before = m_ws->criteria();
    m_window->findChild<QAction*>(QStringLiteral("mnuPrev"))->trigger();
    auto* windows = m_window->findChild<ForecastWindows*>();
    ASSERT_NE(windows, nullptr);
    CriteriaWindow* criteria = windows->criteriaWindow();
    ASSERT_NE(criteria, nullptr);
    EXPECT_TRUE(criteria->isVisible());
    EXPECT_TRUE(m_ui.messages.empty());
    for (int i = 1; i <= kCriterionBarCount; ++i) {
        EXPECT_EQ(m_ws->criteria()[i].value, before[i].value) << i;
        EXPECT_EQ(criteria->bar(i)->value(), before[i].value) << i;
        EXPECT_EQ(criteria->valueLabel(i)->text(), before[i].label) << i;
    }
    // Moves not saved are lost at the next opening once a file exists.
    QDir().mkpath(m_dir.filePath(QStringLiteral("config/Varn")));
    ASSERT_TRUE(m_ws->saveCriteria());
    criteria->bar(1)->setValue(30);
    m_window->findChild<QAction*>(QStringLiteral("mnuPrev"))->trigger();
    EXPECT_EQ(criteria->valueLabel(1)->text(), QStringLiteral("14"));
    EXPECT_EQ(windows->criteriaWindow(), criteria);

    // The title-bar close box discards the window and its criteria.
    criteria->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(windows->criteriaWindow(), nullptr);
    EXPECT_EQ(m_ws->criteria().label(CriterionBar::GeneralMax), QStringLiteral("3000"));

    m_window->findChild<QAction*>(QStringLiteral("mnuCons"))->trigger();
    ASSERT_NE(windows->tipsWindow(), nullptr);
    EXPECT_TRUE(windows->tipsWindow()->isVisible());
    EXPECT_FALSE(windows->tipsWindow()->tipText().isEmpty());
}

} // namespace
