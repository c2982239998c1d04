// The report commands: each prints the lines the window's export step would write.
#include "cli/CliCommand.h"
#include "shell/Workspace.h"

CliCommandList reportCommands()
{
    CliCommandList list;
    const auto add = [&list](const char* name, void (Workspace::*command)(), const char* description) {
        list.push_back(std::make_unique<ReportCommand>(QString::fromUtf8(name), command, QString::fromUtf8(description),
                                                       CliCommand::ReadsPeriod));
    };
    add("sorties", &Workspace::sorties, "classement par sorties");
    add("ecarts", &Workspace::ecarts, "classement par écarts");
    add("ecarts-max", &Workspace::ecartsMax, "classement par écarts maximum");
    add("numero", &Workspace::numero, "classement par numéros");
    return list;
}
