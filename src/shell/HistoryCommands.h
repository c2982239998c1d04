#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class DrawList;
class FolderLock;
class ImportCommand;
class ListCommands;
class RankingCommands;
class ReportSteps;
class StateChanges;
class UserInterface;
struct WorkspaceConfig;
struct WorkspaceState;

// Loading the history into the draw list and writing it back, with every rule that keeps a draw
// from being lost.
class HistoryCommands {
public:
    HistoryCommands(WorkspaceState& state, const WorkspaceConfig& config, UserInterface& ui, const StateChanges& changes,
                    ReportSteps& steps, ListCommands& list, RankingCommands& rankings, ImportCommand& import, FolderLock& lock)
        : m_state(state), m_config(config), m_ui(ui), m_changes(changes), m_steps(steps), m_list(list), m_rankings(rankings),
          m_import(import), m_lock(lock)
    {
    }

    void charge2(bool withOfflineNotice = true); // the working history
    // The base history, then the archive when on line (a download runs as a job: `then`
    // follows once the list is whole).
    void charge(std::function<void()> then = {});
    void chargeManuelle();
    void reload(); // "Telechargement FDesJeux" and "Tous les tirages"

    // Writes the working history from the list; false when refused or failed (already told).
    bool sauve();
    // The save at exit. After a failed load the file is left alone, said once; false only when
    // the list holds draws the file lacks.
    bool exitSave();

    // Before the list is replaced: a correction not yet written is saved, or the person agrees
    // to give it up. False when the reload must not happen.
    bool keepUnsavedWork();
    // Why a draw may not be entered or corrected in the list as it stands; nullopt when it may.
    std::optional<QString> entryRefusal() const;

private:
    // False when the file was there but not read whole: the list is then kept as it was.
    bool loadInto(const QString& path);
    void afterLoad(bool isCharge2);
    void offlineNotice();
    // A fresh name beside the working history for a list that may not replace it.
    QString conflictPath(const QString& workingPath) const;
    // The working history changed on disk since it was read or written: it is kept, and the
    // list is written beside it. Always false (the working history was not written).
    bool saveBeside(const QString& path, const QByteArray& diskDigest, const DrawList& draws);
    // What the window keeps when a write fails; nothing to say on the command line.
    QString keptInWindow() const;
    // Why nothing may be written after a failed load.
    QString unreadRefusal() const;

    WorkspaceState& m_state;
    const WorkspaceConfig& m_config;
    UserInterface& m_ui;
    const StateChanges& m_changes;
    ReportSteps& m_steps;
    ListCommands& m_list;
    RankingCommands& m_rankings;
    ImportCommand& m_import;
    FolderLock& m_lock;
};
