// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forecast/CriteriaRanges.h"
#include "history/HistoryFile.h"
#include "shell/CommandOutcome.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class DrawList;
class Multipliers;
namespace HistoryGuard {
struct Refusal;
}
class FolderLock;
class ImportCommand;
class ListCommands;
class RankingCommands;
class ReportSteps;
class StateChanges;
class UserInterface;
struct WorkspaceConfig;
class Study;
class History;
class WindowFields;

// Loading the history into the draw list and writing it back, with every rule that keeps a draw
// from being lost.
class HistoryCommands {
public:
    HistoryCommands(History& draws, WindowFields& window, Study& study, CriteriaRanges& criteria, const WorkspaceConfig& config,
                    UserInterface& ui, const StateChanges& changes, ReportSteps& steps, ListCommands& list,
                    RankingCommands& rankings, ImportCommand& import, FolderLock& lock)
        : m_draws(draws), m_window(window), m_study(study), m_criteria(criteria), m_config(config), m_ui(ui), m_changes(changes),
          m_steps(steps), m_list(list), m_rankings(rankings), m_import(import), m_lock(lock)
    {
    }

    CommandOutcome charge2(bool withOfflineNotice = true); // the working history
    // The base history, then the archive when on line (a download runs as a job: `then`
    // follows once the list is whole, with what came of it). A base that cannot be read ends
    // it at once: that outcome is returned and `then` is not called.
    [[nodiscard]] std::optional<CommandOutcome> charge(OutcomeThen then);
    CommandOutcome chargeManuelle();
    // "Telechargement FDesJeux" and "Tous les tirages": the base history, the archive, the save;
    // then `then` with the first refusal or failure and the counts reached.
    void reload(OutcomeThen then);

    // Writes the working history from the list: done with the draws written, or failed with
    // the reason (the working history kept).
    CommandOutcome sauve();
    // Writes beside the working history those of `values` that the file lacks for the draws it
    // holds, the history left as it is: what an import brings with no draw to save.
    CommandOutcome keepMultipliers(const Multipliers& values);
    // The save at exit: done when nothing of the list is lost (written, already in the file, or
    // written beside it when the player agreed). After a failed load the file is left alone.
    CommandOutcome exitSave();

    // Before the list is replaced: a correction not yet written is saved, or the person agrees
    // to give it up (done, telling why it was not saved). Not done when the reload must not happen.
    CommandOutcome keepUnsavedWork();
    // Where what must be read before a question goes (the window shows it at once); false
    // when nobody shows it.
    void setAnnounce(std::function<bool(const CommandOutcome&)> announce) { m_announce = std::move(announce); }

    // Why a draw may not be entered or corrected in the list as it stands; nullopt when it may.
    std::optional<QString> entryRefusal() const;

private:
    // Failed when the file was there but not read whole: the list is then kept as it was.
    CommandOutcome loadInto(const QString& path);
    // Returns what the ranking the load ends with came to.
    CommandOutcome afterLoad(bool isCharge2);
    // The multipliers of the game played, from the file beside the working history; a file that
    // cannot be used is told, never a reason to refuse the history.
    void loadMultipliers(CommandOutcome& outcome);
    bool offline() const;
    // A save that did not happen, and why.
    static CommandOutcome notSaved(const QString& why);
    // Shows `outcome` before a question that depends on it, when someone can show it: then
    // nothing of it is left to tell. Otherwise it is returned whole.
    CommandOutcome tellBeforeAsking(const CommandOutcome& outcome) const;
    // A fresh name beside the working history for a list that may not replace it.
    QString conflictPath(const QString& workingPath) const;
    // What one attempt at writing the working history, the lock held, came to.
    struct SaveStep {
        enum class Kind { Written, AlreadyThere, Failed, Ask };
        SaveStep(Kind k, QString t = {}, QByteArray d = {}) : kind(k), text(std::move(t)), digest(std::move(d)) { }
        Kind kind;
        QString text; // the message (Failed), or what not replacing means (Ask)
        QByteArray digest; // the bytes written (Written), the file asked about (Ask)
        QString question; // Ask
    };
    // Holds the lock only for this attempt, never while the player is asked: a question comes
    // back as Ask, and the next attempt writes over the file asked about (`agreed`) only.
    SaveStep writeLocked(const DrawList& draws, const QByteArray& agreed);
    SaveStep lostLinesQuestion(const HistoryGuard::Refusal& refusal, const QByteArray& diskDigest) const;
    // The working history changed on disk since it was read or written: it is kept, and the
    // list, when it has draws that file lacks, is written beside it.
    SaveStep saveBeside(const QString& path, const HistoryFile::ListReadResult& onDisk, const DrawList& draws);
    // Writes `draws` to the conflict file and the multipliers of its draws beside it: where they
    // went, as the notice says it, or nullopt with *error.
    std::optional<QString> writeBeside(const DrawList& draws, QString* error) const;
    // The list as it is, with its multipliers, lies already in the file written beside the working history.
    bool keptBeside(const DrawList& draws) const;
    // The exit's last resort: the list written beside the working history if the player wants it.
    CommandOutcome offerToKeepBeside(const DrawList& draws, const HistoryFile::ListReadResult& onDisk);
    // What the window keeps when a write fails; nothing to say on the command line.
    QString keptInWindow() const;
    // Why nothing may be written after a failed load.
    QString unreadRefusal() const;
    // The exit after a failed load: the file is left alone, said once; failed only when the list
    // holds draws the file lacks.
    CommandOutcome exitAfterFailedLoad();

    History& m_draws;
    WindowFields& m_window;
    Study& m_study;
    CriteriaRanges& m_criteria;
    const WorkspaceConfig& m_config;
    UserInterface& m_ui;
    const StateChanges& m_changes;
    ReportSteps& m_steps;
    ListCommands& m_list;
    RankingCommands& m_rankings;
    ImportCommand& m_import;
    FolderLock& m_lock;
    std::function<bool(const CommandOutcome&)> m_announce;
};
