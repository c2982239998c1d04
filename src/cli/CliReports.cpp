// The report commands: each prints the lines the window's export step would write.
#include "cli/CliCommand.h"
#include "shell/Workspace.h"

QList<CliCommand> reportCommands()
{
    return {
        reportCommand(QStringLiteral("sorties"), &Workspace::sorties,
                      QStringLiteral("sorties                  classement par sorties")),
        reportCommand(QStringLiteral("ecarts"), &Workspace::ecarts,
                      QStringLiteral("ecarts                   classement par écarts")),
        reportCommand(QStringLiteral("ecarts-max"), &Workspace::ecartsMax,
                      QStringLiteral("ecarts-max               classement par écarts maximum")),
        reportCommand(QStringLiteral("numero"), &Workspace::numero,
                      QStringLiteral("numero                   classement par numéros")),
    };
}
