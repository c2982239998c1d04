// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QList>
#include <array>

class ReportArea;
class StateChanges;
struct WorkspaceState;

// The grid of number boxes, as many as the game played has numbers, and the buttons its count
// enables: the only writer of both.
class GridCommands {
public:
    GridCommands(WorkspaceState& state, ReportArea& area, const StateChanges& changes)
        : m_state(state), m_area(area), m_changes(changes)
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

    WorkspaceState& m_state;
    ReportArea& m_area;
    const StateChanges& m_changes;
    Checks m_checks{};
    bool m_okEnabled = false;
    bool m_annulerEnabled = false;
};
