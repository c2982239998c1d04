// Performance, the grid presets and the forecast selection on the command line.
#include "cli/CliForecast.h"

#include "cli/CliCommand.h"
#include "shell/Workspace.h"

#include <QDir>
#include <QFileInfo>

bool loadCriteriaOption(CliRun& run)
{
    const auto given = run.options.own.constFind(QStringLiteral("criteria"));
    if (given == run.options.own.constEnd())
        return true;
    const QString path = *given;
    if (!QFileInfo(path).isFile()) {
        run.fail(QStringLiteral("--criteria : le fichier « %1 » n'existe pas").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    const QString problem = run.ws.loadCriteria(path);
    if (!problem.isEmpty())
        run.fail(problem);
    return true;
}

namespace {

// "colonnes I" and "finales D": a preset ticks its numbers, then runs "Performance".
class PresetCommand : public CliCommand {
public:
    PresetCommand(const QString& name, const QString& description, CliCommand::Argument argument, int low, int high,
                  void (*run)(Workspace&, int))
        : CliCommand(name, description, ReadsPeriod), m_low(low), m_high(high), m_run(run)
    {
        setArguments({std::move(argument)});
    }

    void check(const CliOptions& o) const override
    {
        CliCommand::check(o);
        index(o);
    }

    int execute(CliRun& run) const override
    {
        m_run(run.ws, index(run.options));
        run.printReport();
        return CliStatus::kOk;
    }

private:
    int index(const CliOptions& o) const
    {
        bool ok = false;
        const QString text = o.arguments.value(0);
        const int v = text.toInt(&ok);
        if (!ok || v < m_low || v > m_high)
            throw usageError(name(), QStringLiteral("« %1 » n'est pas un nombre de %2 à %3").arg(text).arg(m_low).arg(m_high));
        return v;
    }

    int m_low, m_high;
    void (*m_run)(Workspace&, int);
};

class PrevisionCommand : public CliCommand {
public:
    PrevisionCommand()
        : CliCommand(QStringLiteral("prevision"), QStringLiteral("sélection des numéros selon les critères"),
                     ReadsPeriod | ReadsCriteria)
    {
    }

    int execute(CliRun& run) const override
    {
        if (!loadCriteriaOption(run))
            return CliStatus::kFailure;
        run.ws.selectionNumeros();
        run.printReport();
        return CliStatus::kOk;
    }
};

} // namespace

CliCommandList forecastCommands()
{
    CliCommandList list;
    list.push_back(std::make_unique<ReportCommand>(QStringLiteral("performance"), &Workspace::performance,
                                                   QStringLiteral("gains des numéros cochés sur la période"),
                                                   CliCommand::ReadsPeriod | CliCommand::ReadsNumbers));
    list.push_back(std::make_unique<PresetCommand>(
        QStringLiteral("colonnes"), QStringLiteral("performance de la rangée I (1 = 1-10 ... 7 = 61-70)"),
        CliCommand::Argument{QStringLiteral("I"), QStringLiteral("la rangée, de 1 à 7")}, 1, 7,
        [](Workspace& ws, int i) { ws.colonnes(i - 1); }));
    list.push_back(std::make_unique<PresetCommand>(
        QStringLiteral("finales"), QStringLiteral("performance des sept numéros finissant par D (0..9)"),
        CliCommand::Argument{QStringLiteral("D"), QStringLiteral("le dernier chiffre, de 0 à 9")}, 0, 9,
        [](Workspace& ws, int d) { ws.finales(d == 0 ? 10 : d); }));
    list.push_back(std::make_unique<PrevisionCommand>());
    return list;
}
