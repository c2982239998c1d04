// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/HistoryCommands.h"

#include "history/HistoryFile.h"
#include "history/HistoryGuard.h"
#include "history/MultiplierFile.h"
#include "shell/FolderLock.h"
#include "shell/History.h"
#include "shell/ImportCommand.h"
#include "shell/ListCommands.h"
#include "shell/Messages.h"
#include "shell/RankingCommands.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/UserInterface.h"
#include "shell/WindowFields.h"
#include "shell/WorkspaceConfig.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <memory>

namespace {

QString badLinesMessage(const HistoryFile::ListReadResult& read, const QString& path, int numbers)
{
    const QString name = QFileInfo(path).fileName();
    const QString text = read.badLines == 1
        ? QStringLiteral("1 ligne de « %1 » n'est pas un tirage valide ; elle est gardée telle quelle et ses numéros "
                         "illisibles ou hors de 1 à %2 ne comptent pas dans les statistiques.")
              .arg(name)
              .arg(numbers)
        : QStringLiteral("%1 lignes de « %2 » ne sont pas des tirages valides ; elles sont gardées telles quelles et "
                         "leurs numéros illisibles ou hors de 1 à %3 ne comptent pas dans les statistiques.")
              .arg(read.badLines)
              .arg(name)
              .arg(numbers);
    return text + QLatin1Char('\n') + read.problems.join(QLatin1Char('\n'));
}

const QString kOffline = QStringLiteral("Vous n'etes pas connecté à Internet");

} // namespace

CommandOutcome HistoryCommands::loadInto(const QString& path)
{
    History& s = m_draws;
    HistoryFile::ListReadResult read = HistoryFile::readList(path);
    if (read.failed) {
        // Part of a history must never pass for all of it: the list stays as it was.
        s.loadFailed(read.error);
        return CommandOutcome::failed(
            read.error
            + QStringLiteral("\nLa liste des tirages n'a pas été rechargée, et rien ne sera enregistré dans "
                             "l'historique de travail tant qu'un historique n'aura pas été lu en entier."));
    }
    // What the working history was read from: a later save must not write over a change made since.
    const bool working = path == m_config.workingHistoryFile();
    s.loaded(std::move(read.list), read.found ? read.digest : QByteArray(), working);
    m_changes.changed(StatePart::ListPart);
    CommandOutcome outcome;
    loadMultipliers(outcome);
    if (!read.error.isEmpty()) {
        if (!m_config.quietWhenNoWorkingHistory)
            outcome.tell(read.error);
    } else if (read.badLines > 0) {
        outcome.tell(badLinesMessage(read, path, s.game().numbers));
    }
    return outcome;
}

void HistoryCommands::loadMultipliers(CommandOutcome& outcome)
{
    History& s = m_draws;
    const QString path = MultiplierFile::pathBeside(m_config.workingHistoryFile(), s.formulaId());
    // The list read decides: a multiplier of a draw it lacks is no draw's.
    MultiplierFile::ReadResult read = MultiplierFile::read(path, s.formulaId());
    s.multipliers() = MultiplierFile::onlyOf(read.values, s.list());
    if (read.failed)
        outcome.tell(read.notice);
}

bool HistoryCommands::offline() const
{
    return m_config.connection && m_config.connection() == WorkspaceConfig::Connection::Offline;
}

CommandOutcome HistoryCommands::charge2(bool withOfflineNotice)
{
    CommandOutcome outcome = loadInto(m_config.workingHistoryFile());
    if (!outcome.isDone())
        return outcome;
    m_draws.setOrigin(ListOrigin::Working);
    if (withOfflineNotice && offline())
        outcome.tell(kOffline);
    return outcome.then(afterLoad(true));
}

std::optional<CommandOutcome> HistoryCommands::charge(OutcomeThen then)
{
    // No archive is merged into a list whose base could not be read.
    CommandOutcome loaded = loadInto(m_config.baseHistoryFile());
    if (!loaded.isDone())
        return loaded;
    m_draws.setOrigin(ListOrigin::BaseWithArchive);
    // This load's own download speaks for it, not an earlier one that may have worked.
    m_import.forgetLastImport();
    auto rest = [this, then = std::move(then)](CommandOutcome outcome) {
        outcome.then(afterLoad(false));
        then(std::move(outcome));
    };
    const auto connection = m_config.connection ? m_config.connection() : WorkspaceConfig::Connection::NotChecked;
    if (connection == WorkspaceConfig::Connection::Offline) {
        loaded.tell(kOffline);
    } else if (m_import.hasSource()) {
        // What the base's load told is shown before the download's question, when it asks one.
        auto told = std::make_shared<CommandOutcome>(std::move(loaded));
        m_import.importArchive(
            [told, rest = std::move(rest)](const CommandOutcome& imported) mutable { rest(told->then(imported)); },
            [this, told] {
                if (!told->notices.isEmpty())
                    *told = tellBeforeAsking(*told);
            });
        return std::nullopt;
    }
    rest(loaded);
    return std::nullopt;
}

CommandOutcome HistoryCommands::afterLoad(bool isCharge2)
{
    History& s = m_draws;
    const int count = s.itemCount();
    const CommandOutcome shown = m_list.selectItem(count - 1);
    m_study.wholeList(count);
    if (isCharge2)
        s.setSavedLineCount(count);
    m_window.historyLoaded(count - 1, s.itemDate(0), s.itemDate(count - 2));
    // The matrix was rebuilt when the list was filled.
    m_steps.calcul();
    m_criteria.updateAfterLoad(count, m_study.stats(), s.matrix().formula());
    m_changes.changed(StatePart::CountersPart | StatePart::ListPart | StatePart::CriteriaPart);
    return shown;
}

CommandOutcome HistoryCommands::chargeManuelle()
{
    CommandOutcome outcome = keepUnsavedWork();
    if (!outcome.isDone())
        return outcome;
    outcome.then(charge2());
    m_window.enableDownload(true);
    m_changes.changed(StatePart::MenuPart);
    return outcome;
}

void HistoryCommands::reload(OutcomeThen then)
{
    CommandOutcome kept = keepUnsavedWork();
    if (!kept.isDone())
        return then(kept);
    // The list is replaced once the base is read, and kept when it cannot be.
    const auto unread = charge([this, kept, then](const CommandOutcome& loaded) {
        CommandOutcome outcome = kept;
        outcome.then(loaded);
        History& s = m_draws;
        const int count = s.itemCount();
        if (s.savedLineCount() < count) {
            const CommandOutcome saved = sauve();
            if (saved.isDone())
                s.setSavedLineCount(count);
            outcome.then(saved);
        } else {
            // A merged list shorter than the working history does not replace it.
            if (count < s.savedLineCount())
                outcome.historyKept = true;
            // The multipliers the archive gives the draws of the file are kept all the same.
            outcome.then(keepMultipliers(s.multipliers()));
        }
        m_window.enableDownload(false);
        m_changes.changed(StatePart::MenuPart);
        m_rankings.srti();
        then(outcome);
    });
    if (unread)
        then(kept.then(*unread));
}

CommandOutcome HistoryCommands::keepUnsavedWork()
{
    History& s = m_draws;
    if (!s.unsavedCorrection())
        return CommandOutcome::done();
    const CommandOutcome saved = sauve();
    if (saved.isDone())
        return saved;
    const CommandOutcome told = tellBeforeAsking(saved);
    if (m_ui.confirm(QStringLiteral("La correction d'un tirage n'a pas pu être enregistrée dans l'historique de travail.\n"
                                    "Recharger quand même la liste et abandonner cette correction ?"),
                     Messages::kTitle)) {
        s.correctionSettled();
        // Given up: why it could not be written is told all the same.
        return CommandOutcome::done().after(told);
    }
    return told;
}

CommandOutcome HistoryCommands::tellBeforeAsking(const CommandOutcome& outcome) const
{
    if (!m_announce || !m_announce(outcome))
        return outcome;
    CommandOutcome told = outcome;
    told.notices.clear();
    told.asked = true; // put to the person already
    return told;
}

std::optional<QString> HistoryCommands::entryRefusal() const
{
    const History& s = m_draws;
    if (!s.unreadHistory().isEmpty())
        return unreadRefusal();
    if (s.origin() == ListOrigin::Filtered)
        // The line above a filtered draw is not its neighbour in the history: dates would be wrong.
        return QStringLiteral("Un filtre de période est actif : la saisie et la correction des tirages se font sur la "
                              "liste complète. Rechargez-la avec « Tous les tirages » ou « Charge Manuelle ».");
    if (s.origin() != ListOrigin::BaseWithArchive)
        return std::nullopt;
    const QString path = m_config.workingHistoryFile();
    if (!QFileInfo::exists(path))
        return std::nullopt;
    const HistoryFile::ListReadResult onDisk = HistoryFile::readList(path);
    if (!onDisk.found)
        return std::nullopt; // the save reports it
    if (const auto refusal = HistoryGuard::check(onDisk.list, m_draws.fullHistory(), s.replacedLines())) {
        const int missing
            = refusal->kind == HistoryGuard::Refusal::Kind::Shorter ? refusal->onDisk - refusal->offered : refusal->lost;
        return QStringLiteral("La liste affichée ne contient pas tout l'historique de travail (%1) : un tirage saisi ne "
                              "pourrait pas y être enregistré. Rechargez-la avec « Charge Manuelle ».")
            .arg(Messages::count(missing, QStringLiteral("tirage manquant"), QStringLiteral("tirages manquants")));
    }
    return std::nullopt;
}

namespace {

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

HistoryCommands::SaveStep HistoryCommands::saveBeside(const QString& path, const HistoryFile::ListReadResult& onDisk,
                                                      const DrawList& draws)
{
    // Nothing of the list is missing from the newer file: there is nothing to keep aside.
    if (HistoryGuard::newDraws(onDisk.list, draws) == 0)
        return {SaveStep::Kind::AlreadyThere};
    History& s = m_draws;
    // The same change seen again: the list goes on to the same file, not to a new one each time.
    const bool sameChange = !s.conflictPath().isEmpty() && s.conflictDigest() == onDisk.digest;
    s.keptBeside(sameChange ? s.conflictPath() : conflictPath(path), onDisk.digest);
    QString text = QStringLiteral("L'historique de travail « %1 » a été modifié par un autre programme depuis que Tiravol l'a "
                                  "lu : il est gardé tel quel.\n")
                       .arg(QDir::toNativeSeparators(path));
    QString error;
    if (const std::optional<QString> where = writeBeside(draws, &error))
        text += QStringLiteral("La liste des tirages a été enregistrée à côté, dans %1.\nRechargez l'historique avec "
                               "« Charge Manuelle » pour voir ce qui a changé.")
                    .arg(*where);
    else
        text += error + keptInWindow();
    return {SaveStep::Kind::Failed, text};
}

std::optional<QString> HistoryCommands::writeBeside(const DrawList& draws, QString* error) const
{
    const QString& path = m_draws.conflictPath();
    bool withMultipliers = false;
    if (!MultiplierFile::writeCopy(path, draws, m_draws.multipliers(), error, &withMultipliers))
        return std::nullopt;
    const QString where = QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(path));
    if (!withMultipliers)
        return where;
    return where
        + QStringLiteral(", et les multiplicateurs de ses tirages dans « %1 »")
              .arg(QDir::toNativeSeparators(MultiplierFile::pathBesideCopy(path)));
}

QString HistoryCommands::unreadRefusal() const
{
    return QStringLiteral("L'historique de travail « %1 » n'est pas modifié : le dernier chargement a échoué.\n%2\nRelisez-le "
                          "avec « Charge Manuelle » une fois le fichier lisible en entier.")
        .arg(QDir::toNativeSeparators(m_config.workingHistoryFile()), m_draws.unreadHistory());
}

CommandOutcome HistoryCommands::exitAfterFailedLoad()
{
    const History& s = m_draws;
    const QString kept = QStringLiteral("L'historique de travail « %1 » est gardé tel quel : le dernier chargement a échoué, "
                                        "il n'est donc pas réécrit.\n%2")
                             .arg(QDir::toNativeSeparators(m_config.workingHistoryFile()), s.unreadHistory());
    // Only a list kept from before the failed load can hold draws the file lacks: the player
    // then decides.
    const DrawList& draws = s.fullHistory();
    const bool nothingLost = !s.unsavedCorrection()
        && (draws.isEmpty() || (s.workingDigestKnown() && HistoryFile::digest(draws.toCrlfBytes()) == s.workingDigest()));
    if (nothingLost)
        return CommandOutcome::told(Notice{kept});
    return CommandOutcome::failed(kept);
}

QString HistoryCommands::keptInWindow() const
{
    return m_config.listStaysInWindow ? QStringLiteral("\nLa liste des tirages est conservée dans la fenêtre.") : QString();
}

HistoryCommands::SaveStep HistoryCommands::writeLocked(const DrawList& draws, const QByteArray& agreed)
{
    History& s = m_draws;
    const QString path = m_config.workingHistoryFile();
    const QString shown = QDir::toNativeSeparators(path);
    if (!s.unreadHistory().isEmpty())
        return {SaveStep::Kind::Failed, unreadRefusal() + keptInWindow()};
    const HeldLock lock(m_lock);
    if (!lock.held())
        return {SaveStep::Kind::Failed, m_lock.refusal() + keptInWindow()};
    // What the file holds now decides whether this list may replace it.
    if (QFileInfo::exists(path)) {
        const HistoryFile::ListReadResult onDisk = HistoryFile::readList(path);
        if (!onDisk.found)
            return {SaveStep::Kind::Failed,
                    QStringLiteral("L'historique de travail n'a pas été enregistré : %1").arg(onDisk.error)};
        if (s.workingDigestKnown() && onDisk.digest != s.workingDigest())
            return saveBeside(path, onDisk, draws);
        if (const auto refusal = HistoryGuard::check(onDisk.list, draws, s.replacedLines())) {
            if (refusal->kind == HistoryGuard::Refusal::Kind::Shorter)
                return {SaveStep::Kind::Failed,
                        QStringLiteral("L'historique de travail « %1 » n'a pas été remplacé : il compte %2, la liste "
                                       "affichée seulement %3. Utilisez « Charge Manuelle » pour le recharger.")
                            .arg(shown, Messages::count(refusal->onDisk, QStringLiteral("tirage"), QStringLiteral("tirages")))
                            .arg(refusal->offered)};
            // Corrected or hand-entered lines the list no longer has: only the player may give them up.
            if (onDisk.digest != agreed)
                return lostLinesQuestion(*refusal, onDisk.digest);
        }
    }
    // A file removed behind the list's back is written again: nothing of it can be lost.
    const QByteArray bytes = draws.toCrlfBytes();
    QString error;
    if (!MultiplierFile::writeWithHistory(path, draws, bytes, s.multipliers(), &error))
        return {SaveStep::Kind::Failed, error + keptInWindow()};
    return {SaveStep::Kind::Written, {}, HistoryFile::digest(bytes)};
}

HistoryCommands::SaveStep HistoryCommands::lostLinesQuestion(const HistoryGuard::Refusal& refusal,
                                                             const QByteArray& diskDigest) const
{
    const QString shown = QDir::toNativeSeparators(m_config.workingHistoryFile());
    const QString lost = Messages::agree(refusal.lost, QStringLiteral("manque"), QStringLiteral("manquent"));
    SaveStep step{SaveStep::Kind::Ask};
    step.question = QStringLiteral("%1 de l'historique de travail « %2 » %3 dans la liste des tirages (tirages "
                                   "saisis ou corrigés à la main) :%4\nRemplacer quand même l'historique de "
                                   "travail et perdre %5 ?")
                        .arg(Messages::count(refusal.lost, QStringLiteral("ligne"), QStringLiteral("lignes")), shown, lost,
                             lostLinesText(refusal),
                             Messages::agree(refusal.lost, QStringLiteral("cette ligne"), QStringLiteral("ces lignes")));
    step.text = QStringLiteral("L'historique de travail « %1 » n'a pas été remplacé : %2 de ses tirages %3 dans la liste "
                               "rechargée.")
                    .arg(shown)
                    .arg(refusal.lost)
                    .arg(lost);
    step.digest = diskDigest;
    return step;
}

CommandOutcome HistoryCommands::sauve()
{
    History& s = m_draws;
    const DrawList& draws = m_draws.fullHistory();
    SaveStep step = writeLocked(draws, {});
    // Asked without the lock, so other programs may write meanwhile: the file is checked again
    // after the answer, and a file changed since the question asks again.
    while (step.kind == SaveStep::Kind::Ask) {
        if (!m_ui.confirm(step.question, Messages::kTitle))
            return notSaved(step.text);
        step = writeLocked(draws, step.digest);
    }
    if (step.kind == SaveStep::Kind::Failed)
        return notSaved(step.text);
    CommandOutcome outcome;
    if (step.kind == SaveStep::Kind::Written) {
        s.written(step.digest);
        s.multipliers().settleRemovals();
        outcome.saved = draws.drawCount();
    }
    s.correctionSettled();
    return outcome;
}

CommandOutcome HistoryCommands::keepMultipliers(const Multipliers& values)
{
    if (values.isEmpty())
        return CommandOutcome::done();
    const HeldLock lock(m_lock);
    QString error;
    if (lock.held() && MultiplierFile::addMissing(m_config.workingHistoryFile(), m_draws.formulaId(), values, &error))
        return CommandOutcome::done();
    CommandOutcome outcome;
    outcome.tell(lock.held() ? error : m_lock.refusal());
    return outcome;
}

CommandOutcome HistoryCommands::notSaved(const QString& why)
{
    CommandOutcome outcome = CommandOutcome::failed(why);
    outcome.historyKept = true;
    return outcome;
}

CommandOutcome HistoryCommands::exitSave()
{
    if (!m_draws.unreadHistory().isEmpty())
        return exitAfterFailedLoad();
    const DrawList& draws = m_draws.fullHistory();
    const QString path = m_config.workingHistoryFile();
    const HistoryFile::ListReadResult onDisk = HistoryFile::readList(path);
    // The file already holds every draw of the list: it stays as it is, whatever the list lacks,
    // unless a multiplier was given to one of its draws since.
    const bool multipliersKept = onDisk.list.drawCount() != draws.drawCount()
        || MultiplierFile::holds(MultiplierFile::pathBeside(path, m_draws.formulaId()), m_draws.formulaId(),
                                 MultiplierFile::onlyOf(m_draws.multipliers(), draws));
    if (onDisk.found && HistoryGuard::newDraws(onDisk.list, draws) == 0 && multipliersKept) {
        CommandOutcome outcome;
        if (onDisk.list.drawCount() > draws.drawCount())
            outcome.tell(QStringLiteral("L'historique de travail « %1 » est gardé tel quel : il contient tous les tirages "
                                        "de la liste affichée, et %2 de plus.")
                             .arg(QDir::toNativeSeparators(path),
                                  Messages::count(onDisk.list.drawCount() - draws.drawCount(), QStringLiteral("tirage"),
                                                  QStringLiteral("tirages"))));
        return outcome;
    }
    const CommandOutcome saved = sauve();
    if (saved.isDone() || keptBeside(draws))
        return saved;
    // Whether the exit may go on is the file beside's to say; why the save failed is told
    // before the question.
    const CommandOutcome told = tellBeforeAsking(saved);
    return offerToKeepBeside(draws, onDisk).after(told);
}

bool HistoryCommands::keptBeside(const DrawList& draws) const
{
    const QString& beside = m_draws.conflictPath();
    return !beside.isEmpty() && HistoryFile::readList(beside).digest == HistoryFile::digest(draws.toCrlfBytes())
        && MultiplierFile::holds(MultiplierFile::pathBesideCopy(beside), m_draws.formulaId(),
                                 MultiplierFile::onlyOf(m_draws.multipliers(), draws));
}

CommandOutcome HistoryCommands::offerToKeepBeside(const DrawList& draws, const HistoryFile::ListReadResult& onDisk)
{
    const QString path = m_config.workingHistoryFile();
    const int unsaved = onDisk.found ? HistoryGuard::newDraws(onDisk.list, draws) : draws.drawCount();
    if (!m_ui.confirm(QStringLiteral("L'historique de travail n'a pas été enregistré : %1 de la liste %2 pas.\n"
                                     "Enregistrer la liste des tirages dans un fichier à côté de lui avant de quitter ?")
                          .arg(Messages::count(unsaved, QStringLiteral("tirage"), QStringLiteral("tirages")),
                               Messages::agree(unsaved, QStringLiteral("n'y est"), QStringLiteral("n'y sont"))),
                      Messages::kTitle))
        return notSaved(QString());
    // A new file beside the history: no other writer's file is touched, whoever holds the lock.
    m_draws.keptBeside(conflictPath(path), QByteArray());
    QString error;
    const std::optional<QString> where = writeBeside(draws, &error);
    if (!where)
        return notSaved(error);
    return CommandOutcome::told(
        Notice{QStringLiteral("La liste des tirages a été enregistrée dans %1 ; l'historique de travail « %2 » est "
                              "gardé tel quel.")
                   .arg(*where, QDir::toNativeSeparators(path))});
}
