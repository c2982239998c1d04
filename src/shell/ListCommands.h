// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forecast/CriteriaRanges.h"
#include "shell/CommandOutcome.h"

class RankingCommands;
class ReportArea;
class StateChanges;
class Study;
class History;
class WindowFields;

// A click on the draw list: the study period ends at the draw before the line, and the line is
// prepared for correction (or the trailing empty item for a new draw).
class ListCommands {
public:
    ListCommands(History& draws, WindowFields& window, Study& study, CriteriaRanges& criteria, ReportArea& area,
                 const StateChanges& changes, RankingCommands& rankings)
        : m_draws(draws), m_window(window), m_study(study), m_criteria(criteria), m_area(area), m_changes(changes),
          m_rankings(rankings)
    {
    }

    // Returns what the ranking it ends with came to (its export step).
    CommandOutcome clickListe(int index);
    // A selection made by the program runs the click handling as a person's click does.
    [[nodiscard]] CommandOutcome selectItem(int index);

private:
    void periodFromClick(int index);

    History& m_draws;
    WindowFields& m_window;
    Study& m_study;
    CriteriaRanges& m_criteria;
    ReportArea& m_area;
    const StateChanges& m_changes;
    RankingCommands& m_rankings;
};
