#pragma once

#include "acquire/BaseBuilder.h"

class HistoryCommands;
class Jobs;
class RankingCommands;
class ReportSteps;
class StateChanges;
class UserInterface;
struct WorkspaceConfig;
struct WorkspaceState;

// Building the base history and the working history from several of the operator's archives,
// for a player who has none yet (or who starts again from the archives).
class BaseCommand {
public:
    BaseCommand(WorkspaceState& state, const WorkspaceConfig& config, UserInterface& ui, const StateChanges& changes,
                ReportSteps& steps, RankingCommands& rankings, HistoryCommands& history, Jobs& jobs)
        : m_state(state), m_config(config), m_ui(ui), m_changes(changes), m_steps(steps), m_rankings(rankings),
          m_history(history), m_jobs(jobs)
    {
    }

    // Asks for the archives, reads them with the progress bar shown (a job: a stop writes
    // nothing), asks before replacing a history, writes both files, loads the new working
    // history and shows the summary.
    void construireHistorique();

private:
    // After the archives were read: the questions, the two files, the new list.
    void writeHistories(const BaseBuilder::Result& result);

    WorkspaceState& m_state;
    const WorkspaceConfig& m_config;
    UserInterface& m_ui;
    const StateChanges& m_changes;
    ReportSteps& m_steps;
    RankingCommands& m_rankings;
    HistoryCommands& m_history;
    Jobs& m_jobs;
};
