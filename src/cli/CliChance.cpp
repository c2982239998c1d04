// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that set the statistics against chance.
#include "chance/Backtest.h"
#include "cli/CliCommand.h"
#include "cli/CliForecast.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QCommandLineParser>
#include <limits>

namespace {

void readBacktestOptions(const QCommandLineParser& parser, CliOptions& o)
{
    if (parser.isSet(QStringLiteral("size"))) {
        const qint64 n = wholeOption(QStringLiteral("--size"), parser.value(QStringLiteral("size")));
        if (n < Backtest::kMinSize || n > Backtest::kMaxSize)
            throw usageError(QStringLiteral("--size"), QStringLiteral("le nombre de numéros joués va de 2 à 10"));
        o.size = static_cast<int>(n);
    }
    if (parser.isSet(QStringLiteral("seed"))) {
        const qint64 n = wholeOption(QStringLiteral("--seed"), parser.value(QStringLiteral("seed")));
        if (n < 0 || n > std::numeric_limits<quint32>::max())
            throw usageError(QStringLiteral("--seed"), QStringLiteral("la graine va de 0 à 4294967295"));
        o.seed = static_cast<quint32>(n);
    }
}

// The size and the seed come from the options instead of the window's question.
int backtest(const CliCommand&, CliRun& run)
{
    if (!loadCriteriaOption(run))
        return CliStatus::kFailure;
    const BacktestSettings defaults;
    const int size = run.options.size.value_or(defaults.size);
    const quint32 seed = run.options.seed.value_or(defaults.seed);
    CommandUnits& units = run.ws.units();
    const CommandOutcome outcome = units.jobs.track([&units, size, seed] { return units.chance.backtest(size, seed); });
    if (!outcome.isDone()) {
        tellOutcome(run.err, outcome, true);
        return CliStatus::kFailure;
    }
    run.printReport();
    if (outcome.stopped) {
        run.fail(QStringLiteral("interrompu : le test s'arrête aux tirages déjà joués"));
        return CliStatus::kFailure;
    }
    return CliStatus::kOk;
}

} // namespace

CliStyleRun chanceStyle(Catalogue::CliStyle style)
{
    if (style == Catalogue::CliStyle::Backtest)
        return {nullptr, readBacktestOptions, backtest};
    return {};
}
