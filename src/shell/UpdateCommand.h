// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawList.h"
#include "history/Formula.h"
#include "shell/CommandOutcome.h"

#include <QString>
#include <vector>

class FolderLock;
class HistoryCommands;
class ListCommands;
class RankingCommands;
class ReportSteps;
class StateChanges;
class Study;
class UserInterface;
struct WorkspaceConfig;
class History;
class WindowFields;

// The draws of an archive the automatic update fetched, brought to their game's history with
// every check of the import. The game on screen takes them in its list, which is then saved and
// ranked as after a download; any other game's working history takes them on disk, read and
// written with the folder locked.
class UpdateCommand {
public:
    struct Result {
        int added = 0;
        QString failure; // in French; empty when the archive was taken, new draws or none
        CommandOutcome saved; // what the save of the list shown came to, to be shown as a command's
        // The game's history as written to its file when the list shown did not take the draws,
        // its last `added` draws the new ones, and each draw's multiplier where the archive gave
        // it: what the tickets of that game won is read there.
        DrawList file;
        std::vector<int> fileMultipliers;
    };

    UpdateCommand(History& draws, WindowFields& window, Study& study, const WorkspaceConfig& config, UserInterface& ui,
                  const StateChanges& changes, ReportSteps& steps, ListCommands& list, RankingCommands& rankings,
                  HistoryCommands& history, FolderLock& lock)
        : m_draws(draws), m_window(window), m_study(study), m_config(config), m_ui(ui), m_changes(changes), m_steps(steps),
          m_list(list), m_rankings(rankings), m_history(history), m_lock(lock)
    {
    }

    Result importFetched(const QString& archivePath, FormulaId game);
    // The newest line of the game's history, where importFetched would add to it; empty when
    // it holds none.
    QString newestDraw(FormulaId game) const;

private:
    // The list on screen holds the whole working history of `game`.
    bool listTakes(FormulaId game) const;
    Result intoList(const QString& archivePath);
    Result intoFile(const QString& archivePath, FormulaId game);
    QString workingFile(FormulaId game) const;

    History& m_draws;
    WindowFields& m_window;
    Study& m_study;
    const WorkspaceConfig& m_config;
    UserInterface& m_ui;
    const StateChanges& m_changes;
    ReportSteps& m_steps;
    ListCommands& m_list;
    RankingCommands& m_rankings;
    HistoryCommands& m_history;
    FolderLock& m_lock;
};
