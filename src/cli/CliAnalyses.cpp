// SPDX-License-Identifier: GPL-3.0-or-later
// The number analyses: each prints the report area as the export step would write it, also for
// the commands the window does not export. The two walks show their progress on a terminal and
// stop on Ctrl+C with the records found so far.
#include "analyses/ColumnReport.h"
#include "analyses/CombinationWalk.h"
#include "cli/CliCommand.h"
#include "cli/CliUi.h"
#include "output/NumberFormat.h"

namespace {

int sizeArgument(const QString& subject, const QString& text)
{
    const qint64 r = NumberFormat::readTypedNumber(text);
    if (!CombinationWalk::isSize(r))
        throw usageError(subject, QStringLiteral("« %1 » : la taille des combinaisons va de 2 à 10").arg(text));
    return static_cast<int>(r);
}

void checkColumn(const CliCommand& command, const CliOptions& o)
{
    const int column = ColumnReport::readAnswer(o.arguments.value(0));
    if (!ColumnReport::isColumn(column) || column > o.game().drawn)
        throw usageError(command.name(),
                         QStringLiteral("« %1 » n'est pas une colonne de 1 à %2").arg(o.arguments.value(0)).arg(o.game().drawn));
}

// The arguments are the answers of the input boxes the command asks.
int answered(const CliCommand& command, CliRun& run)
{
    run.ui.answers = run.options.arguments;
    if (!runHandler(command, run).isDone())
        return CliStatus::kFailure;
    run.printReport();
    return CliStatus::kOk;
}

void checkWalk(const CliCommand& command, const CliOptions& o)
{
    sizeArgument(command.name(), o.arguments.value(0));
}

// The two walks: progress on a terminal, Ctrl+C stops them with the records found so far.
int walk(const CliCommand& command, CliRun& run)
{
    run.ui.answers = run.options.arguments;
    const CommandOutcome outcome = runHandler(command, run);
    if (!outcome.isDone())
        return CliStatus::kFailure;
    run.printReport();
    if (outcome.stopped) {
        run.fail(QStringLiteral("interrompu : les combinaisons trouvées jusque-là sont affichées"));
        return CliStatus::kFailure;
    }
    return CliStatus::kOk;
}

} // namespace

CliStyleRun analysisStyle(Catalogue::CliStyle style)
{
    switch (style) {
    case Catalogue::CliStyle::Column:
        return {checkColumn, nullptr, answered};
    case Catalogue::CliStyle::Walk:
        return {checkWalk, nullptr, walk};
    default:
        return {};
    }
}
