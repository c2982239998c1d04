// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class StateChanges;
struct WorkspaceState;

// The grid of number boxes, as many as the game played has numbers.
class GridCommands {
public:
    GridCommands(WorkspaceState& state, const StateChanges& changes) : m_state(state), m_changes(changes) { }

    void setCheck(int number, bool ticked);
    void untickAll();
    void toutCocher();
    QList<int> chosenNumbers() const;
    // Selects, in both result lists, the lines of the ticked numbers.
    void reperage();

private:
    void boxUpdate();

    WorkspaceState& m_state;
    const StateChanges& m_changes;
};
