// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forecast/CriteriaRanges.h"
#include "history/Formula.h"
#include "output/ReportModel.h"
#include "shell/CommandOutcome.h"
#include "shell/HistoryBuild.h"
#include "shell/Jobs.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/UpdateCommand.h"
#include "shell/WorkspaceConfig.h"
#include "shell/WorkspaceState.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>

struct CommandUnits;
struct ImportOutcome;
class AnalysisCommands;
class ArchiveSource;
class BaseCommand;
class ChanceCommands;
class EntryCommands;
class FirstRunCommand;
class FilterCommand;
class ForecastCommands;
class GridCommands;
class HistoryCommands;
class ImportCommand;
class ListCommands;
class OutputCommands;
class RankingCommands;
class TicketCommands;
class ReportArea;
class ReportSteps;
class QTemporaryDir;
class UserInterface;
class JobRunner;
class FolderLock;

// The shared state of the main window and every command on it. Commands never touch a widget:
// the window mirrors this state (signal `changed`), the command-line companion prints it. The
// commands themselves live in units by subject (loading and saving, import, list clicks,
// rankings, grid, entry, filter), reached through units() and the catalogue; this class owns
// them and the state, runs the sequences that span several (start-up, the history build) and
// announces changes.
class Workspace : public QObject {
    Q_OBJECT
public:
    using Part = StatePart;
    using enum StatePart;
    using Counters = ::Counters;
    using EntryFields = ::EntryFields;
    using Progress = ::Progress;
    using ImportOutcome = ::ImportOutcome;
    using ListOrigin = ::ListOrigin;

    Workspace(WorkspaceConfig config, UserInterface* ui, QObject* parent = nullptr);
    ~Workspace() override;

    // The command units; the catalogue's handlers call them.
    CommandUnits& units() { return *m_units; }
    const CommandUnits& units() const { return *m_units; }

    // ---- start-up and exit
    // Settings, version, title, Charge2, ranking, the first-run question (when the configuration
    // offers it and the data folder holds no history), completeness check: failed when the
    // working history could not be read, with everything each step tells. Pending while a
    // first build runs as a job: the outcome is then announced by `ended`.
    CommandOutcome startUp();

    // ---- the game
    const Formula& game() const { return m_config.game(); }
    // Plays another game: the list is first saved as at exit (when it cannot be, nothing
    // changes), then that game's history is loaded and ranked as at start-up. The window keeps
    // the choice in the settings.
    CommandOutcome chooseGame(FormulaId id);

    // ---- the pay tables in force (read from the settings with the Workspace, told at start-up)
    const PayTables& payTables() const { return m_state.play.payTables(); }
    // Puts `table` in force for game `id` and keeps it in the settings: the player asked for it,
    // so even the command line writes it. Failed when the file could not be written; the
    // table then serves until the program ends.
    CommandOutcome setPayTable(FormulaId id, const PayTable& table);
    // Why a correction of the settings could not be read (its game keeps its shipped table).
    const QStringList& payTableNotices() const { return m_payTableNotices; }

    // ---- the automatic update (the window's)
    // Whether the window keeps the current game's history up to date (the settings, read at
    // start-up); the Jeu menu turns it on and off and keeps the choice.
    bool autoUpdate() const { return m_autoUpdate; }
    CommandOutcome toggleAutoUpdate();

    // ---- the stake played by the money reports
    const Stake& stake() const { return m_state.play.stake(); }
    // The window keeps the choice in the settings (`keep`); the command line's lasts one run.
    CommandOutcome setStake(const Stake& stake, bool keep);
    // The draws of `game` in the archive fetched at `archivePath`, with every check of the
    // import: added to the list when the window plays that game, else to its working history
    // on disk. `added` 0 and no failure: the archive brings nothing new yet.
    UpdateCommand::Result importUpdate(const QString& archivePath, FormulaId game);
    // The newest line of the history importUpdate would add to; empty when it holds none.
    QString newestDraw(FormulaId game) const;

    // The seed of "Tester la prévision" from the menu.
    static constexpr quint32 kDefaultBacktestSeed = 1;

    // ---- output
    void setExportEnabled(bool on);
    bool exportEnabled() const { return m_state.window.exportEnabled(); }
    // The oldest draw is being corrected: the next validation rewrites it.
    bool editingOldest() const { return m_state.history.editingOldest(); }
    void setResultSelected(int list, int index, bool on); // list 1 = Resultat, 2 = Resultat2
    // The base and working histories from several archives. During a demonstration they are
    // built in the player's own data folder, and the demonstration ends once they are loaded.
    // Pending while the archives are read as a job: the outcome is then announced by `ended`.
    CommandOutcome construireHistorique();
    HistoryBuild buildHistory(const QStringList& archives); // the same on archives already chosen

    // ---- demonstration (offered by the first-run question)
    bool demonstration() const { return m_demoFolder != nullptr; }

    // ---- state read by the shells
    const WorkspaceState& state() const { return m_state; }
    const DrawList& liste() const { return m_state.history.list(); }
    // Counts every change of the list's content (the window redraws on a change).
    int listRevision() const { return m_state.history.revision(); }
    int selectedIndex() const { return m_state.history.selected(); }
    int drawCount() const { return m_state.history.itemCount() - 1; }
    const ReportModel& report() const;
    const Counters& counters() const { return m_state.window.counters(); }
    const EntryFields& entry() const { return m_state.window.entry(); }
    const Progress& progress() const { return m_jobs->progress(); }
    const std::array<bool, Formula::kMaxNumber + 1>& checks() const;
    bool okEnabled() const;
    bool annulerEnabled() const;
    bool telechargeEnabled() const { return m_state.window.telechargeEnabled(); }
    QString windowTitle() const { return m_state.window.windowTitle(); }
    QString versionText() const { return m_state.window.versionText(); }
    const NumberStats& stats() const { return m_study.stats(); }
    bool statsValid() const { return m_study.statsValid(); }
    const StudyPeriod& studyPeriod() const { return m_study.period(); }
    int savedLineCount() const { return m_state.history.savedLineCount(); }
    const DrawMatrix& matrix() const { return m_state.history.matrix(); }
    const CriteriaRanges& criteria() const { return m_criteria; }
    ListOrigin listOrigin() const { return m_state.history.origin(); }
    QString workingHistoryPath() const { return m_config.workingHistoryFile(); }
    QString settingsPath() const { return m_config.settingsFile(); }
    const WorkspaceConfig& config() const { return m_config; }
    const ImportOutcome& lastImport() const;
    // The address the archive is fetched from.
    const QString& archiveUrl() const;
    // True while a command shows the hourglass; the window mirrors it (CursorPart).
    bool waitCursor() const;
    // Why the last history load failed (read error, file too large); empty when it did not.
    // Nothing is written over the working history while it is set.
    const QString& loadFailure() const { return m_state.history.unreadHistory(); }
    // A correction in the middle of the list that no save has written yet.
    bool hasUnsavedCorrection() const { return m_state.history.unsavedCorrection(); }

    // What a command came to, for the program to show: an outcome that arrives after the
    // command has returned (its long job ended), or one a window of its own handed here.
    void announce(const CommandOutcome& outcome);

signals:
    void changed(unsigned parts);
    void ended(const CommandOutcome& outcome);
    // Tickets won on draws a command just brought in: the announcements, one a line.
    void ticketsWon(const QStringList& announcements);

private:
    void start(OutcomeThen then);
    // Completeness: the first draw is of 1993.
    bool historyComplete() const;
    // construireHistorique, then `then` once the build has ended (it runs as a job).
    void buildHistories(OutcomeThen then);
    // The demonstration history (the same as the window's --demo) written to a temporary folder
    // that becomes the data folder until the Workspace ends; the player's folder is never
    // written. Failed when the temporary folder could not be made.
    CommandOutcome startDemonstration();
    // The folders in use (the player's, or a demonstration's) and the lock that goes with them.
    void useFolders(const WorkspaceConfig& config);
    // The game of `config` is the one played: the list, the title, the archive's address.
    void playGame();
    // "tiravol Version 1.0.0 — Keno 16 sur 56", and " (démonstration)" during one.
    void refreshTitle();

    WorkspaceConfig m_config;
    WorkspaceState m_state;
    Study m_study;
    CriteriaRanges m_criteria;
    UserInterface& m_ui;
    StateChanges m_changes;
    std::unique_ptr<ReportArea> m_reportArea;
    std::unique_ptr<ReportSteps> m_steps;
    std::unique_ptr<Jobs> m_jobs;
    std::unique_ptr<HistoryCommands> m_history;
    std::unique_ptr<ImportCommand> m_import;
    std::unique_ptr<UpdateCommand> m_update;
    std::unique_ptr<ListCommands> m_list;
    std::unique_ptr<RankingCommands> m_rankings;
    std::unique_ptr<GridCommands> m_grid;
    std::unique_ptr<EntryCommands> m_entry;
    std::unique_ptr<FilterCommand> m_filter;
    std::unique_ptr<ForecastCommands> m_forecast;
    std::unique_ptr<ChanceCommands> m_chance;
    std::unique_ptr<AnalysisCommands> m_analyses;
    std::unique_ptr<OutputCommands> m_output;
    std::unique_ptr<BaseCommand> m_base;
    std::unique_ptr<FirstRunCommand> m_firstRun;
    std::unique_ptr<TicketCommands> m_tickets;
    std::unique_ptr<QTemporaryDir> m_demoFolder;
    WorkspaceConfig m_ownConfig; // the player's own folders while a demonstration runs
    std::unique_ptr<FolderLock> m_lock;
    std::unique_ptr<CommandUnits> m_units;
    bool m_autoUpdate = true;
    QStringList m_payTableNotices;
};
