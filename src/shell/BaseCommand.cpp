// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/BaseCommand.h"

#include "acquire/BaseBuilder.h"
#include "history/HistoryFile.h"
#include "history/MultiplierFile.h"
#include "shell/FolderLock.h"
#include "shell/GameCheck.h"
#include "shell/History.h"
#include "shell/HistoryCommands.h"
#include "shell/Jobs.h"
#include "shell/Messages.h"
#include "shell/RankingCommands.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/UserInterface.h"
#include "shell/WorkspaceConfig.h"

#include <QDir>
#include <QFileInfo>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>

namespace {

const QString kTitle = QStringLiteral("Construire l'historique");

QString draws(qsizetype n)
{
    return Messages::count(n, QStringLiteral("tirage"), QStringLiteral("tirages"));
}

// "« path » : 1494 tirages aujourd'hui, 16948 ensuite" for a file that exists.
QString fileLine(const QString& path, qsizetype now, qsizetype after)
{
    return QStringLiteral("« %1 » : %2 aujourd'hui, %3 ensuite").arg(QDir::toNativeSeparators(path), draws(now), draws(after));
}

struct Before {
    bool working = false, base = false; // the file existed
    qsizetype workingCount = 0, baseCount = 0;
};

// Merges what the player has (the working history, and the base history's own draws) into the
// archives' draws; an error text when one of them cannot be read.
QString mergeHistories(BaseBuilder::Result& result, const BaseBuilder::Paths& paths, Before& before)
{
    before.working = QFileInfo::exists(paths.working);
    before.base = QFileInfo::exists(paths.base);
    HistoryFile::ReadResult working, base;
    const auto failed = [](const HistoryFile::ReadResult& read, const QString& path) {
        return read.error.isEmpty() ? QDir::toNativeSeparators(path) : read.error;
    };
    if (before.working && !(working = HistoryFile::read(paths.working)).found)
        return failed(working, paths.working);
    if (before.base && !(base = HistoryFile::read(paths.base)).found)
        return failed(base, paths.base);
    before.workingCount = working.lines.size();
    before.baseCount = base.lines.size();
    const QString workingName = QFileInfo(paths.working).fileName(), baseName = QFileInfo(paths.base).fileName();
    if (before.working)
        BaseBuilder::mergeWorking(result, working.lines, workingName);
    else if (before.base)
        BaseBuilder::mergeWorking(result, base.lines, baseName);
    if (before.working && before.base)
        BaseBuilder::mergeBase(result, base.lines, working.lines, baseName);
    return {};
}

} // namespace

namespace {

// How the window shows what a build came to: one box under the build's title, nothing when
// the player cancelled or declined.
CommandOutcome shown(const HistoryBuild& built)
{
    const QString text
        = built.summary.isEmpty() ? built.text : built.text + QStringLiteral("\n\n") + built.summary.join(QLatin1Char('\n'));
    CommandOutcome outcome;
    switch (built.status) {
    case HistoryBuild::Status::Cancelled:
    case HistoryBuild::Status::Declined:
        outcome = CommandOutcome::refused(QString());
        break;
    case HistoryBuild::Status::Built:
        outcome.tell(text, kTitle);
        outcome.saved = built.written;
        break;
    default:
        outcome = CommandOutcome::failed(text, kTitle);
        break;
    }
    CommandOutcome before;
    before.notices = built.notices;
    return outcome.after(before);
}

} // namespace

void BaseCommand::construireHistorique(OutcomeThen then)
{
    const QStringList archives = m_ui.askOpenFileNames(QStringLiteral("Archives des résultats"),
                                                       QStringLiteral("Archives des résultats (*.zip *.csv *.ZIP *.CSV)"));
    if (archives.isEmpty())
        return then(CommandOutcome::refused(QString()));
    build(archives, [then = std::move(then)](const HistoryBuild& built) { then(shown(built)); });
}

void BaseCommand::build(const QStringList& archives, std::function<void(const HistoryBuild&)> done)
{
    // A correction not yet written is part of what the player has.
    const CommandOutcome kept = m_history.keepUnsavedWork();
    if (!kept.isDone()) {
        HistoryBuild cancelled;
        cancelled.notices = kept.boxes();
        done(cancelled);
        return;
    }

    // The archives are read as a job; the questions and the writing come after, here.
    auto hourglass = std::make_shared<Hourglass>(m_steps);
    m_jobs.showProgress(0, static_cast<int>(archives.size()));
    auto result = std::make_shared<BaseBuilder::Result>();
    Job job;
    job.run = [this, archives, result, game = m_config.formula](JobContext& context) {
        *result = BaseBuilder::collect(
            archives,
            [this, &context](int value, int maximum) {
                context.post([this, value, maximum] { m_jobs.showProgress(value, maximum); });
                context.progress(QString(), maximum > 0 ? double(value) / maximum : 0.0);
            },
            context.cancelFlag(), game);
    };
    job.finish = [this, kept, result, hourglass = std::move(hourglass), done = std::move(done)]() mutable {
        hourglass.reset();
        m_jobs.hideProgress();
        HistoryBuild built = writeHistories(*result);
        built.notices = kept.boxes() + built.notices;
        done(built);
    };
    m_jobs.start(std::move(job));
}

HistoryBuild BaseCommand::writeHistories(BaseBuilder::Result& result)
{
    HistoryBuild outcome;
    if (result.stopped) {
        outcome.status = HistoryBuild::Status::Stopped;
        outcome.text = QStringLiteral("Construction interrompue : rien n'a été écrit.");
        return outcome;
    }
    if (!m_lock.acquire()) {
        outcome.status = HistoryBuild::Status::WriteFailed;
        outcome.text = m_lock.refusal();
        return outcome;
    }
    outcome = mergeAndWrite(result);
    m_lock.release();
    return outcome;
}

namespace {

// What the two files hold, to notice a write by another program.
QByteArray filesDigest(const BaseBuilder::Paths& paths)
{
    return HistoryFile::readList(paths.base).digest + HistoryFile::readList(paths.working).digest;
}

} // namespace

std::optional<HistoryBuild> BaseCommand::askToReplace(const QString& question, const BaseBuilder::Paths& paths)
{
    const QByteArray before = filesDigest(paths);
    m_lock.release();
    const bool yes = m_ui.confirm(question, kTitle);
    HistoryBuild outcome;
    if (!m_lock.acquire()) {
        outcome.status = HistoryBuild::Status::WriteFailed;
        outcome.text = m_lock.refusal();
    } else if (!yes) {
        outcome.status = HistoryBuild::Status::Declined;
        outcome.text = QStringLiteral("L'historique existant n'a pas été remplacé.");
    } else if (filesDigest(paths) != before) {
        outcome.status = HistoryBuild::Status::WriteFailed;
        outcome.text = QStringLiteral("L'historique a été modifié par un autre programme pendant la question : rien n'a "
                                      "été écrit. Recommencez la construction.");
    } else {
        return std::nullopt;
    }
    return outcome;
}

namespace {

// Why the merged draws may not be written at all, whatever the player would answer.
std::optional<std::pair<HistoryBuild::Status, QString>> refusal(const BaseBuilder::Result& result)
{
    using Status = HistoryBuild::Status;
    if (result.lines.isEmpty())
        return std::pair(Status::NothingRead, QStringLiteral("Aucun tirage n'a pu être lu : rien n'a été écrit."));
    if (!result.conflicts.isEmpty())
        return std::pair(Status::ArchivesDisagree,
                         QStringLiteral("Des archives ne donnent pas les mêmes numéros pour un même tirage : rien n'a été "
                                        "écrit. Retirez l'archive fautive et recommencez."));
    if (!result.workingConflicts.isEmpty())
        return std::pair(Status::WorkingDisagrees,
                         QStringLiteral("« %1 » ne donne pas les mêmes numéros que les archives pour un même tirage : rien "
                                        "n'a été écrit. Vérifiez ces tirages et recommencez.")
                             .arg(result.workingName));
    if (!result.unreadable.isEmpty())
        return std::pair(Status::WorkingDisagrees,
                         QStringLiteral("Des lignes de l'historique ne sont pas des tirages datés : rien n'a été écrit. "
                                        "Corrigez-les ou retirez-les, puis recommencez."));
    return std::nullopt;
}

// "Un historique existe déjà. Le remplacer ?", with what each file holds now and after.
QString replaceQuestion(const BaseBuilder::Result& result, const BaseBuilder::Paths& paths, const Before& before)
{
    QStringList question{QStringLiteral("Un historique existe déjà. Le remplacer ?")};
    if (before.base)
        question << fileLine(paths.base, before.baseCount, result.base.size());
    if (before.working)
        question << fileLine(paths.working, before.workingCount, result.working.size());
    if (!result.kept.isEmpty())
        question << QStringLiteral("%1 de « %2 », absents des archives, y sont gardés.")
                        .arg(draws(result.kept.size()), result.workingName);
    if (!result.keptBase.isEmpty())
        question << QStringLiteral("%1 de « %2 », absents des archives et de « %3 », y sont gardés.")
                        .arg(draws(result.keptBase.size()), result.baseName, result.workingName);
    return question.join(QLatin1Char('\n'));
}

// Why the archives' multipliers are not beside the history built; empty when they are.
QString multipliersNotKept(const BaseBuilder::Result& result, const QString& workingPath)
{
    const QString path = MultiplierFile::pathBeside(workingPath, result.formula);
    if (result.multipliers.isEmpty() || !MultiplierFile::read(path, result.formula).failed)
        return {};
    return QStringLiteral("\nLes multiplicateurs des archives n'y sont pas gardés : le fichier « %1 » ne peut pas être "
                          "lu, il est laissé tel quel.")
        .arg(QDir::toNativeSeparators(path));
}

} // namespace

HistoryBuild BaseCommand::mergeAndWrite(BaseBuilder::Result& result)
{
    HistoryBuild outcome;
    const BaseBuilder::Paths paths{m_config.baseHistoryFile(), m_config.workingHistoryFile()};
    Before before;
    const QString unreadable = mergeHistories(result, paths, before);
    if (!unreadable.isEmpty()) {
        outcome.status = HistoryBuild::Status::WriteFailed;
        outcome.text = QStringLiteral("L'historique existant ne peut pas être lu : rien n'a été écrit.\n") + unreadable;
        return outcome;
    }
    outcome.summary = result.summary();
    outcome.existing = BaseBuilder::existingHistory(paths);
    if (const auto refused = refusal(result)) {
        std::tie(outcome.status, outcome.text) = *refused;
        return outcome;
    }
    if (const auto other = GameCheck::otherGame(result.working, m_config.game())) {
        outcome.status = HistoryBuild::Status::WriteFailed;
        outcome.text = *other;
        return outcome;
    }
    if (!outcome.existing.isEmpty()) {
        if (auto refused = askToReplace(replaceQuestion(result, paths, before), paths)) {
            refused->summary = outcome.summary;
            refused->existing = outcome.existing;
            return *refused;
        }
    }
    BaseBuilder::WriteOptions options;
    options.replace = true; // asked just above, or nothing to replace
    QString error;
    // A new file written by a run as root goes to the folder's owner (the write sees to it).
    if (!BaseBuilder::write(result, paths, options, &error)) {
        outcome.status = HistoryBuild::Status::WriteFailed;
        outcome.text = QStringLiteral("L'historique n'a pas été écrit : ") + error;
        return outcome;
    }
    const QString notKept = multipliersNotKept(result, paths.working);
    outcome.notices = m_history.chargeManuelle().boxes();
    m_rankings.srti();
    outcome.status = HistoryBuild::Status::Built;
    outcome.text = QStringLiteral("L'historique a été construit.") + notKept;
    outcome.written = static_cast<int>(result.working.size());
    return outcome;
}
