#include "shell/Workspace.h"

#include "history/DemoHistory.h"
#include "shell/AnalysisCommands.h"
#include "shell/BaseCommand.h"
#include "shell/ChanceCommands.h"
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
#include "shell/Messages.h"
#include "shell/OutputCommands.h"
#include "shell/RankingCommands.h"
#include "shell/ReportSteps.h"
#include "shell/Settings.h"
#include "shell/UserInterface.h"
#include "shell/VersionText.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

Workspace::Workspace(WorkspaceConfig config, UserInterface* ui, QObject* parent)
    : QObject(parent), m_config(std::move(config)), m_ui(*ui), m_changes([this](unsigned parts) { emit changed(parts); })
{
    WorkspaceState& s = m_state;
    m_lock = std::make_unique<FolderLock>(m_config);
    m_output = std::make_unique<OutputCommands>(s, m_config, m_ui, m_changes);
    m_steps = std::make_unique<ReportSteps>(s, m_ui, m_changes, *m_output);
    m_jobs = std::make_unique<Jobs>(m_changes);
    m_grid = std::make_unique<GridCommands>(s, m_changes);
    m_rankings = std::make_unique<RankingCommands>(s, m_changes, *m_steps);
    m_list = std::make_unique<ListCommands>(s, m_changes, *m_rankings);
    m_import = std::make_unique<ImportCommand>(s, m_config, m_ui, m_changes, *m_steps, *m_list, *m_rankings, *m_jobs);
    m_history
        = std::make_unique<HistoryCommands>(s, m_config, m_ui, m_changes, *m_steps, *m_list, *m_rankings, *m_import, *m_lock);
    m_entry = std::make_unique<EntryCommands>(s, m_ui, m_changes, *m_grid, *m_list, *m_history);
    m_filter = std::make_unique<FilterCommand>(s, m_ui, m_changes, *m_steps, *m_list, *m_rankings, *m_history);
    m_chance = std::make_unique<ChanceCommands>(s, m_ui, m_changes, *m_steps, *m_grid, *m_jobs);
    m_forecast = std::make_unique<ForecastCommands>(s, m_config, m_ui, m_changes, *m_steps, *m_grid, *m_chance);
    m_analyses = std::make_unique<AnalysisCommands>(s, m_ui, m_changes, *m_steps, *m_grid, *m_jobs);
    m_base = std::make_unique<BaseCommand>(s, m_config, m_ui, m_changes, *m_steps, *m_rankings, *m_history, *m_jobs, *m_lock);
    m_firstRun = std::make_unique<FirstRunCommand>(
        m_config, m_ui, [this](std::function<void()> then) { buildHistories(std::move(then)); },
        [this] { return startDemonstration(); });

    s.selected = 0;
    s.versionText = VersionText::format(TIRAVOL_VERSION_MAJOR, TIRAVOL_VERSION_MINOR, TIRAVOL_VERSION_PATCH);
    s.windowTitle = m_config.programName + QStringLiteral(" Version ") + s.versionText;
}

Workspace::~Workspace() = default;

bool Workspace::lockForWriting()
{
    return m_lock->acquire();
}

void Workspace::unlockWriting()
{
    m_lock->release();
}

QString Workspace::writeLockRefusal() const
{
    return m_lock->refusal();
}

std::optional<QString> Workspace::exportRefusal(const QString& path) const
{
    return m_output->exportRefusal(path);
}

bool Workspace::exportReport(const QString& path, QString* failure)
{
    return m_output->exportReport(path, failure);
}

void Workspace::setArchiveSource(ArchiveSource* source)
{
    m_import->setSource(source);
}

void Workspace::setJobRunner(JobRunner* runner)
{
    m_jobs->setRunner(runner);
}

bool Workspace::jobRunning() const
{
    return m_jobs->running();
}

bool Workspace::historyComplete() const
{
    return m_state.liste.dateText(0).mid(6, 4) == QLatin1String("1993");
}

void Workspace::startUp()
{
    Settings settings(m_config.settingsFile(), !m_config.readOnlySettings);
    m_state.archiveUrl = settings.archiveUrl();
    if (!settings.lastError().isEmpty())
        m_ui.message(settings.lastError(), Messages::kTitle);
    emit changed(MenuPart);
    m_history->charge2();
    m_rankings->srti();
    // After the first-run question, whose build may run as a job.
    auto checkComplete = [this] {
        // A failed load has said why already.
        if (!historyComplete() && m_state.unreadHistory.isEmpty())
            m_ui.message(
                QStringLiteral("la liste des tirages n'est pas complete ou a été modifiée\nveuillez recharger les titages"),
                Messages::kTitle);
    };
    if (m_config.offerFirstRun && m_firstRun->isFirstRun())
        m_firstRun->offer(checkComplete);
    else
        checkComplete();
}

bool Workspace::exitSave()
{
    return m_history->exitSave();
}

void Workspace::chargeManuelle()
{
    m_history->chargeManuelle();
}

void Workspace::telechargement()
{
    m_history->reload();
}

void Workspace::sorties()
{
    m_rankings->sorties();
}

void Workspace::ecarts()
{
    m_rankings->ecarts();
}

void Workspace::ecartsMax()
{
    m_rankings->ecartsMax();
}

void Workspace::numero()
{
    m_rankings->numero();
}

void Workspace::clickListe(int index)
{
    m_list->clickListe(index);
}

void Workspace::doubleClickListe()
{
    m_entry->doubleClickListe();
}

void Workspace::validateEntry()
{
    m_entry->validateEntry();
}

void Workspace::effacer()
{
    m_entry->effacer();
}

void Workspace::clickResultat(int index)
{
    m_entry->clickResultat(index);
}

void Workspace::chooseOldestDraw()
{
    m_entry->chooseOldestDraw();
}

void Workspace::periodeEtude()
{
    m_filter->periodeEtude();
}

void Workspace::hasard()
{
    m_chance->hasard();
}
void Workspace::cotesKeno()
{
    m_chance->cotesKeno();
}
void Workspace::partenairesHasard()
{
    m_chance->partenairesHasard();
}
void Workspace::annonceurHasard()
{
    m_chance->annonceurHasard();
}
void Workspace::testerPrevision()
{
    m_chance->testerPrevision(kDefaultBacktestSeed);
}
bool Workspace::backtest(int size, quint32 seed)
{
    return m_chance->backtest(size, seed);
}

void Workspace::setCheck(int number, bool ticked)
{
    m_grid->setCheck(number, ticked);
}

void Workspace::toutCocher()
{
    m_grid->toutCocher();
}

void Workspace::reperage()
{
    m_grid->reperage();
}

void Workspace::performance()
{
    m_forecast->performance();
}

void Workspace::colonnes(int index)
{
    m_forecast->colonnes(index);
}

void Workspace::finales(int index)
{
    m_forecast->finales(index);
}

void Workspace::selectionNumeros()
{
    m_forecast->selectionNumeros();
}

QString Workspace::reloadCriteria()
{
    return m_forecast->reloadCriteria();
}

QString Workspace::loadCriteria(const QString& path)
{
    return m_forecast->loadCriteria(path);
}

bool Workspace::saveCriteria()
{
    return m_forecast->saveCriteria();
}

void Workspace::moveCriterion(CriterionBar bar, int position)
{
    m_forecast->moveCriterion(bar, position);
}

void Workspace::forgetCriteria()
{
    m_forecast->forgetCriteria();
}

void Workspace::setExportEnabled(bool on)
{
    m_state.exportEnabled = on;
    emit changed(MenuPart);
}

void Workspace::setResultSelected(int list, int index, bool on)
{
    (list == 2 ? m_state.report.resultat2 : m_state.report.resultat).setSelected(index, on);
    emit changed(ReportPart);
}

QString Workspace::selectionText() const
{
    return m_output->selectionText();
}

void Workspace::selectAllResults()
{
    m_output->selectAll();
}

void Workspace::unselectResults(const QList<int>& resultat, const QList<int>& resultat2)
{
    m_output->unselect(resultat, resultat2);
}

void Workspace::aide()
{
    m_output->aide();
}

void Workspace::site()
{
    m_output->site();
}

void Workspace::aPropos()
{
    m_output->aPropos();
}

void Workspace::construireHistorique()
{
    buildHistories({});
}

void Workspace::buildHistories(std::function<void()> then)
{
    // The demonstration's draws are not the player's: the history is built in the player's
    // own folder, and only a build that loaded it ends the demonstration.
    const bool demo = m_demoFolder != nullptr;
    const WorkspaceConfig demoConfig = m_config;
    if (demo)
        useFolders(m_ownConfig);
    // Refused at once when another program writes the folder now, before any archive is asked
    // for; the build then locks it itself, from reading the histories to writing them.
    if (!lockForWriting()) {
        m_ui.message(writeLockRefusal(), Messages::kTitle);
        if (demo)
            useFolders(demoConfig);
        if (then)
            then();
        return;
    }
    unlockWriting();
    const int revision = m_state.listRevision;
    m_base->construireHistorique([this, demo, demoConfig, revision, then = std::move(then)] {
        if (demo) {
            if (m_state.listRevision == revision) {
                useFolders(demoConfig);
            } else {
                m_demoFolder.reset();
                m_state.windowTitle = m_ownTitle;
                emit changed(MenuPart);
            }
        }
        if (then)
            then();
    });
}

void Workspace::useFolders(const WorkspaceConfig& config)
{
    m_config = config;
    // The lock belongs to the folder it was made for.
    m_lock->forget();
}

bool Workspace::startDemonstration()
{
    auto folder = std::make_unique<QTemporaryDir>();
    QString error;
    bool ready = folder->isValid();
    if (!ready)
        error = QStringLiteral("Dossier temporaire impossible à créer : %1").arg(folder->errorString());
    else
        ready = DemoHistory::writeDemoFolder(folder->path(), m_ui.today().addDays(-1), &error);
    if (!ready) {
        m_ui.message(QStringLiteral("La démonstration n'a pas pu démarrer : ") + error, Messages::kTitle);
        return false;
    }
    if (!m_demoFolder) {
        m_ownConfig = m_config;
        m_ownTitle = m_state.windowTitle;
    }
    m_demoFolder = std::move(folder);
    WorkspaceConfig demoConfig = m_config;
    demoConfig.dataFolder = m_demoFolder->path();
    demoConfig.workingHistoryPath.clear();
    useFolders(demoConfig);
    m_state.windowTitle = m_ownTitle + QStringLiteral(" (démonstration)");
    emit changed(MenuPart);
    // Loaded as at start-up; the connection was told about a moment ago.
    m_history->charge2(false);
    m_rankings->srti();
    return true;
}

HistoryBuild Workspace::buildHistory(const QStringList& archives)
{
    // The command line runs its jobs in place: the outcome is there when build() returns.
    HistoryBuild outcome;
    m_base->build(archives, [&outcome](const HistoryBuild& built) { outcome = built; });
    return outcome;
}

void Workspace::dizaines()
{
    m_analyses->dizaines();
}
void Workspace::septaines()
{
    m_analyses->septaines();
}
void Workspace::pairsImpairs()
{
    m_analyses->pairsImpairs();
}
void Workspace::petitsGros()
{
    m_analyses->petitsGros();
}
void Workspace::colonne()
{
    m_analyses->colonne();
}
void Workspace::partenaire()
{
    m_analyses->partenaire();
}
void Workspace::annonceur()
{
    m_analyses->annonceur();
}
void Workspace::plusSortis()
{
    m_analyses->plusSortis();
}
void Workspace::rechercheEcart()
{
    m_analyses->rechercheEcart();
}
void Workspace::graph()
{
    m_analyses->graph();
}
bool Workspace::walkRunning() const
{
    return m_analyses->walkRunning();
}
QString Workspace::label1() const
{
    return m_analyses->label1();
}
QString Workspace::walkProgress() const
{
    return m_analyses->walkProgress();
}
