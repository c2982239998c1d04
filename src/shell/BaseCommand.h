// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquire/BaseBuilder.h"
#include "shell/HistoryBuild.h"

#include <functional>
#include <optional>

class FolderLock;
class HistoryCommands;
class Jobs;
class RankingCommands;
class ReportSteps;
class StateChanges;
class UserInterface;
struct WorkspaceConfig;

// Building the base history and the working history from several of the operator's archives,
// for a player who has none yet or who starts again from the archives. The draws of the
// working history that the archives lack are kept.
class BaseCommand {
public:
    BaseCommand(const WorkspaceConfig& config, UserInterface& ui, const StateChanges& changes, ReportSteps& steps,
                RankingCommands& rankings, HistoryCommands& history, Jobs& jobs, FolderLock& lock)
        : m_config(config), m_ui(ui), m_changes(changes), m_steps(steps), m_rankings(rankings), m_history(history), m_jobs(jobs),
          m_lock(lock)
    {
    }

    // Asks for the archives, then build(); then `then` with what came of it, as the window
    // shows it.
    void construireHistorique(OutcomeThen then);

    // Reads the archives with the progress bar shown (a job: a stop writes nothing), merges the
    // working history, asks before replacing a history (naming both files and their counts),
    // writes both files or neither, loads the new working history and shows the ranking; then
    // `done` with what came of it.
    void build(const QStringList& archives, std::function<void(const HistoryBuild&)> done);

private:
    // After the archives were read: the checks, the question, the two files, the new list, the
    // folder locked from the reading of the histories to their writing, except during the question.
    HistoryBuild writeHistories(BaseBuilder::Result& result);
    HistoryBuild mergeAndWrite(BaseBuilder::Result& result);
    // Asks with the folder free; nullopt when the answer is yes and the files are as they were.
    std::optional<HistoryBuild> askToReplace(const QString& question, const BaseBuilder::Paths& paths);

    const WorkspaceConfig& m_config;
    UserInterface& m_ui;
    const StateChanges& m_changes;
    ReportSteps& m_steps;
    RankingCommands& m_rankings;
    HistoryCommands& m_history;
    Jobs& m_jobs;
    FolderLock& m_lock;
};
