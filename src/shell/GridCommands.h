// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class ReportArea;
class StateChanges;
struct WorkspaceState;

// The grid of seventy number boxes.
class GridCommands {
public:
    GridCommands(WorkspaceState& state, ReportArea& area, const StateChanges& changes)
        : m_state(state), m_area(area), m_changes(changes)
    {
    }

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
};
