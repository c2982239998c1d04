// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Workspace.h"

#include "history/DemoHistory.h"
#include "shell/AnalysisCommands.h"
#include "shell/BaseCommand.h"
#include "shell/ChanceCommands.h"
#include "shell/CommandUnits.h"
#include "shell/EntryCommands.h"
#include "shell/FilterCommand.h"
#include "shell/FirstRunCommand.h"
#include "shell/FolderLock.h"
#include "shell/ForecastCommands.h"
#include "shell/GridCommands.h"
#include "shell/HistoryCommands.h"
#include "shell/ImportCommand.h"
#include "shell/Jobs.h"
#include "shell/ListCommands.h"
#include "shell/OutputCommands.h"
#include "shell/RankingCommands.h"
#include "shell/ReportArea.h"
#include "shell/ReportSteps.h"
#include "shell/Settings.h"
#include "shell/TicketCommands.h"
#include "shell/UpdateCommand.h"
#include "shell/UserInterface.h"
#include "shell/VersionText.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaMethod>
#include <QTemporaryDir>
#include <algorithm>

Workspace::Workspace(WorkspaceConfig config, UserInterface* ui, QObject* parent)
    : QObject(parent), m_config(std::move(config)), m_ui(*ui), m_changes([this](unsigned parts) { emit changed(parts); })
{
    WorkspaceState& s = m_state;
    History& draws = s.history;
    WindowFields& window = s.window;
    m_lock = std::make_unique<FolderLock>(m_config);
    m_reportArea = std::make_unique<ReportArea>(m_changes);
    ReportArea& area = *m_reportArea;
    m_output = std::make_unique<OutputCommands>(window, area, m_config, m_ui, m_changes);
    m_steps = std::make_unique<ReportSteps>(draws, window, m_study, area, m_ui, m_changes, *m_output);
    m_jobs = std::make_unique<Jobs>(m_changes);
    m_jobs->setLateOutcome([this](const CommandOutcome& o) { announce(o); });
    m_grid = std::make_unique<GridCommands>(draws, window, area, m_changes);
    m_rankings = std::make_unique<RankingCommands>(draws, m_study, m_criteria, m_changes, *m_steps);
    m_list = std::make_unique<ListCommands>(draws, window, m_study, m_criteria, area, m_changes, *m_rankings);
    m_import = std::make_unique<ImportCommand>(draws, window, m_study, m_config, m_ui, m_changes, *m_steps, *m_list, *m_rankings,
                                               *m_jobs);
    m_history = std::make_unique<HistoryCommands>(draws, window, m_study, m_criteria, m_config, m_ui, m_changes, *m_steps,
                                                  *m_list, *m_rankings, *m_import, *m_lock);
    m_update = std::make_unique<UpdateCommand>(draws, window, m_study, m_config, m_ui, m_changes, *m_steps, *m_list, *m_rankings,
                                               *m_history, *m_lock);
    m_history->setAnnounce([this](const CommandOutcome& o) {
        if (!isSignalConnected(QMetaMethod::fromSignal(&Workspace::ended)))
            return false;
        announce(o);
        return true;
    });
    m_entry = std::make_unique<EntryCommands>(draws, window, m_study, m_criteria, area, m_changes, *m_steps, *m_grid, *m_list,
                                              *m_history);
    m_filter
        = std::make_unique<FilterCommand>(draws, window, m_study, m_ui, m_changes, *m_steps, *m_list, *m_rankings, *m_history);
    m_chance = std::make_unique<ChanceCommands>(draws, s.play, m_study, m_criteria, m_ui, m_changes, *m_steps, *m_grid, *m_jobs);
    m_forecast = std::make_unique<ForecastCommands>(draws, s.play, window, m_study, m_criteria, m_config, m_changes, *m_steps,
                                                    *m_grid, *m_chance);
    m_analyses = std::make_unique<AnalysisCommands>(draws, window, m_study, area, m_ui, m_changes, *m_steps, *m_grid, *m_jobs);
    m_base = std::make_unique<BaseCommand>(m_config, m_ui, m_changes, *m_steps, *m_rankings, *m_history, *m_jobs, *m_lock);
    m_tickets = std::make_unique<TicketCommands>(draws, s.play, m_study, m_config, *m_steps, *m_lock, *m_jobs);
    m_tickets->onWins([this](const QStringList& lines) { emit ticketsWon(lines); });
    m_units.reset(new CommandUnits{*this, *m_history, *m_import, *m_list, *m_rankings, *m_grid, *m_entry, *m_filter, *m_forecast,
                                   *m_chance, *m_analyses, *m_output, *m_jobs, *m_lock, *m_tickets});
    m_firstRun = std::make_unique<FirstRunCommand>(
        m_config, m_ui, [this](OutcomeThen then) { buildHistories(std::move(then)); }, [this] { return startDemonstration(); });

    draws.playGame(m_config.formula);
    draws.select(0);
    window.setVersionText(VersionText::format(TIRAVOL_VERSION_MAJOR, TIRAVOL_VERSION_MINOR, TIRAVOL_VERSION_PATCH));
    // Read first, so that even the commands that need no history count with the player's table.
    s.play.payTables() = Settings(m_config.settingsFile(), false).payTables(&m_payTableNotices);
    refreshTitle();
}

Workspace::~Workspace() = default;

namespace {

bool holdsHistory(const WorkspaceConfig& config, FormulaId id)
{
    WorkspaceConfig of = config;
    of.formula = id;
    return QFileInfo::exists(of.workingHistoryFile()) || QFileInfo::exists(of.baseHistoryFile());
}

// `preferred` when the data folder holds its history or neither game's; else the game it holds.
FormulaId gameHeld(const WorkspaceConfig& config, FormulaId preferred)
{
    for (FormulaId id : {preferred, preferred == FormulaId::Keno20of70 ? FormulaId::Keno16of56 : FormulaId::Keno20of70})
        if (holdsHistory(config, id))
            return id;
    return preferred;
}

} // namespace

bool Workspace::historyComplete() const
{
    return m_state.history.list().dateText(0).mid(6, 4) == QString::number(game().firstDay.year());
}

CommandOutcome Workspace::startUp()
{
    return m_jobs->await([this](OutcomeThen then) { start(std::move(then)); });
}

void Workspace::start(OutcomeThen then)
{
    Settings settings(m_config.settingsFile(), !m_config.readOnlySettings);
    // A player who never chose goes on with the game whose history the folder holds; a new
    // player starts on the game played today.
    if (m_config.gameFromSettings) {
        m_config.formula = settings.game().value_or(gameHeld(m_config, FormulaId::Keno16of56));
        playGame();
    }
    m_import->useArchiveUrl(settings.archiveUrl(game()));
    CommandOutcome outcome;
    if (!settings.lastError().isEmpty())
        outcome.tell(settings.lastError());
    for (const QString& notice : m_payTableNotices)
        outcome.tell(notice);
    m_autoUpdate = settings.autoUpdate();
    if (m_config.gameFromSettings) {
        m_state.play.stake() = settings.stake();
        emit changed(GridPart); // the stake is shown beside the grid
    }
    emit changed(MenuPart);
    outcome.then(m_history->charge2());
    m_rankings->srti();
    // After the first-run question, whose build may run as a job.
    auto checkComplete = [this, then = std::move(then)](CommandOutcome started) {
        // A failed load has said why already.
        if (!historyComplete() && m_state.history.unreadHistory().isEmpty())
            started.tell(
                QStringLiteral("la liste des tirages n'est pas complete ou a été modifiée\nveuillez recharger les titages"));
        then(started);
    };
    if (m_config.offerFirstRun && m_firstRun->isFirstRun()) {
        // The question follows what the start-up has told so far (the missing file), which is
        // shown first; nothing has failed when there is no history at all.
        announce(outcome);
        m_firstRun->offer(std::move(checkComplete));
    } else {
        checkComplete(outcome);
    }
}

void Workspace::announce(const CommandOutcome& outcome)
{
    if (!outcome.pending)
        emit ended(outcome);
}

const ImportOutcome& Workspace::lastImport() const
{
    return m_import->lastImport();
}

const QString& Workspace::archiveUrl() const
{
    return m_import->archiveUrl();
}

CommandOutcome Workspace::chooseGame(FormulaId id)
{
    if (id == m_config.formula)
        return CommandOutcome::done();
    // The draws of the game left are kept exactly as when the program quits.
    CommandOutcome saved = m_history->exitSave();
    if (!saved.isDone()) {
        CommandOutcome refused = CommandOutcome::refused(
            QStringLiteral("L'historique de travail n'a pas été enregistré : le jeu reste « %1 ».").arg(game().name));
        return refused.after(saved);
    }
    WorkspaceConfig config = m_config;
    config.formula = id;
    m_ownConfig.formula = id;
    useFolders(config);
    playGame();
    Settings settings(m_config.settingsFile(), !m_config.readOnlySettings);
    CommandOutcome outcome = saved;
    if (!settings.setGame(id) && !settings.lastError().isEmpty())
        outcome.tell(settings.lastError());
    m_import->useArchiveUrl(settings.archiveUrl(game()));
    m_grid->untickAll();
    // As at start-up: the history, its statistics, the ranking by appearances.
    outcome.then(m_history->charge2(false));
    m_state.window.enableDownload(true);
    m_rankings->srti();
    emit changed(MenuPart);
    return outcome;
}

CommandOutcome Workspace::toggleAutoUpdate()
{
    m_autoUpdate = !m_autoUpdate;
    emit changed(MenuPart);
    if (m_config.readOnlySettings)
        return CommandOutcome::done();
    Settings settings(m_config.settingsFile(), true);
    if (!settings.setAutoUpdate(m_autoUpdate) && !settings.lastError().isEmpty())
        return CommandOutcome::failed(
            settings.lastError()
            + QStringLiteral("\nLe choix de la mise à jour automatique sert jusqu'à la fermeture du programme."));
    return CommandOutcome::done();
}

CommandOutcome Workspace::setStake(const Stake& stake, bool keep)
{
    m_state.play.stake() = stake;
    emit changed(GridPart);
    if (!keep || m_config.readOnlySettings)
        return CommandOutcome::done();
    Settings settings(m_config.settingsFile(), true);
    if (!settings.setStake(stake) && !settings.lastError().isEmpty())
        return CommandOutcome::failed(settings.lastError()
                                      + QStringLiteral("\nLa mise choisie sert jusqu'à la fermeture du programme."));
    return CommandOutcome::done();
}

CommandOutcome Workspace::setPayTable(FormulaId id, const PayTable& table)
{
    m_state.play.payTables().set(id, table);
    Settings settings(m_config.settingsFile(), true);
    if (!settings.setPayTable(id, table))
        return CommandOutcome::failed(settings.lastError()
                                      + QStringLiteral("\nLa table des gains corrigée sert jusqu'à la fermeture du programme."));
    return CommandOutcome::done();
}

UpdateCommand::Result Workspace::importUpdate(const QString& archivePath, FormulaId game)
{
    const DrawTime since = m_tickets->newestDraw();
    UpdateCommand::Result result = m_update->importFetched(archivePath, game);
    // The tickets that won on the draws brought in are announced with the save: the draws of the
    // game's own file when the list shown did not take them (the game studied may be the other).
    if (result.added > 0 && result.file.drawCount() > 0)
        m_tickets->tellWins(result.file, result.fileMultipliers, result.file.drawCount() - result.added, result.saved);
    else if (game == m_state.history.formulaId())
        m_tickets->tellWins(since, result.saved);
    // A save refused or written beside is shown as any command's outcome.
    if (!result.saved.isDone() || !result.saved.notices.isEmpty())
        announce(result.saved);
    return result;
}

QString Workspace::newestDraw(FormulaId game) const
{
    return m_update->newestDraw(game);
}

void Workspace::playGame()
{
    m_state.history.playGame(m_config.formula);
    m_state.window.setMultiplier(0);
    refreshTitle();
    emit changed(MenuPart | ListPart);
}

void Workspace::refreshTitle()
{
    m_state.window.setTitle(m_config.programName + QStringLiteral(" Version ") + m_state.window.versionText()
                            + QStringLiteral(" — Keno ") + game().shortLabel()
                            + (m_demoFolder ? QStringLiteral(" (démonstration)") : QString()));
}

void Workspace::setExportEnabled(bool on)
{
    m_state.window.enableExport(on);
    emit changed(MenuPart);
}

const std::array<bool, Formula::kMaxNumber + 1>& Workspace::checks() const
{
    return m_grid->checks();
}

bool Workspace::okEnabled() const
{
    return m_grid->okEnabled();
}

bool Workspace::annulerEnabled() const
{
    return m_grid->annulerEnabled();
}

bool Workspace::waitCursor() const
{
    return m_steps->waiting();
}

const ReportModel& Workspace::report() const
{
    return m_reportArea->model();
}

void Workspace::setResultSelected(int list, int index, bool on)
{
    m_reportArea->setSelected(list, index, on);
}

CommandOutcome Workspace::construireHistorique()
{
    return m_jobs->await([this](OutcomeThen then) { buildHistories(std::move(then)); });
}

void Workspace::buildHistories(OutcomeThen then)
{
    // The demonstration's draws are not the player's: the history is built in the player's
    // own folder, and only a build that loaded it ends the demonstration.
    const bool demo = m_demoFolder != nullptr;
    const WorkspaceConfig demoConfig = m_config;
    if (demo)
        useFolders(m_ownConfig);
    // Refused at once when another program writes the folder now, before any archive is asked
    // for; the build then locks it itself, from reading the histories to writing them.
    if (!m_lock->acquire()) {
        if (demo)
            useFolders(demoConfig);
        return then(CommandOutcome::failed(m_lock->refusal()));
    }
    m_lock->release();
    const int revision = m_state.history.revision();
    m_base->construireHistorique([this, demo, demoConfig, revision, then = std::move(then)](const CommandOutcome& built) {
        if (demo) {
            if (m_state.history.revision() == revision) {
                useFolders(demoConfig);
            } else {
                m_demoFolder.reset();
                refreshTitle();
                emit changed(MenuPart);
            }
        }
        then(built);
    });
}

void Workspace::useFolders(const WorkspaceConfig& config)
{
    m_config = config;
    // The lock belongs to the folder it was made for.
    m_lock->forget();
    m_state.history.setGame(m_config.formula);
    refreshTitle();
}

CommandOutcome Workspace::startDemonstration()
{
    auto folder = std::make_unique<QTemporaryDir>();
    QString error;
    bool ready = folder->isValid();
    if (!ready)
        error = QStringLiteral("Dossier temporaire impossible à créer : %1").arg(folder->errorString());
    else
        ready = DemoHistory::writeDemoFolder(folder->path(), m_ui.today().addDays(-1), &error);
    if (!ready)
        return CommandOutcome::failed(QStringLiteral("La démonstration n'a pas pu démarrer : ") + error);
    if (!m_demoFolder)
        m_ownConfig = m_config;
    m_demoFolder = std::move(folder);
    WorkspaceConfig demoConfig = m_config;
    demoConfig.dataFolder = m_demoFolder->path();
    demoConfig.workingHistoryPath.clear();
    // The game played, when the demonstration has draws of it.
    demoConfig.formula = gameHeld(demoConfig, m_config.formula);
    useFolders(demoConfig);
    playGame();
    // Loaded as at start-up; the connection was told about a moment ago.
    CommandOutcome loaded = m_history->charge2(false);
    m_rankings->srti();
    return loaded;
}

HistoryBuild Workspace::buildHistory(const QStringList& archives)
{
    // The command line runs its jobs in place: the outcome is there when build() returns.
    HistoryBuild outcome;
    m_base->build(archives, [&outcome](const HistoryBuild& built) { outcome = built; });
    return outcome;
}
