// The commands that bring draws in: by hand, from an archive file, from the operator's address.
#include "acquire/LocalArchiveSource.h"
#include "acquire/NetworkArchiveSource.h"
#include "cli/CliCommand.h"
#include "shell/Workspace.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace {

QList<int> drawNumbers(const CliOptions& o)
{
    const QString subject = QStringLiteral("add");
    const QList<int> numbers = parseIntList(subject, o.commandArgs.first(), 1, 70);
    if (numbers.size() != 20)
        throw usageError(subject, QStringLiteral("il faut exactement 20 numéros, %1 donnés").arg(numbers.size()));
    for (int i = 0; i < numbers.size(); ++i)
        if (numbers.indexOf(numbers[i]) != i)
            throw usageError(subject, QStringLiteral("le numéro %1 est répété").arg(numbers[i]));
    return numbers;
}

int add(CliRun& run)
{
    const QList<int> numbers = drawNumbers(run.options);
    Workspace& ws = run.ws;
    const int before = ws.drawCount();
    ws.clickListe(ws.liste().itemCount() - 1);
    for (int n = 1; n <= 70; ++n)
        ws.setCheck(n, numbers.contains(n));
    ws.validateEntry();
    if (ws.drawCount() != before + 1 || !ws.lastSaveSucceeded())
        return CliStatus::kFailure;
    run.printReport();
    return CliStatus::kOk;
}

// Import and download end alike: the list merged, the working history replaced or refused.
int acquire(CliRun& run, ArchiveSource& source, const QString& what)
{
    Workspace& ws = run.ws;
    ws.setArchiveSource(&source);
    ws.telechargement();
    ws.setArchiveSource(nullptr);
    const ImportOutcome& outcome = ws.lastImport();
    if (!outcome.fetched || !outcome.csvRead) {
        // Messages the import has shown came out one per line already: they are not repeated.
        const bool toldHere = !outcome.error.isEmpty() && !outcome.reported;
        run.fail(QStringLiteral("%1 a échoué%2").arg(what, toldHere ? QStringLiteral(" : ") + outcome.error : QString()));
        run.printReport();
        return CliStatus::kFailure;
    }
    if (outcome.skipped == 0) // otherwise the import has said it with the reasons
        run.err << "Import de l'archive : " << outcome.imported
                << (outcome.imported > 1 ? " tirages importés" : " tirage importé") << ", aucune ligne ignorée.\n"
                << Qt::flush;
    run.printReport();
    // A save that was refused, or a merged list shorter than the working history, leaves the
    // working history as it was: the command has not done its work.
    const bool shorter = ws.listOrigin() != ListOrigin::Working && ws.drawCount() + 1 < ws.savedLineCount();
    if (!ws.lastSaveSucceeded() || shorter) {
        run.fail(QStringLiteral("l'historique de travail n'a pas été remplacé"));
        return CliStatus::kFailure;
    }
    return CliStatus::kOk;
}

} // namespace

QList<CliCommand> acquireCommands()
{
    CliCommand addCommand;
    addCommand.name = QStringLiteral("add");
    addCommand.minArgs = addCommand.maxArgs = 1;
    addCommand.usage = QStringLiteral("add N1,N2,...,N20        ajoute le tirage suivant à l'historique de travail");
    addCommand.check = [](const CliOptions& o) { drawNumbers(o); };
    addCommand.writesHistory = true;
    addCommand.execute = add;

    CliCommand importCommand;
    importCommand.name = QStringLiteral("import");
    importCommand.minArgs = importCommand.maxArgs = 1;
    importCommand.acquiring = true;
    importCommand.usage = QStringLiteral("import ARCHIVE           importe une archive de résultats (.zip ou .csv)");
    importCommand.execute = [](CliRun& run) {
        const QString archive = QFileInfo(run.options.commandArgs.first()).absoluteFilePath();
        if (!QFileInfo(archive).isFile()) {
            run.fail(QStringLiteral("l'archive « %1 » est introuvable").arg(QDir::toNativeSeparators(archive)));
            return CliStatus::kFailure;
        }
        LocalArchiveSource source;
        return acquire(run, source, QStringLiteral("l'import"));
    };

    CliCommand download;
    download.name = QStringLiteral("download");
    download.acquiring = true;
    download.usage = QStringLiteral("download [--url URL]     télécharge et importe l'archive de résultats");
    download.execute = [](CliRun& run) {
        NetworkArchiveSource source;
        return acquire(run, source, QStringLiteral("le téléchargement"));
    };
    return {addCommand, importCommand, download};
}
