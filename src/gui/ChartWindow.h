// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>
#include <utility>

class MainWindow;
class QChartView;
class QTabWidget;
class QValueAxis;
class Workspace;
struct Formula;

// `frmGraph`: the appearances ("Sorties") and current gaps ("Ecarts") of the game's numbers as
// bar charts, one bar a number. Its values are those of the Workspace's statistics, read again whenever the
// Workspace announces a change, so they always equal the last statistics run; closing the
// window destroys it and "Graph" makes a new one with the same values.
class ChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChartWindow(Workspace& workspace, QWidget* parent = nullptr);

    // Registers the window's "Graph" command on the main window.
    static void install(MainWindow& window);

    // Follows the game of the Workspace's list, then its statistics.
    void refresh();
    // One bar per number of `formula`; the values come with the next refresh.
    void setFormula(const Formula& formula);
    // The values shown: 0 = "Sorties", 1 = "Ecarts"; number 1 first.
    QList<int> values(int chart) const;
    // Further views of the statistics go here, one tab each.
    QTabWidget* tabs() const { return m_tabs; }
    // The range of the value axis for `values`: from 0, or, `fromLowest`, from a round number
    // a little below the smallest value.
    static std::pair<int, int> valueRange(const QList<int>& values, bool fromLowest);
    // The value axis of chart 0 ("Sorties") or 1 ("Ecarts").
    QValueAxis* valueAxis(int chart) const;

private:
    Workspace& m_ws;
    QTabWidget* m_tabs = nullptr;
    QChartView* m_sorties = nullptr;
    QChartView* m_ecarts = nullptr;
    const Formula* m_formula = nullptr;
    QList<int> m_shown[2]; // what the charts hold, so an unchanged refresh costs nothing
};
