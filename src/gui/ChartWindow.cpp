// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ChartWindow.h"

#include "gui/HeatMapWidget.h"

#include "analyses/ChartValues.h"
#include "gui/MainWindow.h"
#include "gui/WindowPlacement.h"
#include "history/Formula.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QPointer>
#include <QShortcut>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

QBarSet* barsOf(const QChartView* view)
{
    const auto series = view->chart()->series();
    if (series.isEmpty())
        return nullptr;
    const auto* bars = static_cast<const QBarSeries*>(series.first());
    return bars->barSets().isEmpty() ? nullptr : bars->barSets().first();
}

QChartView* makeChart(const QString& objectName, QWidget* parent)
{
    auto* chart = new QChart;
    chart->legend()->hide();
    auto* series = new QBarSeries(chart);
    series->setBarWidth(0.8);
    auto* set = new QBarSet(QString(), series);
    series->append(set);
    chart->addSeries(series);

    auto* x = new QCategoryAxis(chart);
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    x->setGridLineVisible(false);
    auto* y = new QValueAxis(chart);
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);

    auto* view = new QChartView(chart, parent);
    view->setObjectName(objectName);
    // The exact figure of a bar under the pointer.
    QObject::connect(series, &QBarSeries::hovered, view, [view](bool on, int index, QBarSet* bars) {
        if (on)
            QToolTip::showText(QCursor::pos(), QStringLiteral("%1 : %2").arg(index + 1).arg(bars->at(index)), view);
        else
            QToolTip::hideText();
    });
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(640, 260);
    return view;
}

// One bar per number of the game, at 0 until filled. Bar i stands at x = i; a label every five
// numbers stays readable however narrow the window.
void shapeBars(QChartView* view, int numbers)
{
    QBarSet* set = barsOf(view);
    set->remove(0, set->count());
    for (int n = 1; n <= numbers; ++n)
        *set << 0;
    auto* x = qobject_cast<QCategoryAxis*>(view->chart()->axes(Qt::Horizontal).value(0));
    for (const QString& label : x->categoriesLabels())
        x->remove(label);
    x->setRange(-0.5, numbers - 0.5);
    x->append(QStringLiteral("1"), 0);
    for (int n = 5; n <= numbers; n += 5)
        x->append(QString::number(n), n - 1);
}

// `fromLowest`: the axis starts a little below the smallest value instead of 0, so that counts
// that all lie near one another still differ to the eye; its title says where it starts.
void fill(QChartView* view, const ChartValues::Series& values, bool fromLowest)
{
    view->chart()->setTitle(values.title);
    QBarSet* set = barsOf(view);
    for (int i = 0; i < values.values.size() && i < set->count(); ++i)
        set->replace(i, values.values[i]);
    auto* y = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
    if (!y)
        return;
    const auto [low, high] = ChartWindow::valueRange(values.values, fromLowest);
    y->setRange(low, high);
    y->applyNiceNumbers();
    if (y->min() < 0)
        y->setMin(0);
    if (fromLowest) {
        const int start = static_cast<int>(y->min());
        y->setTitleText(start > 0 ? QStringLiteral("à partir de %1").arg(start) : values.title);
    }
}

} // namespace

std::pair<int, int> ChartWindow::valueRange(const QList<int>& values, bool fromLowest)
{
    if (values.isEmpty())
        return {0, 1};
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    const int top = std::max(1, *highest);
    if (!fromLowest || *lowest <= 0)
        return {0, top + (top + 9) / 10};
    // A tenth of the spread (at least 1) below the smallest and above the largest value,
    // rounded to a step that gives round tick labels.
    const int spread = std::max(1, *highest - *lowest);
    int step = 1;
    while (step * 10 < spread)
        step *= 10;
    const int margin = std::max(1, spread / 10);
    const int low = std::max(0, (*lowest - margin) / step * step);
    const int high = ((*highest + margin + step - 1) / step) * step;
    return {low, std::max(high, low + 1)};
}

ChartWindow::ChartWindow(Workspace& workspace, QWidget* parent) : QWidget(parent, Qt::Window), m_ws(workspace)
{
    setObjectName(QStringLiteral("frmGraph"));
    setWindowTitle(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    m_sorties = makeChart(QStringLiteral("MSChartSorties"), this);
    m_ecarts = makeChart(QStringLiteral("MSChart1"), this);
    auto* charts = new QWidget(this);
    auto* chartsLayout = new QVBoxLayout(charts);
    chartsLayout->addWidget(m_sorties);
    chartsLayout->addWidget(m_ecarts);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("onglets"));
    m_tabs->addTab(charts, QStringLiteral("Sorties et écarts"));
    m_tabs->addTab(new HeatMapWidget(&m_ws, this), QStringLiteral("Carte des écarts à la moyenne"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);

    connect(&m_ws, &Workspace::changed, this, [this](unsigned parts) {
        if (parts & (Workspace::ReportPart | Workspace::BusyPart | Workspace::ListPart))
            refresh();
    });
    refresh();
}

void ChartWindow::setFormula(const Formula& formula)
{
    if (m_formula == &formula)
        return;
    m_formula = &formula;
    for (int i = 0; i < 2; ++i) {
        shapeBars(i == 0 ? m_sorties : m_ecarts, formula.numbers);
        m_shown[i].clear();
    }
}

void ChartWindow::refresh()
{
    setFormula(m_ws.liste().formula());
    ChartValues::Series series[2] = {ChartValues::sorties(m_ws.stats()), ChartValues::ecarts(m_ws.stats())};
    QChartView* const views[2] = {m_sorties, m_ecarts};
    for (int i = 0; i < 2; ++i) {
        // Only the game's numbers: the rows above them hold nothing.
        series[i].values = series[i].values.mid(0, m_formula->numbers);
        if (series[i].values == m_shown[i])
            continue;
        fill(views[i], series[i], i == 0);
        m_shown[i] = series[i].values;
    }
}

QList<int> ChartWindow::values(int chart) const
{
    QList<int> out;
    if (const QBarSet* set = barsOf(chart == 0 ? m_sorties : m_ecarts))
        for (int i = 0; i < set->count(); ++i)
            out << static_cast<int>(set->at(i));
    return out;
}

QValueAxis* ChartWindow::valueAxis(int chart) const
{
    const QChartView* view = chart == 0 ? m_sorties : m_ecarts;
    return qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
}

void ChartWindow::install(MainWindow& window)
{
    auto chart = std::make_shared<QPointer<ChartWindow>>();
    window.setWindowAction(QStringLiteral("cmdGraph"), [&window, chart] {
        window.workspace().units().analyses.graph();
        if (!*chart) {
            *chart = new ChartWindow(window.workspace(), &window);
            (*chart)->resize((*chart)->sizeHint());
            WindowPlacement::centreOn(*chart, &window);
        }
        (*chart)->refresh();
        (*chart)->show();
        (*chart)->raise();
    });
}
