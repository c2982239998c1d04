// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquire/ArchiveCheck.h"
#include "acquire/ArchiveImport.h"
#include "shell/CommandOutcome.h"
#include "shell/History.h"
#include "shell/WindowFields.h"

#include <QString>
#include <functional>

class ArchiveSource;
class Jobs;
class ListCommands;
class RankingCommands;
class ReportSteps;
class StateChanges;
class UserInterface;
struct WorkspaceConfig;
class Study;

// What the last archive import did (the command line reports it).
struct ImportOutcome {
    bool attempted = false;
    bool fetched = false;
    bool csvRead = false;
    int imported = 0;
    int skipped = 0; // rows that are not draws
    QString summary; // "Import de l'archive : ..."
    QString error; // one message a line
    bool broughtNothing = false; // read whole, but nothing a game still drawn lacks: a failure
};

// Fetches the results archive, extracts it and appends its draws to the list.
class ImportCommand {
public:
    ImportCommand(History& draws, WindowFields& window, Study& study, const WorkspaceConfig& config, UserInterface& ui,
                  const StateChanges& changes, ReportSteps& steps, ListCommands& list, RankingCommands& rankings, Jobs& jobs)
        : m_draws(draws), m_window(window), m_study(study), m_config(config), m_ui(ui), m_changes(changes), m_steps(steps),
          m_list(list), m_rankings(rankings), m_jobs(jobs)
    {
    }

    // Where the archive comes from; none: the archive is not fetched.
    void setSource(ArchiveSource* source) { m_source = source; }
    bool hasSource() const { return m_source != nullptr; }
    // The address the archive is fetched from (the settings' one, until the player gives another).
    void useArchiveUrl(const QString& url) { m_archiveUrl = url; }
    const QString& archiveUrl() const { return m_archiveUrl; }
    // What the last download and import did.
    const ImportOutcome& lastImport() const { return m_lastImport; }
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
    ImportOutcome m_lastImport;
    QString m_archiveUrl;
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
