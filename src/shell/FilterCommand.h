// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/CalendarFilter.h"
#include "shell/CommandOutcome.h"

class HistoryCommands;
class ListCommands;
class RankingCommands;
class ReportSteps;
class StateChanges;
class UserInterface;
class Study;
class History;
class WindowFields;

// "Periode d'etude": the calendar filter replaces the list by the draws it keeps.
class FilterCommand {
public:
    FilterCommand(History& draws, WindowFields& window, Study& study, UserInterface& ui, const StateChanges& changes,
                  ReportSteps& steps, ListCommands& list, RankingCommands& rankings, HistoryCommands& history)
        : m_draws(draws), m_window(window), m_study(study), m_ui(ui), m_changes(changes), m_steps(steps), m_list(list),
          m_rankings(rankings), m_history(history)
    {
    }

    // The whole history loaded (a download runs as a job), the filter window, then the draws it
    // keeps; then `then` with what came of it.
    void periodeEtude(OutcomeThen then);

private:
    // Once the whole history is loaded: the filter window, then the draws it keeps.
    void filterHistory(CommandOutcome outcome, const OutcomeThen& then);
    // A filter that keeps nothing: the whole history again.
    void loadWhole(CommandOutcome outcome, const OutcomeThen& then);

    History& m_draws;
    WindowFields& m_window;
    Study& m_study;
    UserInterface& m_ui;
    const StateChanges& m_changes;
    ReportSteps& m_steps;
    ListCommands& m_list;
    RankingCommands& m_rankings;
    HistoryCommands& m_history;
    CalendarFilter m_filter; // as the person left it in the filter window
};
