// SPDX-License-Identifier: GPL-3.0-or-later
// Building the histories from several archives: the Workspace's command, answered from the
// command line (the archives given, --replace for the question).
#include "cli/CliCommand.h"
#include "cli/CliUi.h"
#include "shell/Messages.h"
#include "shell/Workspace.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

// The archives are the command's arguments; --replace answers the question of replacing.
int buildBase(const CliCommand&, CliRun& run)
{
    QStringList archives;
    for (const QString& arg : run.options.arguments) {
        const QString path = QFileInfo(arg).absoluteFilePath();
        if (!QFileInfo(path).isFile()) {
            run.fail(QStringLiteral("l'archive « %1 » est introuvable").arg(QDir::toNativeSeparators(path)));
            return CliStatus::kFailure;
        }
        archives << path;
    }

    const QMetaObject::Connection progress = QObject::connect(&run.ws, &Workspace::changed, &run.ws, [&run](unsigned parts) {
        const Progress& p = run.ws.progress();
        if ((parts & Workspace::ProgressPart) && p.visible && p.value > 0)
            run.err << "Lecture des archives : " << p.value << '/' << p.maximum << '\n' << Qt::flush;
    });
    run.ui.confirmAnswer = run.options.replace;
    const HistoryBuild outcome = run.ws.buildHistory(archives);
    run.ui.confirmAnswer.reset();
    QObject::disconnect(progress);

    CommandOutcome told;
    told.notices = outcome.notices;
    tellOutcome(run.err, told, false);
    for (const QString& line : outcome.summary)
        run.out << line << '\n';
    run.out.flush();
    switch (outcome.status) {
    case HistoryBuild::Status::Built:
        run.err << "Historique construit : "
                << Messages::count(outcome.written, QStringLiteral("tirage écrit"), QStringLiteral("tirages écrits")) << " dans "
                << QDir::toNativeSeparators(QFileInfo(run.ws.workingHistoryPath()).absolutePath()) << '\n'
                << Qt::flush;
        return CliStatus::kOk;
    case HistoryBuild::Status::Declined:
        run.fail(QStringLiteral("l'historique « %1 » existe déjà : ajoutez --replace pour le remplacer")
                     .arg(QDir::toNativeSeparators(outcome.existing)));
        return CliStatus::kFailure;
    default:
        run.fail(outcome.text);
        return CliStatus::kFailure;
    }
}

void readReplace(const QCommandLineParser& parser, CliOptions& o)
{
    o.replace = parser.isSet(QStringLiteral("replace"));
}

} // namespace

CliStyleRun baseStyle(Catalogue::CliStyle style)
{
    if (style == Catalogue::CliStyle::BuildBase)
        return {nullptr, readReplace, buildBase};
    return {};
}
