// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QList>
#include <array>

class ReportArea;
class StateChanges;
class History;
class WindowFields;

// The grid of number boxes, as many as the game played has numbers, and the buttons its count
// enables: the only writer of both.
class GridCommands {
public:
    GridCommands(const History& draws, WindowFields& window, ReportArea& area, const StateChanges& changes)
        : m_draws(draws), m_window(window), m_area(area), m_changes(changes)
    {
    }

    using Checks = std::array<bool, Formula::kMaxNumber + 1>;
    const Checks& checks() const { return m_checks; }
    bool okEnabled() const { return m_okEnabled; }
    bool annulerEnabled() const { return m_annulerEnabled; }
    // A validated entry: OK waits for the next full grid.
    void disableOk();

    void setCheck(int number, bool ticked);
    void untickAll();
    void toutCocher();
    QList<int> chosenNumbers() const;
    // Selects, in both result lists, the lines of the ticked numbers.
    void reperage();

private:
    void boxUpdate();

    const History& m_draws;
    WindowFields& m_window;
    ReportArea& m_area;
    const StateChanges& m_changes;
    Checks m_checks{};
    bool m_okEnabled = false;
    bool m_annulerEnabled = false;
};
