// SPDX-License-Identifier: GPL-3.0-or-later
// The report commands: each prints the lines the window's export step would write.
#include "cli/CliCommand.h"
#include "cli/CliUi.h"

namespace {

int report(const CliCommand& command, CliRun& run)
{
    if (!runHandler(command, run).isDone())
        return CliStatus::kFailure;
    run.printReport();
    return CliStatus::kOk;
}

// The arguments are the answers of the input boxes the command asks.
int answered(const CliCommand& command, CliRun& run)
{
    run.ui.answers = run.options.arguments;
    return report(command, run);
}

} // namespace

CliStyleRun reportStyle(Catalogue::CliStyle style)
{
    switch (style) {
    case Catalogue::CliStyle::Report:
        return {nullptr, nullptr, report};
    case Catalogue::CliStyle::Answered:
        return {nullptr, nullptr, answered};
    default:
        return {};
    }
}
