#include "shell/Workspace.h"

#include "acquire/ArchiveImport.h"
#include "acquire/ArchiveSource.h"
#include "history/DrawLine.h"
#include "history/HistoryFile.h"
#include "output/NumberFormat.h"
#include "output/TextFile.h"
#include "shell/Settings.h"
#include "shell/UserInterface.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {
const QString kAppTitle = QStringLiteral("Tiravol");
const QString kOffline = QStringLiteral("Vous n'etes pas connecté à Internet");

QString itemDate(const QStringList& liste, int index)
{
    if (index < 0 || index >= liste.size())
        return {};
    return liste[index].left(10);
}

// (date, slot) of every well-formed draw: what "losing a draw" is measured on.
QSet<QString> drawKeys(const QStringList& lines)
{
    QSet<QString> keys;
    for (const QString& l : lines)
        if (!DrawLine::problem(l))
            keys.insert(l.left(10) + l.right(4));
    return keys;
}
} // namespace

Workspace::Workspace(WorkspaceConfig config, UserInterface* ui, QObject* parent)
    : QObject(parent), m_config(std::move(config)), m_ui(ui)
{
    m_liste << QString();
    m_selected = 0;
    m_versionText = QStringLiteral("%1-%2-%3")
                        .arg(TIRAVOL_VERSION_MAJOR)
                        .arg(NumberFormat::apply(TIRAVOL_VERSION_MINOR, u"00"))
                        .arg(NumberFormat::apply(TIRAVOL_VERSION_PATCH, u"0000"));
    m_windowTitle = m_config.programName + QStringLiteral(" Version ") + m_versionText;
}

Workspace::~Workspace() = default;

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

QStringList Workspace::fullHistory() const
{
    if (m_origin == ListOrigin::Filtered)
        return m_hiddenHistory;
    return m_liste.mid(0, std::max<qsizetype>(0, m_liste.size() - 1));
}

bool Workspace::historyComplete() const
{
    return !m_liste.isEmpty() && m_liste.first().mid(6, 4) == QLatin1String("1993");
}

// ---------------------------------------------------------------- start-up and exit

void Workspace::readSettings()
{
    Settings settings(settingsPath(), !m_config.readOnlySettings);
    m_archiveUrl = settings.archiveUrl();
}

void Workspace::startUp()
{
    readSettings();
    emitChanged(MenuPart);
    charge2();
    srti();
    if (!historyComplete())
        m_ui->message(QStringLiteral("la liste des tirages n'est pas complete ou a été modifiée\nveuillez recharger les titages"),
                      kAppTitle);
}

bool Workspace::exitSave()
{
    return sauve();
}

// ---------------------------------------------------------------- loading

void Workspace::loadInto(const QString& path, bool reportProblems)
{
    const HistoryFile::ReadResult read = HistoryFile::read(path);
    m_liste = read.lines;
    m_liste << QString();
    m_selected = static_cast<int>(m_liste.size()) - 1;
    emitChanged(ListPart);
    if (!reportProblems)
        return;
    if (!read.error.isEmpty()) {
        if (!(m_config.quietWhenNoWorkingHistory && !QFileInfo::exists(path)))
            m_ui->message(read.error, kAppTitle);
    } else if (read.badLines > 0) {
        m_ui->message(
            QStringLiteral("%1 ligne(s) de « %2 » ne sont pas des tirages valides ; elles sont gardées telles quelles et "
                           "leurs numéros illisibles ou hors de 1 à 70 ne comptent pas dans les statistiques.\n%3")
                .arg(read.badLines)
                .arg(QFileInfo(path).fileName(), read.problems.join(QLatin1Char('\n'))),
            kAppTitle);
    }
}

void Workspace::charge2()
{
    loadInto(workingHistoryPath(), true);
    m_origin = ListOrigin::Working;
    m_baseDerived = false;
    m_hiddenHistory.clear();
    if (m_config.connection && m_config.connection() == WorkspaceConfig::Connection::Offline)
        m_ui->message(kOffline, kAppTitle);
    afterLoad(true);
}

void Workspace::charge()
{
    loadInto(HistoryFile::locate(m_config.dataFolder, QString::fromLatin1(HistoryFile::kBaseName)), true);
    m_origin = ListOrigin::Working;
    m_baseDerived = true;
    m_hiddenHistory.clear();
    const auto connection = m_config.connection ? m_config.connection() : WorkspaceConfig::Connection::NotChecked;
    if (connection == WorkspaceConfig::Connection::Offline)
        m_ui->message(kOffline, kAppTitle);
    else if (m_source)
        importArchive();
    afterLoad(false);
}

void Workspace::afterLoad(bool isCharge2)
{
    const int count = static_cast<int>(m_liste.size());
    selectItem(count - 1);
    m_counters.text1 = QString::number(count - 1);
    m_period.first = 0;
    m_counters.label2 = QStringLiteral("Nombre de tirages : ");
    m_period.last = count - 2;
    m_counters.nb = QString::number(count - 1);
    if (isCharge2)
        m_savedLineCount = count;
    m_counters.dern = itemDate(m_liste, count - 2);
    m_counters.prem = itemDate(m_liste, 0);
    m_matrix.rebuild(m_liste);
    calcul();
    updateCriteriaAfterLoad();
    emitChanged(CountersPart | ListPart | CriteriaPart);
}

void Workspace::updateCriteriaAfterLoad()
{
    const int count = static_cast<int>(m_liste.size());
    int largest = 0;
    for (int n = 1; n <= 70; ++n)
        largest = std::max(largest, m_stats.appearances[n]);
    int smallest = largest;
    for (int n = 1; n <= 70; ++n)
        smallest = std::min(smallest, m_stats.appearances[n]);
    m_criteria[3].setMaximum(count - 1);
    m_criteria[3].setValue(count - 1);
    m_criteria[10].setMinimum(smallest);
    m_criteria[10].setMaximum(largest + 1);
    m_criteria[10].setValue(smallest);
    m_criteria[11].setMinimum(smallest);
    m_criteria[11].setMaximum(largest + 1);
    m_criteria[11].setValue(largest);
    int gap = 0, maxGap = 0;
    for (int n = 1; n <= 70; ++n) {
        gap = std::max(gap, m_stats.currentGap[n]);
        maxGap = std::max(maxGap, m_stats.largestGap[n]);
    }
    m_criteria[4].setMaximum(gap);
    m_criteria[5].setMaximum(maxGap);
}

void Workspace::chargeManuelle()
{
    charge2();
    m_telechargeEnabled = true;
    emitChanged(MenuPart);
}

void Workspace::reload()
{
    m_liste.clear();
    charge();
    const int count = static_cast<int>(m_liste.size());
    if (m_savedLineCount < count && sauve())
        m_savedLineCount = count;
    m_telechargeEnabled = false;
    emitChanged(MenuPart);
    srti();
}

void Workspace::telechargement()
{
    reload();
}

void Workspace::importArchive()
{
    Settings settings(settingsPath(), !m_config.readOnlySettings);
    m_archiveUrl = m_config.archiveUrlOverride.isEmpty() ? settings.archiveUrl() : m_config.archiveUrlOverride;
    m_progress = Progress{true, 100, 0};
    emitChanged(ProgressPart);

    const QString archivePath = QDir(m_config.dataFolder).filePath(QString::fromLatin1(ArchiveImport::kArchiveName));
    m_lastImport = ImportOutcome{};
    m_lastImport.attempted = true;
    QString error;
    const bool fetched = m_source->fetch(
        m_archiveUrl, archivePath,
        [this](qint64 received, qint64 total) {
            if (total > 0) {
                m_progress.maximum = 1000;
                m_progress.value = static_cast<int>(received * 1000 / total);
            } else {
                m_progress.maximum = 0; // busy bar while the size is unknown
                m_progress.value = 0;
            }
            emitChanged(ProgressPart);
        },
        &error);
    m_lastImport.fetched = fetched;
    m_lastImport.error = error;
    if (!fetched) {
        m_progress.visible = false;
        emitChanged(ProgressPart);
        if (!error.isEmpty())
            m_ui->message(error, kAppTitle);
    }
    if (!fetched && !m_source->wasCancelled()) {
        const auto answer = m_ui->askText(QStringLiteral("Telechargement echoué vérifiez l'adresse"),
                                          QStringLiteral("Sur le site FDesJeux"), m_archiveUrl);
        m_archiveUrl = answer.value_or(QString());
        // The corrected address is kept for the next imports too.
        if (!m_archiveUrl.trimmed().isEmpty() && m_config.archiveUrlOverride.isEmpty())
            settings.setArchiveUrl(m_archiveUrl);
    } else if (fetched) {
        m_liste.removeLast();
        const ArchiveImport::Result result = ArchiveImport::extractAndConvert(
            m_config.dataFolder,
            [this]() -> std::optional<QString> {
                return m_ui->askText(QStringLiteral("Tiravol"), QStringLiteral("Please Enter The Password!"), QString());
            },
            [this](int value, int maximum) {
                m_progress.maximum = maximum;
                m_progress.value = value;
                emitChanged(ProgressPart);
            });
        m_progress.visible = false;
        emitChanged(ProgressPart);
        m_lastImport.csvRead = result.csvRead;
        m_lastImport.imported = static_cast<int>(result.lines.size());
        m_lastImport.skipped = result.skipped;
        if (!result.csvRead)
            m_lastImport.error = result.extractionMessages.join(QStringLiteral(" ; "));
        m_liste << result.lines;
        m_liste << QString();
        selectItem(static_cast<int>(m_liste.size()) - 1);
        m_matrix.rebuild(m_liste);
        m_counters.text1 = QString::number(m_liste.size() - 1);
        emitChanged(ListPart | CountersPart);

        QString summary = QStringLiteral("Import de l'archive : %1 tirage(s) importé(s), %2 ligne(s) ignorée(s).")
                              .arg(result.lines.size())
                              .arg(result.skipped);
        QStringList details = result.extractionMessages;
        details << result.reasons;
        if (!details.isEmpty())
            summary += QLatin1Char('\n') + details.join(QLatin1Char('\n'));
        m_ui->message(summary, kAppTitle);
    }
    m_period.first = 0;
    m_period.last = static_cast<int>(m_liste.size()) - 2;
    m_statsValid = false;
    calcul();
    srti();
}

// ---------------------------------------------------------------- saving

bool Workspace::sauve()
{
    m_lastSaveOk = false;
    const QStringList draws = fullHistory();
    const QString path = workingHistoryPath();
    // What the file holds now decides whether this list may replace it.
    if (QFileInfo::exists(path)) {
        const HistoryFile::ReadResult onDisk = HistoryFile::read(path);
        if (!onDisk.found) {
            m_ui->message(QStringLiteral("L'historique de travail n'a pas été enregistré : %1").arg(onDisk.error), kAppTitle);
            return false;
        }
        if (draws.size() < onDisk.lines.size()) {
            m_ui->message(QStringLiteral("L'historique de travail « %1 » n'a pas été remplacé : il compte %2 tirages, la liste "
                                         "affichée seulement %3. Utilisez « Charge Manuelle » pour le recharger.")
                              .arg(QDir::toNativeSeparators(path))
                              .arg(onDisk.lines.size())
                              .arg(draws.size()),
                          kAppTitle);
            return false;
        }
        if (m_baseDerived) {
            const QSet<QString> kept = drawKeys(draws);
            int lost = 0;
            for (const QString& key : drawKeys(onDisk.lines))
                lost += kept.contains(key) ? 0 : 1;
            if (lost > 0) {
                m_ui->message(QStringLiteral("L'historique de travail « %1 » n'a pas été remplacé : %2 de ses tirages manquent "
                                             "dans la liste rechargée.")
                                  .arg(QDir::toNativeSeparators(path))
                                  .arg(lost),
                              kAppTitle);
                return false;
            }
        }
    }
    QString error;
    if (!HistoryFile::write(path, draws, &error)) {
        m_ui->message(QStringLiteral("L'historique de travail « %1 » n'a pas pu être enregistré : %2\nLa liste des tirages est "
                                     "conservée dans la fenêtre.")
                          .arg(QDir::toNativeSeparators(path), error),
                      kAppTitle);
        return false;
    }
    m_baseDerived = false;
    m_lastSaveOk = true;
    return true;
}

// ---------------------------------------------------------------- statistics and rankings

void Workspace::showBusy(const QString& status)
{
    m_report.status = status;
    m_report.busy = true;
    emitChanged(BusyPart | ReportPart);
}

void Workspace::calcul()
{
    showBusy(QStringLiteral("CALCUL"));
    m_matrix.resize(static_cast<int>(m_liste.size()) + 1);
    m_stats = computeStats(m_matrix, m_period);
    m_statsValid = true;
}

QString Workspace::dateBeforeSelected() const
{
    return itemDate(m_liste, m_selected - 1);
}

void Workspace::runRanking(RankingKind kind)
{
    if (!m_statsValid)
        calcul();
    m_report.resultat.clear();
    m_report.resultat.visible = true;
    m_report.resultat.widthTwips = 2800;
    m_report.resultat2.widthTwips = 2800;
    m_report.resultat2.clear();
    m_report.resultat2.visible = true;
    const RankingTexts texts = Rankings::texts(kind);
    m_report.title = texts.title + dateBeforeSelected();
    m_report.caption = texts.caption;
    m_report.resultat.add(QString::fromLatin1(Rankings::kHeader));
    m_report.resultat2.add(QString::fromLatin1(Rankings::kHeader));
    showBusy(texts.status);
    for (int n : Rankings::order(kind, m_stats)) {
        ResultList& target = m_report.resultat.count() < 36 ? m_report.resultat : m_report.resultat2;
        target.add(Rankings::line(kind, n, m_stats));
    }
    if (kind == RankingKind::Sorties) {
        int largest = 0;
        for (int n = 1; n <= 70; ++n)
            largest = std::max(largest, m_stats.appearances[n]);
        m_criteria[11].setMaximum(largest);
    } else if (kind == RankingKind::EcartsMax) {
        int largest = 0;
        for (int n = 1; n <= 70; ++n)
            largest = std::max(largest, m_stats.largestGap[n]);
        m_criteria[5].setMaximum(largest);
        m_criteria[5].setValue(largest);
    }
    emitChanged(ReportPart | CriteriaPart);
}

void Workspace::srti()
{
    runRanking(RankingKind::Sorties);
}

void Workspace::rankWith(RankingKind kind)
{
    m_period.last = m_selected - 1;
    runRanking(kind);
    wordpad();
}

void Workspace::sorties()
{
    rankWith(RankingKind::Sorties);
}
void Workspace::ecarts()
{
    rankWith(RankingKind::Ecarts);
}
void Workspace::ecartsMax()
{
    rankWith(RankingKind::EcartsMax);
}
void Workspace::numero()
{
    rankWith(RankingKind::Numero);
}

void Workspace::wordpad()
{
    if (!m_export)
        return;
    const QString name = m_ui->askSaveFileName(QStringLiteral("Sauvegarde"), QStringLiteral("txt"));
    if (name.isEmpty())
        return;
    QString error;
    if (!TextFile::writeAtomic(name, TextFile::crlfLines(m_report.exportLines()), &error))
        m_ui->message(QStringLiteral("Le fichier « %1 » n'a pas pu être écrit : %2").arg(QDir::toNativeSeparators(name), error),
                      kAppTitle);
}

void Workspace::setExportEnabled(bool on)
{
    m_export = on;
    emitChanged(MenuPart);
}

void Workspace::setResultSelected(int list, int index, bool on)
{
    (list == 2 ? m_report.resultat2 : m_report.resultat).setSelected(index, on);
    emitChanged(ReportPart);
}

// ---------------------------------------------------------------- draw list clicks

void Workspace::selectItem(int index)
{
    m_selected = index;
    emitChanged(ListPart);
    clickListe(index);
}

void Workspace::periodFromClick(int index)
{
    m_statsValid = false;
    m_period.last = index - 1;
    m_period.first = std::max(0, m_period.last - m_savedLineCount + 1);
    m_counters.prem = itemDate(m_liste, m_period.first);
}

void Workspace::clickListe(int index)
{
    const int count = static_cast<int>(m_liste.size());
    if (index < 0 || index >= count)
        return;
    m_selected = index;
    m_editOldest = false;
    periodFromClick(index);
    if (m_report.resultat.count() > 68)
        for (int k = 0; k <= std::min(69, m_report.resultat.count() - 1); ++k)
            m_report.resultat.setSelected(k, false);
    if (index == 0 && count > 1) {
        // The first line acts on the second: the period then holds the oldest draw alone.
        selectItem(1);
    }
    const int sel = m_selected;
    const QDate before = DrawLine::date(itemDate(m_liste, sel - 1));
    m_entry.dat = before.isValid() ? before.addDays(1).toString(QStringLiteral("dd/MM/yyyy")) : QString();
    m_counters.dern = itemDate(m_liste, sel - 1);
    m_counters.nb = QString::number(m_period.last - m_period.first + 1);
    m_entry.info = sel < count - 1 ? QStringLiteral("Modifier le tirage") : QStringLiteral("Ajouter un tirage");
    m_entry.affichage = QStringLiteral("Tirage Numéro ") + QString::number(sel + 1);
    emitChanged(EntryPart | CountersPart | ListPart);
    sorties();
    m_criteria[3].setMaximum(count);
    m_criteria[3].setValue(sel);
    emitChanged(CriteriaPart);
}
