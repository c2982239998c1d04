// The commands that set the statistics against chance.
#include "chance/Backtest.h"
#include "cli/CliCommand.h"
#include "shell/Workspace.h"

#include <limits>

namespace {

CliCommand backtest()
{
    CliCommand c;
    c.name = QStringLiteral("backtest");
    c.usage = QStringLiteral("backtest                 teste la prévision tirage après tirage (--size K, --seed S)");
    c.check = [](const CliOptions& o) {
        if (o.size && (*o.size < Backtest::kMinSize || *o.size > Backtest::kMaxSize))
            throw usageError(QStringLiteral("--size"), QStringLiteral("le nombre de numéros joués va de 2 à 10"));
        if (o.seed && (*o.seed < 0 || *o.seed > std::numeric_limits<quint32>::max()))
            throw usageError(QStringLiteral("--seed"), QStringLiteral("la graine va de 0 à 4294967295"));
    };
    c.execute = [](CliRun& run) {
        const int size = run.options.size ? static_cast<int>(*run.options.size) : Backtest::kMaxSize;
        const quint32 seed = run.options.seed ? static_cast<quint32>(*run.options.seed) : Workspace::kDefaultBacktestSeed;
        if (!run.ws.backtest(size, seed))
            return CliStatus::kFailure;
        run.printReport();
        return CliStatus::kOk;
    };
    return c;
}

} // namespace

QList<CliCommand> chanceCommands()
{
    return {
        reportCommand(QStringLiteral("hasard"), &Workspace::hasard,
                      QStringLiteral("hasard                   les sorties et les écarts face au hasard")),
        reportCommand(QStringLiteral("cotes"), &Workspace::cotesKeno, QStringLiteral("cotes                    cotes du Keno")),
        reportCommand(QStringLiteral("partenaires-hasard"), &Workspace::partenairesHasard,
                      QStringLiteral("partenaires-hasard       partenaires des numéros (--numbers) face au hasard")),
        reportCommand(QStringLiteral("annonceur-hasard"), &Workspace::annonceurHasard,
                      QStringLiteral("annonceur-hasard         numéros annoncés (--numbers) face au hasard")),
        backtest(),
    };
}
