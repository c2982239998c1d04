// SPDX-License-Identifier: GPL-3.0-or-later
// The chart window "Form1": the ranking figures, shown from the main window and following it.
#include "gui/ChartWindow.h"

#include "history/Formula.h"
#include "shell/CommandUnits.h"
#include "support/WindowFixture.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QPushButton>
#include <QValueAxis>

namespace {

class ChartWindowTest : public TestSupport::WindowTest {
protected:
    void SetUp() override
    {
        writeHistory(TestSupport::makeHistory(3000));
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

TEST_F(ChartWindowTest, ChartsShowTheRankingFiguresAndFollowEveryStatisticsRun)
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
    m_ws->units().list.clickListe(100);
    get<QAction>("Pi")->trigger();
    const QList<int> shorter = rankingColumn(1);
    EXPECT_NE(shorter, sorties);
    EXPECT_EQ(chart()->values(0), shorter);
    EXPECT_EQ(chart()->values(1), rankingColumn(2));
}

TEST_F(ChartWindowTest, TheAppearancesAxisStartsNearTheFewestAndSaysFromWhere)
{
    get<QAction>("Sorties")->trigger();
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

// The number labels under the bars of chart 0, with the range they span.
QString numberAxis(const ChartWindow& chart)
{
    const auto* view = chart.findChild<QChartView*>(QStringLiteral("MSChartSorties"));
    auto* x = qobject_cast<QCategoryAxis*>(view->chart()->axes(Qt::Horizontal).value(0));
    return QStringLiteral("%1..%2: %3").arg(x->min()).arg(x->max()).arg(x->categoriesLabels().join(u' '));
}

TEST_F(ChartWindowTest, ABarPerNumberOfTheGameAndTheListsGameAtEachRefresh)
{
    get<QAction>("Numero")->trigger();
    ChartWindow chart(*m_ws);
    const QList<int> sorties = rankingColumn(1);
    EXPECT_EQ(numberAxis(chart), QStringLiteral("-0.5..69.5: 1 5 10 15 20 25 30 35 40 45 50 55 60 65 70"));

    chart.setFormula(Formula::current());
    EXPECT_EQ(chart.values(0), QList<int>(56, 0));
    EXPECT_EQ(chart.values(1), QList<int>(56, 0));
    EXPECT_EQ(numberAxis(chart), QStringLiteral("-0.5..55.5: 1 5 10 15 20 25 30 35 40 45 50 55"));

    // The list holds the other game: its bars come back, filled again although the figures
    // did not change.
    chart.refresh();
    EXPECT_EQ(chart.values(0), sorties);
    EXPECT_EQ(chart.values(1), rankingColumn(2));
}

} // namespace
