// The commands that set the statistics against chance.
#include "chance/Backtest.h"
#include "cli/CliCommand.h"
#include "cli/CliForecast.h"
#include "cli/CliJobRunner.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <limits>

namespace {

int backtestSize(const CliOptions& o)
{
    if (!o.own.contains(QStringLiteral("size")))
        return BacktestSettings().size;
    const qint64 n = wholeOption(QStringLiteral("--size"), o.own.value(QStringLiteral("size")));
    if (n < Backtest::kMinSize || n > Backtest::kMaxSize)
        throw usageError(QStringLiteral("--size"), QStringLiteral("le nombre de numéros joués va de 2 à 10"));
    return static_cast<int>(n);
}

quint32 backtestSeed(const CliOptions& o)
{
    if (!o.own.contains(QStringLiteral("seed")))
        return BacktestSettings().seed;
    const qint64 n = wholeOption(QStringLiteral("--seed"), o.own.value(QStringLiteral("seed")));
    if (n < 0 || n > std::numeric_limits<quint32>::max())
        throw usageError(QStringLiteral("--seed"), QStringLiteral("la graine va de 0 à 4294967295"));
    return static_cast<quint32>(n);
}

void checkBacktest(const CliCommand&, const CliOptions& o)
{
    backtestSize(o);
    backtestSeed(o);
}

// The size and the seed come from the options instead of the window's question.
int backtest(const CliCommand&, CliRun& run)
{
    if (!loadCriteriaOption(run))
        return CliStatus::kFailure;
    if (!run.ws.units().chance.backtest(backtestSize(run.options), backtestSeed(run.options)))
        return CliStatus::kFailure;
    run.printReport();
    if (run.jobs.stopped()) {
        run.fail(QStringLiteral("interrompu : le test s'arrête aux tirages déjà joués"));
        return CliStatus::kFailure;
    }
    return CliStatus::kOk;
}

} // namespace

CliStyleRun chanceStyle(Catalogue::CliStyle style)
{
    if (style == Catalogue::CliStyle::Backtest)
        return {checkBacktest, backtest};
    return {};
}
