// The commands that set the statistics against chance.
#include "chance/Backtest.h"
#include "cli/CliCommand.h"
#include "cli/CliForecast.h"
#include "cli/CliJobRunner.h"
#include "shell/Workspace.h"

#include <limits>

namespace {

class BacktestCommand : public CliCommand {
public:
    BacktestCommand()
        : CliCommand(QStringLiteral("backtest"), QStringLiteral("teste la prévision tirage après tirage"),
                     ReadsPeriod | ReadsCriteria)
    {
        addOption(QStringLiteral("size"), QStringLiteral("K"),
                  QStringLiteral("nombre de numéros joués, de 2 à 10 (10 par défaut)"));
        addOption(QStringLiteral("seed"), QStringLiteral("S"),
                  QStringLiteral("graine des grilles tirées au hasard, de 0 à 4294967295 (1 par défaut)"));
    }

    void check(const CliOptions& o) const override
    {
        CliCommand::check(o);
        size(o);
        seed(o);
    }

    int execute(CliRun& run) const override
    {
        if (!loadCriteriaOption(run))
            return CliStatus::kFailure;
        if (!run.ws.backtest(size(run.options), seed(run.options)))
            return CliStatus::kFailure;
        run.printReport();
        if (run.jobs.stopped()) {
            run.fail(QStringLiteral("interrompu : le test s'arrête aux tirages déjà joués"));
            return CliStatus::kFailure;
        }
        return CliStatus::kOk;
    }

private:
    static int size(const CliOptions& o)
    {
        if (!o.own.contains(QStringLiteral("size")))
            return BacktestSettings().size;
        const qint64 n = wholeOption(QStringLiteral("--size"), o.own.value(QStringLiteral("size")));
        if (n < Backtest::kMinSize || n > Backtest::kMaxSize)
            throw usageError(QStringLiteral("--size"), QStringLiteral("le nombre de numéros joués va de 2 à 10"));
        return static_cast<int>(n);
    }

    static quint32 seed(const CliOptions& o)
    {
        if (!o.own.contains(QStringLiteral("seed")))
            return BacktestSettings().seed;
        const qint64 n = wholeOption(QStringLiteral("--seed"), o.own.value(QStringLiteral("seed")));
        if (n < 0 || n > std::numeric_limits<quint32>::max())
            throw usageError(QStringLiteral("--seed"), QStringLiteral("la graine va de 0 à 4294967295"));
        return static_cast<quint32>(n);
    }
};

// The pay table's odds hold for every player: no history is read.
class OddsCommand : public ReportCommand {
public:
    OddsCommand() : ReportCommand(QStringLiteral("cotes"), &Workspace::cotesKeno, QStringLiteral("cotes du Keno"), 0)
    {
        setWithoutHistory();
    }
};

} // namespace

CliCommandList chanceCommands()
{
    CliCommandList list;
    const auto add = [&list](const char* name, void (Workspace::*command)(), const char* description, unsigned reads) {
        list.push_back(std::make_unique<ReportCommand>(QString::fromUtf8(name), command, QString::fromUtf8(description), reads));
    };
    add("hasard", &Workspace::hasard, "les sorties et les écarts face au hasard", CliCommand::ReadsPeriod);
    list.push_back(std::make_unique<OddsCommand>());
    add("partenaires-hasard", &Workspace::partenairesHasard, "partenaires des numéros cochés face au hasard",
        CliCommand::ReadsPeriod | CliCommand::ReadsNumbers);
    add("annonceur-hasard", &Workspace::annonceurHasard, "numéros annoncés par les numéros cochés face au hasard",
        CliCommand::ReadsPeriod | CliCommand::ReadsNumbers);
    list.push_back(std::make_unique<BacktestCommand>());
    return list;
}
