#pragma once

#include "shell/HistoryBuild.h"
#include "shell/StateChanges.h"
#include "shell/WorkspaceConfig.h"
#include "shell/WorkspaceState.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>

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
class ReportSteps;
class QTemporaryDir;
class UserInterface;
class JobRunner;
class Jobs;
class FolderLock;

// The shared state of the main window and every command on it. Commands never touch a widget:
// the window mirrors this state (signal `changed`), the command-line companion prints it. The
// commands themselves live in units by subject (loading and saving, import, list clicks,
// rankings, grid, entry, filter); this class holds the state, runs them and announces changes.
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

    void setArchiveSource(ArchiveSource* source);
    // Runs the long jobs (walks, backtest, base building, download); null: in place.
    void setJobRunner(JobRunner* runner);
    // True from the start of a long job to the end of its finish.
    bool jobRunning() const;

    // ---- start-up and exit
    // Settings, version, title, Charge2, ranking, the first-run question (when the configuration
    // offers it and the data folder holds no history), completeness check.
    void startUp();
    // Writes the working history as the exit does; false when it could not (already told).
    bool exitSave();

    // ---- loading
    void chargeManuelle(); // mnuCharge
    void telechargement(); // Telecharge and Debut: reload base history + archive

    // ---- rankings
    void sorties();
    void ecarts();
    void ecartsMax();
    void numero();

    // ---- draw list, study period, manual entry
    void clickListe(int index);
    void doubleClickListe();
    void validateEntry(); // OK
    void effacer(); // Annuler
    void clickResultat(int index); // a click on a line of Resultat
    // Prepares the oldest draw for correction: its numbers are ticked and the next validation
    // rewrites it, keeping its own date and slot.
    void chooseOldestDraw();
    bool editingOldest() const { return m_state.editOldest; }
    void periodeEtude(); // finP: calendar filter

    // ---- number grid
    void setCheck(int number, bool ticked);
    void toutCocher();
    void reperage();

    // ---- performance, presets, forecast
    void performance(); // Perf2
    void colonnes(int index); // C1(0..6)
    void finales(int index); // F0(1..10)
    void selectionNumeros(); // Magic
    QString reloadCriteria(); // criteria window opened from the menu, "Reset configuration"
    QString loadCriteria(const QString& path); // a criteria file named by the user; returns its fault
    bool saveCriteria(); // "Sauver"
    void moveCriterion(CriterionBar bar, int position);
    void forgetCriteria(); // the criteria window closed by its title bar
    // ---- chance: the statistics against what chance alone gives
    void hasard();
    void cotesKeno();
    void partenairesHasard();
    void annonceurHasard();
    // "Tester la prévision": asks how many numbers to play, then runs the backtest.
    void testerPrevision();
    // The backtest of `size` numbers a draw (2..10) with the random players drawn from `seed`;
    // false when the size is out of range (told).
    static constexpr quint32 kDefaultBacktestSeed = 1;
    bool backtest(int size, quint32 seed = kDefaultBacktestSeed);
    // ---- analyses
    void dizaines();
    void septaines();
    void pairsImpairs();
    void petitsGros();
    void colonne();
    void partenaire();
    void annonceur(); // more numbers chosen than a draw holds: told, no report
    void plusSortis();
    void rechercheEcart();
    void graph();
    bool walkRunning() const;
    QString label1() const;
    QString walkProgress() const; // empty when no walk runs

    // ---- output
    void setExportEnabled(bool on);
    bool exportEnabled() const { return m_state.exportEnabled; }
    void setResultSelected(int list, int index, bool on); // list 1 = Resultat, 2 = Resultat2
    QString selectionText() const; // MnuCop: the clipboard's text
    void selectAllResults(); // tout, before printing
    void unselectResults(const QList<int>& resultat, const QList<int>& resultat2); // after printing
    void aide(); // Varn
    void site();
    void aPropos();
    // The base and working histories from several archives. During a demonstration they are
    // built in the player's own data folder, and the demonstration ends once they are loaded.
    void construireHistorique();
    HistoryBuild buildHistory(const QStringList& archives); // the same on archives already chosen

    // ---- demonstration (offered by the first-run question)
    bool demonstration() const { return m_demoFolder != nullptr; }

    // ---- state read by the shells
    const WorkspaceState& state() const { return m_state; }
    const DrawList& liste() const { return m_state.liste; }
    // Counts every change of the list's content (the window redraws on a change).
    int listRevision() const { return m_state.listRevision; }
    int selectedIndex() const { return m_state.selected; }
    int drawCount() const { return m_state.itemCount() - 1; }
    const ReportModel& report() const { return m_state.report; }
    const Counters& counters() const { return m_state.counters; }
    const EntryFields& entry() const { return m_state.entry; }
    const Progress& progress() const { return m_state.progress; }
    const std::array<bool, 71>& checks() const { return m_state.checks; }
    bool okEnabled() const { return m_state.okEnabled; }
    bool annulerEnabled() const { return m_state.annulerEnabled; }
    bool telechargeEnabled() const { return m_state.telechargeEnabled; }
    QString windowTitle() const { return m_state.windowTitle; }
    QString versionText() const { return m_state.versionText; }
    const NumberStats& stats() const { return m_state.stats; }
    bool statsValid() const { return m_state.statsValid; }
    const StudyPeriod& studyPeriod() const { return m_state.period; }
    int savedLineCount() const { return m_state.savedLineCount; }
    const DrawMatrix& matrix() const { return m_state.matrix; }
    const CriteriaRanges& criteria() const { return m_state.criteria; }
    ListOrigin listOrigin() const { return m_state.origin; }
    QString workingHistoryPath() const { return m_config.workingHistoryFile(); }
    QString settingsPath() const { return m_config.settingsFile(); }
    const WorkspaceConfig& config() const { return m_config; }
    const ImportOutcome& lastImport() const { return m_state.lastImport; }
    bool lastSaveSucceeded() const { return m_state.lastSaveOk; }
    // True while a command shows the hourglass; the window mirrors it (CursorPart).
    bool waitCursor() const { return m_state.waitDepth > 0; }
    // Why the last history load failed (read error, file too large); empty when it did not.
    // Nothing is written over the working history while it is set.
    const QString& loadFailure() const { return m_state.unreadHistory; }
    // A correction in the middle of the list that no save has written yet.
    bool hasUnsavedCorrection() const { return m_state.unsavedCorrection; }

    // ---- one writer at a time in the data folder
    // Takes the folder's lock for the rest of the Workspace's life (the command line's whole
    // command), waiting a few seconds for another program; false, with the reason in
    // writeLockRefusal(), when it does not come free.
    bool lockForWriting();
    QString writeLockRefusal() const;

    // ---- export
    // Why `path` may not receive an export: it is a file the program keeps. nullopt when it may.
    std::optional<QString> exportRefusal(const QString& path) const;
    // Writes the report as the export step does; false when refused or failed, the reason told
    // in a message, or put in *failure when given.
    bool exportReport(const QString& path, QString* failure = nullptr);

signals:
    void changed(unsigned parts);

private:
    // Completeness: the first draw is of 1993.
    bool historyComplete() const;
    void unlockWriting();
    // construireHistorique, then `then` once the build has ended (it runs as a job).
    void buildHistories(std::function<void()> then);
    // The demonstration history (the same as the window's --demo) written to a temporary folder
    // that becomes the data folder until the Workspace ends; the player's folder is never
    // written. False when the temporary folder could not be made (already told).
    bool startDemonstration();
    // The folders in use (the player's, or a demonstration's) and the lock that goes with them.
    void useFolders(const WorkspaceConfig& config);

    WorkspaceConfig m_config;
    WorkspaceState m_state;
    UserInterface& m_ui;
    StateChanges m_changes;
    std::unique_ptr<ReportSteps> m_steps;
    std::unique_ptr<Jobs> m_jobs;
    std::unique_ptr<HistoryCommands> m_history;
    std::unique_ptr<ImportCommand> m_import;
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
    std::unique_ptr<QTemporaryDir> m_demoFolder;
    WorkspaceConfig m_ownConfig; // the player's own folders while a demonstration runs
    QString m_ownTitle;
    std::unique_ptr<FolderLock> m_lock;
};
