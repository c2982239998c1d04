// Performance, the grid presets and the forecast selection on the command line.
#include "cli/CliCommand.h"
#include "shell/Workspace.h"

#include <QDir>
#include <QFileInfo>

namespace {

// With --criteria, the file replaces the criteria the load and the click left, as "Reset
// configuration" does; a missing file is an error, a faulty one a warning.
bool loadCriteria(CliRun& run)
{
    if (!run.options.criteria)
        return true;
    const QString path = *run.options.criteria;
    if (!QFileInfo(path).isFile()) {
        run.fail(QStringLiteral("--criteria : le fichier « %1 » n'existe pas").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    const QString problem = run.ws.loadCriteria(path);
    if (!problem.isEmpty())
        run.fail(problem);
    return true;
}

int reportOf(CliRun& run, const std::function<void()>& command)
{
    if (!loadCriteria(run))
        return CliStatus::kFailure;
    command();
    run.printReport();
    return CliStatus::kOk;
}

int presetIndex(const CliOptions& o, int low, int high)
{
    bool ok = false;
    const QString text = o.commandArgs.value(0);
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        throw usageError(o.command, QStringLiteral("« %1 » n'est pas un nombre de %2 à %3").arg(text).arg(low).arg(high));
    return v;
}

} // namespace

QList<CliCommand> forecastCommands()
{
    CliCommand performance;
    performance.name = QStringLiteral("performance");
    performance.usage = QStringLiteral("performance              gains des numéros cochés (--numbers) sur la période");
    performance.execute = [](CliRun& run) { return reportOf(run, [&run] { run.ws.performance(); }); };

    CliCommand colonnes;
    colonnes.name = QStringLiteral("colonnes");
    colonnes.minArgs = colonnes.maxArgs = 1;
    colonnes.usage = QStringLiteral("colonnes I               performance de la rangée I (1 = 1-10 ... 7 = 61-70)");
    colonnes.check = [](const CliOptions& o) { presetIndex(o, 1, 7); };
    colonnes.execute = [](CliRun& run) {
        const int i = presetIndex(run.options, 1, 7);
        return reportOf(run, [&run, i] { run.ws.colonnes(i - 1); });
    };

    CliCommand finales;
    finales.name = QStringLiteral("finales");
    finales.minArgs = finales.maxArgs = 1;
    finales.usage = QStringLiteral("finales D                performance des sept numéros finissant par D (0..9)");
    finales.check = [](const CliOptions& o) { presetIndex(o, 0, 9); };
    finales.execute = [](CliRun& run) {
        const int d = presetIndex(run.options, 0, 9);
        return reportOf(run, [&run, d] { run.ws.finales(d == 0 ? 10 : d); });
    };

    CliCommand prevision;
    prevision.name = QStringLiteral("prevision");
    prevision.usage = QStringLiteral("prevision                sélection des numéros selon les critères (--criteria FICHIER)");
    prevision.execute = [](CliRun& run) { return reportOf(run, [&run] { run.ws.selectionNumeros(); }); };

    return {performance, colonnes, finales, prevision};
}
