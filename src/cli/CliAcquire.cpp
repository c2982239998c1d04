// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that bring draws in: by hand, from an archive file, from the operator's address.
#include "acquire/LocalArchiveSource.h"
#include "acquire/NetworkArchiveSource.h"
#include "cli/CliCommand.h"
#include "history/MultiplierFile.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <memory>

namespace {

QList<int> drawNumbers(const CliOptions& o)
{
    const QString subject = QStringLiteral("add");
    const Formula& game = o.game();
    const QList<int> numbers = parseIntList(subject, o.arguments.value(0), 1, game.numbers);
    if (numbers.size() != game.drawn)
        throw usageError(subject, QStringLiteral("il faut exactement %1 numéros, %2 donnés").arg(game.drawn).arg(numbers.size()));
    for (int i = 0; i < numbers.size(); ++i)
        if (numbers.indexOf(numbers[i]) != i)
            throw usageError(subject, QStringLiteral("le numéro %1 est répété").arg(numbers[i]));
    return numbers;
}

void checkAdd(const CliCommand&, const CliOptions& o)
{
    drawNumbers(o);
}

void readMultiplier(const QCommandLineParser& parser, CliOptions& o)
{
    const QString name = QStringLiteral("multiplicateur");
    if (!parser.isSet(name))
        return;
    const qint64 n = wholeOption(QStringLiteral("--multiplicateur"), parser.value(name));
    if (!MultiplierFile::allowed(static_cast<int>(std::clamp<qint64>(n, 0, MultiplierFile::kMost + 1))))
        throw usageError(
            QStringLiteral("--multiplicateur"),
            QStringLiteral("le multiplicateur va de %1 à %2").arg(MultiplierFile::kLeast).arg(MultiplierFile::kMost));
    o.drawMultiplier = static_cast<int>(n);
}

// The next draw typed as the window's entry takes it: the empty line clicked, the numbers
// ticked, then the command itself (OK).
int add(const CliCommand& command, CliRun& run)
{
    const QList<int> numbers = drawNumbers(run.options);
    Workspace& ws = run.ws;
    ws.units().list.clickListe(ws.liste().itemCount() - 1);
    for (int n = 1; n <= ws.game().numbers; ++n)
        ws.units().grid.setCheck(n, numbers.contains(n));
    ws.units().entry.setMultiplier(run.options.drawMultiplier.value_or(0));
    // A refusal or a save that failed reads as the window's box says it.
    const CommandOutcome outcome = command.entry().handler(ws.units(), 0);
    tellOutcome(run.err, outcome, false);
    if (!outcome.isDone())
        return CliStatus::kFailure;
    run.printReport();
    return CliStatus::kOk;
}

// Import and download end alike: the list merged, the working history replaced or refused.
int acquire(const CliCommand& command, CliRun& run, ArchiveSource& source, const QString& what)
{
    Workspace& ws = run.ws;
    ws.units().import.setSource(&source);
    const CommandOutcome outcome = command.entry().handler(ws.units(), 0);
    ws.units().import.setSource(nullptr);
    // What the window would show comes out one per line, as it was told.
    tellOutcome(run.err, outcome, false);
    if (outcome.archivesRead == 0) {
        if (outcome.stopped)
            run.fail(QStringLiteral("interrompu : %1 est arrêté, l'historique de travail est inchangé").arg(what));
        else // a reason put in the address question only is told here
            run.fail(
                QStringLiteral("%1 a échoué%2")
                    .arg(what, outcome.asked && !outcome.reason.isEmpty() ? QStringLiteral(" : ") + outcome.reason : QString()));
        run.printReport();
        return CliStatus::kFailure;
    }
    if (!outcome.summary.isEmpty()) // otherwise the import has said it with the reasons
        run.err << outcome.summary << '\n' << Qt::flush;
    run.printReport();
    // A save that was refused, or a merged list shorter than the working history, leaves the
    // working history as it was: the command has not done its work.
    if (outcome.historyKept) {
        run.fail(QStringLiteral("l'historique de travail n'a pas été remplacé"));
        return CliStatus::kFailure;
    }
    return CliStatus::kOk;
}

int importArchive(const CliCommand& command, CliRun& run)
{
    const QString archive = QFileInfo(run.options.arguments.constFirst()).absoluteFilePath();
    if (!QFileInfo(archive).isFile()) {
        run.fail(QStringLiteral("l'archive « %1 » est introuvable").arg(QDir::toNativeSeparators(archive)));
        return CliStatus::kFailure;
    }
    LocalArchiveSource source;
    return acquire(command, run, source, QStringLiteral("l'import"));
}

void readUrl(const QCommandLineParser& parser, CliOptions& o)
{
    o.url = parser.value(QStringLiteral("url"));
}

int download(const CliCommand& command, CliRun& run)
{
    NetworkArchiveSource source;
    return acquire(command, run, source, QStringLiteral("le téléchargement"));
}

} // namespace

CliStyleRun acquireStyle(Catalogue::CliStyle style)
{
    switch (style) {
    case Catalogue::CliStyle::Add:
        return {checkAdd, readMultiplier, add};
    case Catalogue::CliStyle::Import:
        return {nullptr, nullptr, importArchive};
    case Catalogue::CliStyle::Download:
        return {nullptr, readUrl, download};
    default:
        return {};
    }
}
