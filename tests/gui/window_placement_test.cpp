#include "gui/MainWindow.h"

#include "gui/ChartWindow.h"
#include "gui/CriteriaWindow.h"
#include "gui/ForecastWindows.h"
#include "history/HistoryFile.h"
#include "shell/Settings.h"
#include "shell/Workspace.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTemporaryDir>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace {

// A window over a long history in a temporary folder; its settings live there too.
class WindowPlacementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QString error;
        const QStringList history = TestSupport::makeHistory(3000);
        for (const char* name : {"Tirages_keno.txt", "Tirages.txt"})
            ASSERT_TRUE(HistoryFile::write(m_dir.filePath(QString::fromLatin1(name)), history, &error));
        m_config.dataFolder = m_dir.path();
        m_config.appDataFolder = m_dir.filePath(QStringLiteral("config"));
    }

    void open()
    {
        m_window.reset();
        m_ws = std::make_unique<Workspace>(m_config, &m_ui);
        m_window = std::make_unique<MainWindow>(*m_ws, m_ui);
        m_window->showPlaced();
        m_window->startUp();
        QApplication::processEvents();
    }
    QString ini() const { return Settings::iniPath(m_config.appDataFolder); }
    QAction* action(const char* name) const { return m_window->findChild<QAction*>(QString::fromLatin1(name)); }
    template <typename T> T* get(const char* name) const { return m_window->findChild<T*>(QString::fromLatin1(name)); }
    static QRect workArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    QTemporaryDir m_dir;
    WorkspaceConfig m_config;
    TestSupport::ScriptedUi m_ui;
    std::unique_ptr<Workspace> m_ws;
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(WindowPlacementTest, FirstStartFitsTheWorkAreaAndTheGeometryComesBackFromTheSettings)
{
    // Other settings stay as they were written.
    TestSupport::writeFile(ini(), "[URL]\r\nFileFdesjeux=https://exemple.test/a.zip\r\n\r\n[Autre]\r\nCle=1\r\n");
    open();
    EXPECT_TRUE(workArea().contains(m_window->frameGeometry())) << m_window->frameGeometry().width();

    const QRect placed(workArea().topLeft() + QPoint(20, 30), QSize(500, 400));
    m_window->setGeometry(placed);
    ASSERT_TRUE(m_window->close());
    const QByteArray written = TestSupport::readFile(ini());
    EXPECT_TRUE(written.startsWith("[URL]\r\nFileFdesjeux=https://exemple.test/a.zip\r\n\r\n[Autre]\r\nCle=1\r\n"));
    EXPECT_TRUE(written.contains("[Fenetre]\r\n")) << written.constData();
    open();
    EXPECT_EQ(m_window->geometry(), placed);
    EXPECT_FALSE(m_window->isMaximized());

    // Saved on a larger screen: brought inside this one. Saved maximised: maximised again.
    Settings settings(ini(), true);
    settings.write(QStringLiteral("Fenetre"), QStringLiteral("Gauche"), QStringLiteral("1500"));
    settings.write(QStringLiteral("Fenetre"), QStringLiteral("Largeur"), QStringLiteral("2400"));
    open();
    EXPECT_TRUE(workArea().contains(m_window->frameGeometry()));
    m_window->showMaximized();
    ASSERT_TRUE(m_window->close());
    open();
    EXPECT_TRUE(m_window->isMaximized());
}

TEST_F(WindowPlacementTest, EveryReportLineIsWholeAndTheTitleNeverNamesAnotherReport)
{
    open();
    m_window->showNormal();
    m_window->resize(1366, 740);
    const QString ranking = m_ws->report().title;
    auto* resultat = get<QListWidget>("Resultat");
    auto* rapport = get<QLabel>("lblRapport");
    const auto whole = [&](const char* report) {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents(); // nested layouts settle one level per pass
        int widest = 0;
        for (const QString& line : m_ws->report().resultat.lines)
            widest = std::max(widest, resultat->fontMetrics().horizontalAdvance(line));
        EXPECT_GE(resultat->viewport()->width(), widest) << report;
        EXPECT_EQ(resultat->horizontalScrollBar()->maximum(), 0) << report;
    };
    for (int n : {1, 2, 3})
        m_window->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(n))->setChecked(true);

    action("Hasard")->trigger();
    whole("Hasard");
    action("PartHasard")->trigger();
    EXPECT_EQ(m_ws->report().title, QStringLiteral("Partenaires - hasard"));
    // "Annonceur" keeps the title as if the chance report had not run, exports included; the
    // window names the report it shows.
    action("Annonceur")->trigger();
    whole("Annonceur");
    EXPECT_EQ(m_ws->report().title, ranking);
    EXPECT_EQ(m_ws->report().exportLines().value(0), ranking);
    EXPECT_EQ(get<QLabel>("lblAff")->text(), ranking);
    EXPECT_TRUE(rapport->isVisible());
    EXPECT_TRUE(rapport->text().contains(QStringLiteral("Annonceur")));

    action("Perf2")->trigger();
    whole("Performance");
    EXPECT_FALSE(rapport->isVisible());
    action("Cotes")->trigger();
    whole("Cotes du Keno");
    action("Magic")->trigger();
    whole("Selection numéros");
    EXPECT_EQ(m_ws->report().title, QStringLiteral("Performance d'un ensemble"));
    EXPECT_TRUE(rapport->text().contains(QStringLiteral("Selection numéros")));
}

TEST_F(WindowPlacementTest, CriteriaBarsTakeTheKeysEscapeHidesAndTheChartShowsTheSpreadOfAppearances)
{
    open();
    action("mnuPrev")->trigger();
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

    // The appearances' axis starts near the fewest appearances, and says from where.
    m_window->findChild<QAction*>(QStringLiteral("Sorties"))->trigger();
    ChartWindow chart(*m_ws);
    const QList<int> values = chart.values(0);
    const int fewest = *std::min_element(values.begin(), values.end());
    ASSERT_GT(fewest, 100);
    QValueAxis* axis = chart.valueAxis(0);
    EXPECT_GT(axis->min(), 0);
    EXPECT_LE(axis->min(), fewest);
    EXPECT_GE(axis->max(), *std::max_element(values.begin(), values.end()));
    EXPECT_TRUE(axis->titleText().contains(QString::number(static_cast<int>(axis->min()))));
}

} // namespace
