// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquire/ManualEntry.h"

#include <optional>

class GridCommands;
class HistoryCommands;
class ListCommands;
class StateChanges;
class UserInterface;
struct WorkspaceState;

// Manual entry and correction of draws, and the clicks on the result list.
class EntryCommands {
public:
    EntryCommands(WorkspaceState& state, UserInterface& ui, const StateChanges& changes, GridCommands& grid, ListCommands& list,
                  HistoryCommands& history)
        : m_state(state), m_ui(ui), m_changes(changes), m_grid(grid), m_list(list), m_history(history)
    {
    }

    void doubleClickListe();
    // Prepares the oldest draw for correction (a click on line 0 acts on line 1 for the
    // statistics, so the oldest draw is reached this way).
    void chooseOldestDraw();
    void validateEntry(); // OK
    void effacer(); // Annuler
    void clickResultat(int index);

private:
    // The date and slot of the line being entered or corrected; nullopt, already told, when none.
    std::optional<ManualEntry::Slot> entrySlot(int i);
    WorkspaceState& m_state;
    UserInterface& m_ui;
    const StateChanges& m_changes;
    GridCommands& m_grid;
    ListCommands& m_list;
    HistoryCommands& m_history;
};
