// The forecast windows the main window opens: the criteria window "Prévisions" and the tips window "Astuce".
#include "gui/ForecastWindows.h"

#include "gui/CriteriaWindow.h"
#include "gui/TipsWindow.h"
#include "support/WindowFixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace {

TEST(TipsWindowTest, NextShowsTheFollowingTipAndAFaultyFileIsSaidInOneLine)
{
    TipsWindow missing(QString{});
    EXPECT_EQ(missing.windowTitle(), QStringLiteral("Astuce"));
    EXPECT_EQ(missing.tipText(), QStringLiteral("Le fichier des conseils « Conseil.txt » est introuvable."));
    EXPECT_FALSE(missing.findChild<QPushButton*>(QStringLiteral("cmdSuiv"))->isEnabled());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Conseil.txt"));
    TestSupport::writeFile(path, "3\r\nPremier\r\n\"Deuxième, avec une virgule\"\r\nTroisième\r\n");
    TipsWindow window(path);
    const QStringList tips
        = {QStringLiteral("Premier"), QStringLiteral("Deuxième, avec une virgule"), QStringLiteral("Troisième")};
    const qsizetype first = tips.indexOf(window.tipText()); // drawn at random
    ASSERT_GE(first, 0);
    for (int i = 1; i <= 3; ++i) {
        window.findChild<QPushButton*>(QStringLiteral("cmdSuiv"))->click();
        EXPECT_EQ(window.tipText(), tips[(first + i) % 3]) << i;
    }

    // A count larger than the tips present: said in one line, the window still works.
    TestSupport::writeFile(path, "5\r\nSeul\r\n");
    TipsWindow shortFile(path);
    EXPECT_EQ(shortFile.tipText(), QStringLiteral("Le fichier des conseils annonce 5 conseils mais n'en contient que 1."));
    shortFile.findChild<QPushButton*>(QStringLiteral("cmdSuiv"))->click();
    EXPECT_EQ(shortFile.tipText(), QStringLiteral("Seul"));
}

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
    ASSERT_TRUE(m_ws->saveCriteria());
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

} // namespace
