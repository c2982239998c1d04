// Building the base history from several archives, for a player who has none yet.
#include "acquire/BaseBuilder.h"
#include "cli/CliCommand.h"
#include "shell/Messages.h"
#include "shell/Workspace.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kMaxArchives = 100;

int buildBase(CliRun& run)
{
    const QString folder = run.ws.config().dataFolder;
    // Refused before any archive is read: nothing is replaced without being asked for.
    const QString existing = BaseBuilder::existingHistory(folder);
    if (!existing.isEmpty() && !run.options.own.contains(QStringLiteral("replace"))) {
        run.fail(QStringLiteral("l'historique « %1 » existe déjà : ajoutez --replace pour le remplacer")
                     .arg(QDir::toNativeSeparators(existing)));
        return CliStatus::kFailure;
    }
    QStringList archives;
    for (const QString& arg : run.options.arguments) {
        const QString path = QFileInfo(arg).absoluteFilePath();
        if (!QFileInfo(path).isFile()) {
            run.fail(QStringLiteral("l'archive « %1 » est introuvable").arg(QDir::toNativeSeparators(path)));
            return CliStatus::kFailure;
        }
        archives << path;
    }

    const BaseBuilder::Result result = BaseBuilder::collect(archives, [&run](int value, int maximum) {
        run.err << "Lecture des archives : " << value << '/' << maximum << '\n' << Qt::flush;
    });
    for (const QString& line : result.summary())
        run.out << line << '\n';
    run.out.flush();

    BaseBuilder::WriteOptions options;
    options.replace = run.options.own.contains(QStringLiteral("replace"));
    QString error;
    if (!BaseBuilder::write(result, folder, options, &error)) {
        run.fail(error);
        return CliStatus::kFailure;
    }
    run.err << "Historique construit : "
            << Messages::count(result.lines.size(), QStringLiteral("tirage écrit"), QStringLiteral("tirages écrits")) << " dans "
            << QDir::toNativeSeparators(folder) << '\n'
            << Qt::flush;
    return CliStatus::kOk;
}

class BuildBaseCommand : public CliCommand {
public:
    BuildBaseCommand()
        : CliCommand(QStringLiteral("build-base"), QStringLiteral("construit l'historique à partir de plusieurs archives"))
    {
        setArguments({{QStringLiteral("ARCHIVE..."), QStringLiteral("les archives de résultats (.zip ou .csv)")}}, 1,
                     kMaxArchives);
        addOption(QStringLiteral("replace"), QString(), QStringLiteral("remplace l'historique existant"));
        setAcquiring(true);
    }

    int execute(CliRun& run) const override { return buildBase(run); }
};

} // namespace

CliCommandList baseCommands()
{
    CliCommandList list;
    list.push_back(std::make_unique<BuildBaseCommand>());
    return list;
}
