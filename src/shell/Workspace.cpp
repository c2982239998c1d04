#include "shell/Workspace.h"

#include "history/DemoHistory.h"
#include "history/HistoryFile.h"
#include "output/NumberFormat.h"
#include "shell/AnalysisCommands.h"
#include "shell/BaseCommand.h"
#include "shell/ChanceCommands.h"
#include "shell/DataFolderLock.h"
#include "shell/EntryCommands.h"
#include "shell/FilterCommand.h"
#include "shell/FirstRunCommand.h"
#include "shell/ForecastCommands.h"
#include "shell/GridCommands.h"
#include "shell/HistoryCommands.h"
#include "shell/ImportCommand.h"
#include "shell/ListCommands.h"
#include "shell/Messages.h"
#include "shell/OutputCommands.h"
#include "shell/RankingCommands.h"
#include "shell/Settings.h"
#include "shell/UserInterface.h"
#include "shell/VersionText.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

void CommandContext::changed(unsigned parts) const
{
    emit workspace.changed(parts);
}

Hourglass::Hourglass(const CommandContext& context) : m_context(context)
{
    if (m_context.state.waitDepth++ == 0)
        m_context.changed(Workspace::CursorPart);
}

Hourglass::~Hourglass()
{
    if (--m_context.state.waitDepth == 0)
        m_context.changed(Workspace::CursorPart);
}

Workspace::Workspace(WorkspaceConfig config, UserInterface* ui, QObject* parent)
    : QObject(parent), m_config(std::move(config)), m_ctx{m_state, m_config, *ui, *this}
{
    m_history = std::make_unique<HistoryCommands>(m_ctx);
    m_import = std::make_unique<ImportCommand>(m_ctx);
    m_list = std::make_unique<ListCommands>(m_ctx);
    m_rankings = std::make_unique<RankingCommands>(m_ctx);
    m_grid = std::make_unique<GridCommands>(m_ctx);
    m_entry = std::make_unique<EntryCommands>(m_ctx);
    m_filter = std::make_unique<FilterCommand>(m_ctx);
    m_forecast = std::make_unique<ForecastCommands>(m_ctx);
    m_chance = std::make_unique<ChanceCommands>(m_ctx);
    m_output = std::make_unique<OutputCommands>(m_ctx);
    m_base = std::make_unique<BaseCommand>(m_ctx);
    m_firstRun = std::make_unique<FirstRunCommand>(m_ctx);
    m_ctx.history = m_history.get();
    m_ctx.import = m_import.get();
    m_ctx.list = m_list.get();
    m_ctx.rankings = m_rankings.get();
    m_ctx.grid = m_grid.get();
    m_ctx.entry = m_entry.get();
    m_ctx.filter = m_filter.get();
    m_ctx.forecast = m_forecast.get();
    m_ctx.chance = m_chance.get();
    m_analyses = std::make_unique<AnalysisCommands>(m_ctx);
    m_ctx.analyses = m_analyses.get();
    m_ctx.output = m_output.get();
    m_ctx.base = m_base.get();

    m_state.selected = 0;
    m_state.versionText = VersionText::format(TIRAVOL_VERSION_MAJOR, TIRAVOL_VERSION_MINOR, TIRAVOL_VERSION_PATCH);
    m_state.windowTitle = m_config.programName + QStringLiteral(" Version ") + m_state.versionText;
}

Workspace::~Workspace() = default;

bool Workspace::lockForWriting()
{
    if (!m_lock)
        m_lock = std::make_unique<DataFolderLock>(QFileInfo(workingHistoryPath()).absolutePath(), m_config.writeLockWaitMs);
    return m_lock->acquire();
}

void Workspace::unlockWriting()
{
    if (m_lock)
        m_lock->release();
}

QString Workspace::writeLockRefusal() const
{
    return m_lock ? m_lock->refusal() : QString();
}

std::optional<QString> Workspace::exportRefusal(const QString& path) const
{
    return m_output->exportRefusal(path);
}

bool Workspace::exportReport(const QString& path, QString* failure)
{
    return m_output->exportReport(path, failure);
}

QString Workspace::workingHistoryPath() const
{
    if (!m_config.workingHistoryPath.isEmpty())
        return m_config.workingHistoryPath;
    return HistoryFile::locate(m_config.dataFolder, QString::fromLatin1(HistoryFile::kWorkingName));
}

QString Workspace::settingsPath() const
{
    return Settings::iniPath(m_config.appDataFolder);
}

QStringList Workspace::keptFiles() const
{
    const QDir data(m_config.dataFolder);
    return {workingHistoryPath(), data.filePath(QString::fromLatin1(HistoryFile::kWorkingName)),
            data.filePath(QString::fromLatin1(HistoryFile::kBaseName)), settingsPath(), criteriaPath()};
}

const DrawList& Workspace::fullHistory() const
{
    return m_state.origin == ListOrigin::Filtered ? m_state.hiddenHistory : m_state.liste;
}

bool Workspace::historyComplete() const
{
    return m_state.liste.dateText(0).mid(6, 4) == QLatin1String("1993");
}

void Workspace::startUp()
{
    Settings settings(settingsPath(), !m_config.readOnlySettings);
    m_state.archiveUrl = settings.archiveUrl();
    emit changed(MenuPart);
    m_history->charge2();
    m_rankings->srti();
    if (m_config.offerFirstRun && m_firstRun->isFirstRun())
        m_firstRun->offer();
    if (!historyComplete())
        m_ctx.ui.message(
            QStringLiteral("la liste des tirages n'est pas complete ou a été modifiée\nveuillez recharger les titages"),
            Messages::kTitle);
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
    m_chance->testerPrevision();
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

QList<int> Workspace::chosenNumbers() const
{
    return m_grid->chosenNumbers();
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

QString Workspace::criteriaPath() const
{
    return m_forecast->criteriaPath();
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
    // The demonstration's draws are not the player's: the history is built in the player's
    // own folder, and only a build that loaded it ends the demonstration.
    const bool demo = m_demoFolder != nullptr;
    const WorkspaceConfig demoConfig = m_config;
    if (demo)
        useFolders(m_ownConfig);
    // Both histories are replaced: no other program may write them meanwhile.
    if (!lockForWriting()) {
        m_ctx.ui.message(writeLockRefusal(), Messages::kTitle);
        if (demo)
            useFolders(demoConfig);
        return;
    }
    const int revision = m_state.listRevision;
    m_base->construireHistorique();
    unlockWriting();
    if (!demo)
        return;
    if (m_state.listRevision == revision) {
        useFolders(demoConfig);
        return;
    }
    m_demoFolder.reset();
    m_state.windowTitle = m_ownTitle;
    emit changed(MenuPart);
}

void Workspace::useFolders(const WorkspaceConfig& config)
{
    m_config = config;
    // The lock belongs to the folder it was made for.
    m_lock.reset();
}

bool Workspace::startDemonstration()
{
    auto folder = std::make_unique<QTemporaryDir>();
    QString error;
    bool ready = folder->isValid();
    if (!ready)
        error = QStringLiteral("Dossier temporaire impossible à créer : %1").arg(folder->errorString());
    else
        ready = DemoHistory::writeDemoFolder(folder->path(), m_ctx.ui.today().addDays(-1), &error);
    if (!ready) {
        m_ctx.ui.message(QStringLiteral("La démonstration n'a pas pu démarrer : ") + error, Messages::kTitle);
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
    return m_base->build(archives);
}

void Workspace::calcul()
{
    m_rankings->calcul();
}

void Workspace::srti()
{
    m_rankings->srti();
}

void Workspace::wordpad()
{
    m_rankings->wordpad();
}

bool Workspace::sauve()
{
    return m_history->sauve();
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
void Workspace::setWalkRunner(WalkRunner* runner)
{
    m_analyses->setWalkRunner(runner);
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
