// SPDX-License-Identifier: GPL-3.0-or-later
// Performance, the grid presets and the forecast selection on the command line.
#include "cli/CliForecast.h"

#include "cli/CliCommand.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QDir>
#include <QFileInfo>

bool loadCriteriaOption(CliRun& run)
{
    if (!run.options.criteria)
        return true;
    const QString path = *run.options.criteria;
    if (!QFileInfo(path).isFile()) {
        run.fail(QStringLiteral("--criteria : le fichier « %1 » n'existe pas").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    const QString problem = run.ws.units().forecast.loadCriteria(path);
    if (!problem.isEmpty())
        run.fail(problem);
    return true;
}

namespace {

// "colonnes I" and "finales D": a preset ticks its numbers, then runs "Performance".
int presetIndex(const CliCommand& command, const CliOptions& o)
{
    const Catalogue::PresetRange& range = command.entry().preset;
    bool ok = false;
    const QString text = o.arguments.value(0);
    const int v = text.toInt(&ok);
    if (!ok || v < range.low || v > range.high)
        throw usageError(command.name(),
                         QStringLiteral("« %1 » n'est pas un nombre de %2 à %3").arg(text).arg(range.low).arg(range.high));
    return range.toIndex(v);
}

void checkPreset(const CliCommand& command, const CliOptions& o)
{
    presetIndex(command, o);
}

int preset(const CliCommand& command, CliRun& run)
{
    runHandler(command, run, presetIndex(command, run.options));
    run.printReport();
    return CliStatus::kOk;
}

int forecast(const CliCommand& command, CliRun& run)
{
    if (!loadCriteriaOption(run))
        return CliStatus::kFailure;
    runHandler(command, run);
    run.printReport();
    return CliStatus::kOk;
}

} // namespace

CliStyleRun forecastStyle(Catalogue::CliStyle style)
{
    switch (style) {
    case Catalogue::CliStyle::Preset:
        return {checkPreset, nullptr, preset};
    case Catalogue::CliStyle::Forecast:
        return {nullptr, nullptr, forecast};
    default:
        return {};
    }
}
