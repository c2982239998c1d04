// The report commands: each prints the lines the window's export step would write.
#include "cli/CliCommand.h"
#include "shell/Workspace.h"

namespace {

CliCommand ranking(const QString& name, void (Workspace::*command)(), const QString& usage)
{
    CliCommand c;
    c.name = name;
    c.usage = usage;
    c.execute = [command](CliRun& run) {
        (run.ws.*command)();
        run.printReport();
        return CliStatus::kOk;
    };
    return c;
}

} // namespace

QList<CliCommand> reportCommands()
{
    return {
        ranking(QStringLiteral("sorties"), &Workspace::sorties,
                QStringLiteral("sorties                  classement par sorties")),
        ranking(QStringLiteral("ecarts"), &Workspace::ecarts, QStringLiteral("ecarts                   classement par écarts")),
        ranking(QStringLiteral("ecarts-max"), &Workspace::ecartsMax,
                QStringLiteral("ecarts-max               classement par écarts maximum")),
        ranking(QStringLiteral("numero"), &Workspace::numero, QStringLiteral("numero                   classement par numéros")),
    };
}
