// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquire/ArchiveCheck.h"
#include "acquire/ArchiveImport.h"
#include "shell/CommandOutcome.h"
#include "shell/WorkspaceState.h"

#include <QString>
#include <functional>

class ArchiveSource;
class Jobs;
class ListCommands;
class RankingCommands;
class ReportSteps;
class StateChanges;
class UserInterface;
struct ImportOutcome;
struct WorkspaceConfig;
class Study;

// Fetches the results archive, extracts it and appends its draws to the list.
class ImportCommand {
public:
    ImportCommand(WorkspaceState& state, Study& study, const WorkspaceConfig& config, UserInterface& ui,
                  const StateChanges& changes, ReportSteps& steps, ListCommands& list, RankingCommands& rankings, Jobs& jobs)
        : m_draws(state.history), m_window(state.window), m_lastImport(state.lastImport), m_archiveUrl(state.archiveUrl),
          m_study(study), m_config(config), m_ui(ui), m_changes(changes), m_steps(steps), m_list(list), m_rankings(rankings),
          m_jobs(jobs)
    {
    }

    // Where the archive comes from; none: the archive is not fetched.
    void setSource(ArchiveSource* source) { m_source = source; }
    bool hasSource() const { return m_source != nullptr; }
    // The address the archive is fetched from (the settings' one, until the player gives another).
    void useArchiveUrl(const QString& url) { m_archiveUrl = url; }
    // A new load speaks for itself, not an earlier download that may have worked.
    void forgetLastImport() { m_lastImport = ImportOutcome{}; }

    // The download runs as a job; the extraction, the list and `then` follow at its end, `then`
    // with what came of it: the counts reached, what the person must know of the archive.
    // `beforeAsking` runs before the address is asked for, so what the command had to tell
    // until then comes first.
    void importArchive(OutcomeThen then, std::function<void()> beforeAsking = {});

private:
    struct Fetch {
        bool fetched = false;
        bool cancelled = false;
        QString error;
    };
    CommandOutcome afterFetch(const Fetch& fetch);
    // The download failed: asks for another address, and keeps it.
    CommandOutcome askAddress(const QString& error);
    // The download came: extracts, checks and appends the archive's draws, and says what came of it.
    CommandOutcome appendArchive();
    // What the import came to, told only when the person must know something of it.
    static CommandOutcome toldOutcome(const ImportOutcome& import, const ArchiveImport::Result& result,
                                      const ArchiveCheck::Result& checked, const QString& ownerError);

    History& m_draws;
    WindowFields& m_window;
    ImportOutcome& m_lastImport;
    QString& m_archiveUrl;
    std::function<void()> m_beforeAsking;
    Study& m_study;
    const WorkspaceConfig& m_config;
    UserInterface& m_ui;
    const StateChanges& m_changes;
    ReportSteps& m_steps;
    ListCommands& m_list;
    RankingCommands& m_rankings;
    Jobs& m_jobs;
    ArchiveSource* m_source = nullptr;
};
