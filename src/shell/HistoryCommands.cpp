#include "shell/HistoryCommands.h"

#include "history/HistoryFile.h"
#include "history/HistoryGuard.h"
#include "output/TextFile.h"
#include "shell/CommandContext.h"
#include "shell/ImportCommand.h"
#include "shell/ListCommands.h"
#include "shell/Messages.h"
#include "shell/RankingCommands.h"
#include "shell/UserInterface.h"
#include "shell/Workspace.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

QString badLinesMessage(const HistoryFile::ListReadResult& read, const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const QString text = read.badLines == 1
        ? QStringLiteral("1 ligne de « %1 » n'est pas un tirage valide ; elle est gardée telle quelle et ses numéros "
                         "illisibles ou hors de 1 à 70 ne comptent pas dans les statistiques.")
              .arg(name)
        : QStringLiteral("%1 lignes de « %2 » ne sont pas des tirages valides ; elles sont gardées telles quelles et "
                         "leurs numéros illisibles ou hors de 1 à 70 ne comptent pas dans les statistiques.")
              .arg(read.badLines)
              .arg(name);
    return text + QLatin1Char('\n') + read.problems.join(QLatin1Char('\n'));
}

} // namespace

void HistoryCommands::loadInto(const QString& path)
{
    WorkspaceState& s = m_ctx.state;
    HistoryFile::ListReadResult read = HistoryFile::readList(path);
    s.setDraws(std::move(read.list));
    s.selected = s.itemCount() - 1;
    s.hiddenHistory.clear();
    s.unsavedCorrection = false;
    s.replacedLines.clear();
    if (path == m_ctx.workspace.workingHistoryPath()) {
        // What this list was read from: a later save must not write over a change made since.
        s.workingDigest = read.found ? read.digest : QByteArray();
        s.workingDigestKnown = read.found || !QFileInfo::exists(path);
    }
    m_ctx.changed(Workspace::ListPart);
    if (!read.error.isEmpty()) {
        if (!(m_ctx.config.quietWhenNoWorkingHistory && !QFileInfo::exists(path)))
            m_ctx.ui.message(read.error, Messages::kTitle);
    } else if (read.badLines > 0) {
        m_ctx.ui.message(badLinesMessage(read, path), Messages::kTitle);
    }
}

void HistoryCommands::offlineNotice()
{
    m_ctx.ui.message(QStringLiteral("Vous n'etes pas connecté à Internet"), Messages::kTitle);
}

void HistoryCommands::charge2(bool withOfflineNotice)
{
    loadInto(m_ctx.workspace.workingHistoryPath());
    m_ctx.state.origin = ListOrigin::Working;
    if (withOfflineNotice && m_ctx.config.connection && m_ctx.config.connection() == WorkspaceConfig::Connection::Offline)
        offlineNotice();
    afterLoad(true);
}

void HistoryCommands::charge()
{
    loadInto(HistoryFile::locate(m_ctx.config.dataFolder, QString::fromLatin1(HistoryFile::kBaseName)));
    m_ctx.state.origin = ListOrigin::BaseWithArchive;
    const auto connection = m_ctx.config.connection ? m_ctx.config.connection() : WorkspaceConfig::Connection::NotChecked;
    if (connection == WorkspaceConfig::Connection::Offline)
        offlineNotice();
    else if (m_ctx.source)
        m_ctx.import->importArchive();
    afterLoad(false);
}

void HistoryCommands::afterLoad(bool isCharge2)
{
    WorkspaceState& s = m_ctx.state;
    const int count = s.itemCount();
    m_ctx.list->selectItem(count - 1);
    s.counters.text1 = QString::number(count - 1);
    s.period.first = 0;
    s.counters.label2 = QStringLiteral("Nombre de tirages : ");
    s.period.last = count - 2;
    s.counters.nb = QString::number(count - 1);
    if (isCharge2)
        s.savedLineCount = count;
    s.counters.dern = s.itemDate(count - 2);
    s.counters.prem = s.itemDate(0);
    // The matrix was rebuilt when the list was filled.
    m_ctx.rankings->calcul();
    s.criteria.updateAfterLoad(count, s.stats);
    m_ctx.changed(Workspace::CountersPart | Workspace::ListPart | Workspace::CriteriaPart);
}

void HistoryCommands::chargeManuelle()
{
    if (!keepUnsavedWork())
        return;
    charge2();
    m_ctx.state.telechargeEnabled = true;
    m_ctx.changed(Workspace::MenuPart);
}

void HistoryCommands::reload()
{
    if (!keepUnsavedWork())
        return;
    WorkspaceState& s = m_ctx.state;
    s.clearList();
    charge();
    const int count = s.itemCount();
    if (s.savedLineCount < count && sauve())
        s.savedLineCount = count;
    s.telechargeEnabled = false;
    m_ctx.changed(Workspace::MenuPart);
    m_ctx.rankings->srti();
}

bool HistoryCommands::keepUnsavedWork()
{
    WorkspaceState& s = m_ctx.state;
    if (!s.unsavedCorrection)
        return true;
    if (sauve())
        return true;
    if (m_ctx.ui.confirm(QStringLiteral("La correction d'un tirage n'a pas pu être enregistrée dans l'historique de travail.\n"
                                        "Recharger quand même la liste et abandonner cette correction ?"),
                         Messages::kTitle)) {
        s.unsavedCorrection = false;
        return true;
    }
    return false;
}

std::optional<QString> HistoryCommands::entryRefusal() const
{
    const WorkspaceState& s = m_ctx.state;
    if (s.origin == ListOrigin::Filtered)
        // The line above a filtered draw is not its neighbour in the history: dates would be wrong.
        return QStringLiteral("Un filtre de période est actif : la saisie et la correction des tirages se font sur la "
                              "liste complète. Rechargez-la avec « Tous les tirages » ou « Charge Manuelle ».");
    if (s.origin != ListOrigin::BaseWithArchive)
        return std::nullopt;
    const QString path = m_ctx.workspace.workingHistoryPath();
    if (!QFileInfo::exists(path))
        return std::nullopt;
    const HistoryFile::ListReadResult onDisk = HistoryFile::readList(path);
    if (!onDisk.found)
        return std::nullopt; // the save reports it
    if (const auto refusal = HistoryGuard::check(onDisk.list, m_ctx.workspace.fullHistory(), s.replacedLines)) {
        const int missing
            = refusal->kind == HistoryGuard::Refusal::Kind::Shorter ? refusal->onDisk - refusal->offered : refusal->lost;
        return QStringLiteral("La liste affichée ne contient pas tout l'historique de travail (%1) : un tirage saisi ne "
                              "pourrait pas y être enregistré. Rechargez-la avec « Charge Manuelle ».")
            .arg(Messages::count(missing, QStringLiteral("tirage manquant"), QStringLiteral("tirages manquants")));
    }
    return std::nullopt;
}

namespace {

// Holds the data folder's lock for one write.
class WriteLock {
public:
    explicit WriteLock(Workspace& ws) : m_ws(ws), m_held(ws.lockForWriting()) { }
    ~WriteLock()
    {
        if (m_held)
            m_ws.unlockWriting();
    }
    bool held() const { return m_held; }

private:
    Workspace& m_ws;
    bool m_held;
};

QString lostLinesText(const HistoryGuard::Refusal& refusal)
{
    QString text;
    for (const QString& line : refusal.examples)
        text += QStringLiteral("\n  ") + line;
    if (refusal.lost > refusal.examples.size())
        text += QStringLiteral("\n  …");
    return text;
}

} // namespace

QString HistoryCommands::conflictPath(const QString& workingPath) const
{
    const QFileInfo info(workingPath);
    const QString stem = info.completeBaseName() + QStringLiteral(".conflit-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString path = info.dir().filePath(stem + QStringLiteral(".txt"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = info.dir().filePath(stem + QStringLiteral("-%1.txt").arg(n));
    return path;
}

bool HistoryCommands::saveBeside(const QString& path, const QByteArray& diskDigest, const DrawList& draws)
{
    WorkspaceState& s = m_ctx.state;
    // The same change seen again: the list goes on to the same file, not to a new one each time.
    if (s.conflictPath.isEmpty() || s.conflictDigest != diskDigest)
        s.conflictPath = conflictPath(path);
    s.conflictDigest = diskDigest;
    QString text = QStringLiteral("L'historique de travail « %1 » a été modifié par un autre programme depuis que Tiravol l'a "
                                  "lu : il est gardé tel quel.\n")
                       .arg(QDir::toNativeSeparators(path));
    QString error;
    if (HistoryFile::write(s.conflictPath, draws, &error))
        text += QStringLiteral("La liste des tirages a été enregistrée à côté, dans « %1 ».\nRechargez l'historique avec "
                               "« Charge Manuelle » pour voir ce qui a changé.")
                    .arg(QDir::toNativeSeparators(s.conflictPath));
    else
        text += error + keptInWindow();
    m_ctx.ui.message(text, Messages::kTitle);
    return false;
}

QString HistoryCommands::keptInWindow() const
{
    return m_ctx.config.listStaysInWindow ? QStringLiteral("\nLa liste des tirages est conservée dans la fenêtre.") : QString();
}

bool HistoryCommands::sauve()
{
    WorkspaceState& s = m_ctx.state;
    s.lastSaveOk = false;
    const DrawList& draws = m_ctx.workspace.fullHistory();
    const QString path = m_ctx.workspace.workingHistoryPath();
    const QString shown = QDir::toNativeSeparators(path);
    const WriteLock lock(m_ctx.workspace);
    if (!lock.held()) {
        m_ctx.ui.message(m_ctx.workspace.writeLockRefusal() + keptInWindow(), Messages::kTitle);
        return false;
    }
    // What the file holds now decides whether this list may replace it.
    if (QFileInfo::exists(path)) {
        const HistoryFile::ListReadResult onDisk = HistoryFile::readList(path);
        if (!onDisk.found) {
            m_ctx.ui.message(QStringLiteral("L'historique de travail n'a pas été enregistré : %1").arg(onDisk.error),
                             Messages::kTitle);
            return false;
        }
        if (s.workingDigestKnown && onDisk.digest != s.workingDigest)
            return saveBeside(path, onDisk.digest, draws);
        if (const auto refusal = HistoryGuard::check(onDisk.list, draws, s.replacedLines)) {
            if (refusal->kind == HistoryGuard::Refusal::Kind::Shorter) {
                m_ctx.ui.message(
                    QStringLiteral("L'historique de travail « %1 » n'a pas été remplacé : il compte %2, la liste "
                                   "affichée seulement %3. Utilisez « Charge Manuelle » pour le recharger.")
                        .arg(shown, Messages::count(refusal->onDisk, QStringLiteral("tirage"), QStringLiteral("tirages")))
                        .arg(refusal->offered),
                    Messages::kTitle);
                return false;
            }
            // Corrected or hand-entered lines the list no longer has: only the player may give them up.
            if (!m_ctx.ui.confirm(
                    QStringLiteral("%1 de l'historique de travail « %2 » %3 dans la liste des tirages (tirages "
                                   "saisis ou corrigés à la main) :%4\nRemplacer quand même l'historique de "
                                   "travail et perdre %5 ?")
                        .arg(Messages::count(refusal->lost, QStringLiteral("ligne"), QStringLiteral("lignes")), shown,
                             Messages::agree(refusal->lost, QStringLiteral("manque"), QStringLiteral("manquent")),
                             lostLinesText(*refusal),
                             Messages::agree(refusal->lost, QStringLiteral("cette ligne"), QStringLiteral("ces lignes"))),
                    Messages::kTitle)) {
                m_ctx.ui.message(QStringLiteral("L'historique de travail « %1 » n'a pas été remplacé : %2 de ses tirages %3 "
                                                "dans la liste rechargée.")
                                     .arg(shown)
                                     .arg(refusal->lost)
                                     .arg(Messages::agree(refusal->lost, QStringLiteral("manque"), QStringLiteral("manquent"))),
                                 Messages::kTitle);
                return false;
            }
        }
    }
    // A file removed behind the list's back is written again: nothing of it can be lost.
    const QByteArray bytes = draws.toCrlfBytes();
    QString error;
    if (!TextFile::writeAtomic(path, bytes, &error)) {
        m_ctx.ui.message(error + keptInWindow(), Messages::kTitle);
        return false;
    }
    s.workingDigest = HistoryFile::digest(bytes);
    s.workingDigestKnown = true;
    s.replacedLines.clear();
    if (s.origin == ListOrigin::BaseWithArchive)
        s.origin = ListOrigin::Working;
    s.unsavedCorrection = false;
    s.lastSaveOk = true;
    return true;
}
