// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquire/ManualEntry.h"
#include "forecast/CriteriaRanges.h"
#include "shell/CommandOutcome.h"

#include <variant>

class GridCommands;
class HistoryCommands;
class ListCommands;
class ReportArea;
class ReportSteps;
class StateChanges;
class Study;
class History;
class WindowFields;

// Manual entry and correction of draws, and the clicks on the result list.
class EntryCommands {
public:
    EntryCommands(History& draws, WindowFields& window, Study& study, CriteriaRanges& criteria, ReportArea& area,
                  const StateChanges& changes, ReportSteps& steps, GridCommands& grid, ListCommands& list,
                  HistoryCommands& history)
        : m_draws(draws), m_window(window), m_study(study), m_criteria(criteria), m_area(area), m_changes(changes),
          m_steps(steps), m_grid(grid), m_list(list), m_history(history)
    {
    }

    void doubleClickListe();
    // Prepares the oldest draw for correction (a click on line 0 acts on line 1 for the
    // statistics, so the oldest draw is reached this way).
    void chooseOldestDraw();
    // OK: refused with its reason when the draw may not be entered there; the save's outcome
    // when the draw lengthened the list.
    CommandOutcome validateEntry();
    void effacer(); // Annuler
    // The multiplier of the draw being typed or corrected (0: none); OK checks it and keeps it.
    void setMultiplier(int multiplier);
    void clickResultat(int index);

private:
    // The date and slot of the line being entered or corrected, or why there is none.
    std::variant<ManualEntry::Slot, CommandOutcome> entrySlot(int i) const;
    // The multiplier the entry shows, kept for the draw of `line`; none takes away the one it had.
    void keepMultiplier(const QString& line);
    History& m_draws;
    WindowFields& m_window;
    Study& m_study;
    CriteriaRanges& m_criteria;
    ReportArea& m_area;
    const StateChanges& m_changes;
    ReportSteps& m_steps;
    GridCommands& m_grid;
    ListCommands& m_list;
    HistoryCommands& m_history;
};
