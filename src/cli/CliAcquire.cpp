// The commands that bring draws in: by hand, from an archive file, from the operator's address.
#include "acquire/LocalArchiveSource.h"
#include "acquire/NetworkArchiveSource.h"
#include "cli/CliCommand.h"
#include "cli/CliJobRunner.h"
#include "shell/Workspace.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace {

QList<int> drawNumbers(const CliOptions& o)
{
    const QString subject = QStringLiteral("add");
    const QList<int> numbers = parseIntList(subject, o.arguments.value(0), 1, 70);
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
    if (!outcome.fetched && run.jobs.stopped()) {
        run.fail(QStringLiteral("interrompu : %1 est arrêté, l'historique de travail est inchangé").arg(what));
        run.printReport();
        return CliStatus::kFailure;
    }
    if (!outcome.fetched || !outcome.csvRead) {
        // Messages the import has shown came out one per line already: they are not repeated.
        const bool toldHere = !outcome.error.isEmpty() && !outcome.reported;
        run.fail(QStringLiteral("%1 a échoué%2").arg(what, toldHere ? QStringLiteral(" : ") + outcome.error : QString()));
        run.printReport();
        return CliStatus::kFailure;
    }
    if (!outcome.reported) // otherwise the import has said it with the reasons
        run.err << outcome.summary << '\n' << Qt::flush;
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

class AddCommand : public CliCommand {
public:
    AddCommand() : CliCommand(QStringLiteral("add"), QStringLiteral("ajoute le tirage suivant à l'historique de travail"))
    {
        setArguments({{QStringLiteral("N1,N2,...,N20"), QStringLiteral("les 20 numéros du tirage, de 1 à 70")}});
        setWritesHistory();
    }

    void check(const CliOptions& o) const override
    {
        CliCommand::check(o);
        drawNumbers(o);
    }

    int execute(CliRun& run) const override { return add(run); }
};

class ImportArchiveCommand : public CliCommand {
public:
    ImportArchiveCommand()
        : CliCommand(QStringLiteral("import"), QStringLiteral("importe une archive de résultats (.zip ou .csv)"))
    {
        setArguments({{QStringLiteral("ARCHIVE"), QStringLiteral("l'archive à importer")}});
        setAcquiring();
    }

    int execute(CliRun& run) const override
    {
        const QString archive = QFileInfo(run.options.arguments.constFirst()).absoluteFilePath();
        if (!QFileInfo(archive).isFile()) {
            run.fail(QStringLiteral("l'archive « %1 » est introuvable").arg(QDir::toNativeSeparators(archive)));
            return CliStatus::kFailure;
        }
        LocalArchiveSource source;
        return acquire(run, source, QStringLiteral("l'import"));
    }
};

class DownloadCommand : public CliCommand {
public:
    DownloadCommand() : CliCommand(QStringLiteral("download"), QStringLiteral("télécharge et importe l'archive de résultats"))
    {
        addOption(QStringLiteral("url"), QStringLiteral("ADRESSE"), QStringLiteral("adresse de l'archive de résultats"));
        setAcquiring();
    }

    int execute(CliRun& run) const override
    {
        NetworkArchiveSource source;
        return acquire(run, source, QStringLiteral("le téléchargement"));
    }
};

} // namespace

CliCommandList acquireCommands()
{
    CliCommandList list;
    list.push_back(std::make_unique<AddCommand>());
    list.push_back(std::make_unique<ImportArchiveCommand>());
    list.push_back(std::make_unique<DownloadCommand>());
    return list;
}
