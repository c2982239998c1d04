// The analyses in the window: their menu rows, the chart window, and the combination walks that
// run off the window's thread with a stop button.
#include "gui/ChartWindow.h"
#include "gui/MainWindow.h"

#include "history/HistoryFile.h"
#include "output/NumberFormat.h"
#include "shell/Workspace.h"
#include "support/TestSupport.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>

#include <functional>

// What a key press goes through before it reaches a widget: the window's shortcuts (QtGui).
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int key, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace {

constexpr int kDraws = 300;

using TestSupport::waitFor;

class AnalysesWindowTest : public TestSupport::WindowTest {
protected:
    void SetUp() override
    {
        writeHistory(TestSupport::makeHistory(kDraws));
        open();
    }

    // The appearances (field 1) or current gaps (field 2) of the numbers 1..70 as the ranking
    // "Numéro" shows them in its two lists.
    QList<int> rankingColumn(int field)
    {
        get<QAction>("Numero")->trigger();
        QList<int> values;
        for (const char* list : {"Resultat", "Resultat2"}) {
            const QListWidget* widget = get<QListWidget>(list);
            for (int row = 1; row < widget->count(); ++row)
                values << widget->item(row)->text().split(QLatin1Char(' '), Qt::SkipEmptyParts).value(field).toInt();
        }
        return values;
    }

    ChartWindow* chart() const { return m_window->findChild<ChartWindow*>(QStringLiteral("frmGraph")); }
};

TEST_F(AnalysesWindowTest, StatisticsMenuHoldsTheAnalysesInOrder)
{
    QStringList names;
    for (const QAction* action : get<QMenu>("Statistiques")->actions())
        names << action->objectName();
    const qsizetype numero = names.indexOf(QStringLiteral("Numero"));
    ASSERT_GE(numero, 0);
    QStringList ours;
    for (const QString& name : names.mid(numero + 1))
        if (!name.startsWith(QLatin1Char('m')) || name == QLatin1String("m3"))
            ours << name;
    for (const char* other : {"Perf2", "PartHasard", "AnnonceurHasard", "Hasard"})
        ours.removeAll(QString::fromLatin1(other));
    ours.removeAll(QStringLiteral("FinalesMenu"));
    ours.removeAll(QStringLiteral("ColonesMenu"));
    EXPECT_EQ(ours.join(QLatin1Char(' ')), QStringLiteral("Dix Sept Pi PG m3 Part Recherche Annonceur PlusSortis Colonne"));

    // A menu row runs its report into the lists.
    get<QAction>("Pi")->trigger();
    const QListWidget* resultat = get<QListWidget>("Resultat");
    ASSERT_EQ(resultat->count(), 2);
    EXPECT_TRUE(resultat->item(0)->text().endsWith(QStringLiteral("  Numéros impairs")));
    EXPECT_FALSE(get<QListWidget>("Resultat2")->isVisible());
}

TEST_F(AnalysesWindowTest, ChartsShowTheRankingFiguresAndFollowEveryStatisticsRun)
{
    EXPECT_EQ(chart(), nullptr);
    get<QPushButton>("cmdGraph")->click();
    ChartWindow* window = chart();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Form1"));
    ASSERT_NE(window->findChild<QWidget*>(QStringLiteral("MSChartSorties")), nullptr);
    ASSERT_NE(window->findChild<QWidget*>(QStringLiteral("MSChart1")), nullptr);
    const QList<int> sorties = rankingColumn(1);
    const QList<int> ecarts = rankingColumn(2);
    ASSERT_EQ(sorties.size(), 70);
    EXPECT_EQ(window->values(0), sorties);
    EXPECT_EQ(window->values(1), ecarts);

    // Closed and shown again: the same values.
    window->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(chart(), nullptr);
    get<QPushButton>("cmdGraph")->click();
    ASSERT_NE(chart(), nullptr);
    EXPECT_EQ(chart()->values(0), sorties);

    // Hidden, it still follows a report that recomputes the statistics over a shorter period.
    chart()->hide();
    m_ws->clickListe(100);
    get<QAction>("Pi")->trigger();
    const QList<int> shorter = rankingColumn(1);
    EXPECT_NE(shorter, sorties);
    EXPECT_EQ(chart()->values(0), shorter);
    EXPECT_EQ(chart()->values(1), rankingColumn(2));
}

TEST_F(AnalysesWindowTest, AWalkRunsOffTheWindowThreadAndStopKeepsItsLines)
{
    m_ws->toutCocher();
    m_ui.textAnswers.push_back(QStringLiteral("8")); // billions of combinations: it cannot end by itself here
    get<QAction>("PlusSortis")->trigger();
    ASSERT_TRUE(m_ws->walkRunning());

    // Meanwhile the window answers, its inputs locked, the stop button offered.
    EXPECT_FALSE(get<QAction>("Sorties")->isEnabled());
    EXPECT_FALSE(get<QAction>("Pi")->isEnabled());
    EXPECT_TRUE(get<QAction>("Fin")->isEnabled());
    EXPECT_FALSE(get<QWidget>("Liste")->isEnabled());
    auto* stop = get<QPushButton>("Arreter");
    EXPECT_TRUE(stop->isVisible());
    EXPECT_TRUE(stop->isEnabled());
    const QLabel* label1 = get<QLabel>("Label1");
    const QLabel* progress = get<QLabel>("Avancement");
    ASSERT_TRUE(
        waitFor([&] { return !label1->text().isEmpty() && get<QListWidget>("Resultat")->count() > 0 && progress->isVisible(); }));
    EXPECT_TRUE(m_ws->walkRunning());
    EXPECT_EQ(label1->text().split(QLatin1Char(' '), Qt::SkipEmptyParts).size(), 8) << label1->text().toStdString();
    // C(70, 8) combinations.
    EXPECT_TRUE(progress->text().contains(QStringLiteral(" combinaisons examinées sur 9") + NumberFormat::groupSeparator()
                                          + QStringLiteral("440")))
        << progress->text().toStdString();

    // Esc stops it as the button does; the list then says it is not whole.
    QApplication::setActiveWindow(m_window.get());
    qt_sendShortcutOverrideEvent(m_window.get(), 0, Qt::Key_Escape, Qt::NoModifier, QString(), false, 1);
    ASSERT_TRUE(waitFor([&] { return !m_ws->walkRunning(); }));
    const QListWidget* resultat = get<QListWidget>("Resultat");
    ASSERT_GT(resultat->count(), 1);
    EXPECT_EQ(resultat->item(0)->text().left(20), QStringLiteral(" 1 2 3 4 5 6 7 8    "));
    const QStringList shown = TestSupport::rows(resultat);
    EXPECT_EQ(shown, m_ws->report().resultat.lines);
    EXPECT_EQ(shown.last(), QStringLiteral("Recherche arrêtée : 0 % des combinaisons examinées"));
    EXPECT_TRUE(resultat->item(resultat->count() - 2)->isSelected()); // the last record
    EXPECT_EQ(label1->text(), m_ws->label1());
    EXPECT_TRUE(get<QAction>("Sorties")->isEnabled());
    EXPECT_TRUE(get<QWidget>("Liste")->isEnabled());
    EXPECT_FALSE(stop->isVisible());
    EXPECT_FALSE(progress->isVisible());
}

TEST_F(AnalysesWindowTest, ClosingDuringAGapSearchStopsItAndRestoresThePointer)
{
    m_ws->toutCocher();
    m_ui.textAnswers.push_back(QStringLiteral("9"));
    m_ui.textAnswers.push_back(QStringLiteral("9"));
    get<QAction>("Recherche")->trigger();
    ASSERT_TRUE(m_ws->walkRunning());
    EXPECT_TRUE(m_ws->waitCursor());
    m_window->close();
    EXPECT_FALSE(m_ws->walkRunning());
    EXPECT_FALSE(m_ws->waitCursor());
}

} // namespace
