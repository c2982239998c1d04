// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliApp.h"

#include "cli/CliCommand.h"
#include "cli/CliJobRunner.h"
#include "cli/CliParser.h"
#include "cli/CliUi.h"
#include "history/CalendarFilter.h"
#include "history/HistoryFile.h"
#include "shell/AppPaths.h"
#include "shell/CommandUnits.h"
#include "shell/VersionText.h"
#include "shell/Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

namespace {

// The boxes as the options tick them; an option left out ticks every box of its kind.
std::function<void(CalendarFilter&)> filterFromOptions(const CliOptions& o, const QDate& today)
{
    CalendarFilter f = CalendarFilter::of(o.formula);
    f.untickAll();
    const QList<int> months = o.months.value_or(QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const QList<int> weekdays = o.weekdays.value_or(QList<int>{1, 2, 3, 4, 5, 6, 7});
    for (int m : months)
        f.months[static_cast<size_t>(m)] = true;
    for (int w : weekdays)
        f.weekdays[static_cast<size_t>(w)] = true;
    const std::array<bool, 3> every{false, true, f.slotCount() > 1};
    const std::array<bool, 3> times = o.drawSlots.value_or(every);
    f.times[1] = times[1];
    f.times[2] = times[2];
    f.from = o.from.value_or(CalendarFilter::earliestDate(o.formula));
    f.to = o.to.value_or(today);
    return [f](CalendarFilter& target) { target = f; };
}

// What a player without a history can do about it.
QString waysOut()
{
    return QStringLiteral("Indiquez le dossier des historiques avec --data-dir, ou créez l'historique avec "
                          "« tiravol-cli build-base ARCHIVE... » ou « tiravol-cli download ».");
}

// A missing history file is an error for the report commands, never a silent empty report.
bool historyReadable(const QString& path, QTextStream& err)
{
    // Opening is enough to know; the whole file is read once, by the start-up.
    if (QFile file(path); file.open(QIODevice::ReadOnly))
        return true;
    err << "tiravol-cli : " << HistoryFile::read(path).error << '\n';
    if (!QFileInfo::exists(path))
        err << waysOut() << '\n';
    err << Qt::flush;
    return false;
}

// The commands that bring draws in never make the data folder: a mistyped --data-dir would
// otherwise start a history of its own.
bool dataFolderFound(const WorkspaceConfig& config, const CliCommand& command, QTextStream& err)
{
    if (QFileInfo(config.dataFolder).isDir())
        return true;
    err << "tiravol-cli : le dossier des données « " << QDir::toNativeSeparators(config.dataFolder) << " » n'existe pas\n"
        << (command.acquiring() ? QStringLiteral("Indiquez le dossier des historiques avec --data-dir.") : waysOut()) << '\n'
        << Qt::flush;
    return false;
}

// The history the command reads is there (the calendar filter also reads the base one).
bool historiesReadable(const WorkspaceConfig& config, const Workspace& ws, const CliOptions& o, QTextStream& err)
{
    if (!historyReadable(ws.workingHistoryPath(), err))
        return false;
    return !o.filterRequested() || historyReadable(config.baseHistoryFile(), err);
}

// Why the report cannot go where -o says, before anything runs: a command that writes must not
// do half its work. Neither a missing folder is made nor a device or a pipe replaced.
std::optional<QString> outputRefusal(const QString& path, const Workspace& ws)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return QStringLiteral("« %1 » n'est pas un fichier ordinaire : rien n'y est écrit (« -o - » écrit sur la sortie "
                              "standard)")
            .arg(QDir::toNativeSeparators(path));
    if (!target.absoluteDir().exists())
        return QStringLiteral("le dossier « %1 » n'existe pas : rien n'est écrit")
            .arg(QDir::toNativeSeparators(target.absolutePath()));
    return ws.units().output.exportRefusal(path);
}

// The folders and files the options name, and how the Workspace behaves without a window.
WorkspaceConfig configFor(const CliCommand& command, const CliOptions& o)
{
    WorkspaceConfig config;
    config.dataFolder = o.dataDir.isEmpty() ? AppPaths::documentsFolder() : QDir(o.dataDir).absolutePath();
    config.appDataFolder = AppPaths::appDataFolder();
    config.workingHistoryPath = o.history.isEmpty() ? QString() : QFileInfo(o.history).absoluteFilePath();
    config.formula = o.formula;
    config.programName = QStringLiteral("tiravol-cli");
    config.readOnlySettings = true;
    config.archiveUrlOverride = o.url;
    // An imported archive stands for the downloaded one: its path is the address fetched.
    if (command.entry().archiveArgument)
        config.archiveUrlOverride = QFileInfo(o.arguments.constFirst()).absoluteFilePath();
    config.quietWhenNoWorkingHistory = command.acquiring();
    config.listStaysInWindow = false;
    return config;
}

// The state the options set before the command runs: the calendar filter, a click on a line of
// the draw list, the ticked grid. A status when --until is off the list.
std::optional<int> applyOptions(Workspace& ws, CliUi& ui, const CliOptions& o, QTextStream& err)
{
    if (o.filterRequested()) {
        ui.applyFilter = filterFromOptions(o, ui.today());
        CommandUnits& units = ws.units();
        tellOutcome(err, units.jobs.await([&units](OutcomeThen then) { units.filter.periodeEtude(std::move(then)); }), false);
    }
    if (o.until) {
        const int count = ws.liste().itemCount();
        if (*o.until < 0 || *o.until >= count) {
            err << "tiravol-cli : --until : " << *o.until << " est hors de la liste (0 à " << count - 1 << ")\n"
                << tryHelpLine() << '\n'
                << Qt::flush;
            return CliStatus::kUsage;
        }
        ws.units().list.clickListe(*o.until);
    }
    for (int n : o.numbers)
        ws.units().grid.setCheck(n, true);
    ws.setStake(o.stake, false);

    return std::nullopt;
}

} // namespace

std::optional<int> answerWithoutRunning(const CliParse& parsed, QTextStream& out, QTextStream& err)
{
    switch (parsed.kind) {
    case CliParse::Kind::Version:
        out << "tiravol-cli " << VersionText::release() << '\n' << Qt::flush;
        return CliStatus::kOk;
    case CliParse::Kind::Help:
        out << parsed.text << Qt::flush;
        return CliStatus::kOk;
    case CliParse::Kind::Error:
        err << "tiravol-cli : " << parsed.text << '\n' << tryHelpLine() << '\n' << Qt::flush;
        return CliStatus::kUsage;
    case CliParse::Kind::Run:
        break;
    }
    return std::nullopt;
}

int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const CliParse parsed = parseCommandLine(arguments);
    if (const std::optional<int> status = answerWithoutRunning(parsed, out, err))
        return *status;
    const CliCommand& command = *parsed.command;
    const CliOptions& o = parsed.options;

    CliUi ui(err);
    const WorkspaceConfig config = configFor(command, o);

    CliJobRunner jobs(err); // before the Workspace, which refers to it
    Workspace ws(config, &ui);
    ws.units().jobs.setRunner(&jobs);
    // The option's odds read the multipliers of the history.
    const bool historyless = command.withoutHistory() && !o.stake.multiplier;
    if (!historyless) {
        if (o.history.isEmpty() && !dataFolderFound(config, command, err))
            return CliStatus::kFailure;
        if (!command.acquiring() && !historiesReadable(config, ws, o, err))
            return CliStatus::kFailure;
    }
    if (!o.output.isEmpty()) {
        if (const auto refusal = outputRefusal(o.output, ws)) {
            err << "tiravol-cli : -o : " << *refusal << '\n' << Qt::flush;
            return CliStatus::kFailure;
        }
    }
    // The lock is held from before the history is read, so no other writer slips in between.
    if (command.writesHistory() && !ws.units().lock.acquire()) {
        err << "tiravol-cli : " << ws.units().lock.refusal() << '\n' << Qt::flush;
        return CliStatus::kFailure;
    }

    // No network for the report commands: a calendar filter then works on the base history.
    if (!command.withoutStartUp() && !historyless) {
        const CommandOutcome started = ws.startUp();
        tellOutcome(err, started, false);
        // A report or a save on part of the history would mislead.
        if (!started.isDone())
            return CliStatus::kFailure;
    }
    if (const std::optional<int> status = applyOptions(ws, ui, o, err))
        return *status;

    CliRun run{ws, ui, o, out, err};
    try {
        const int status = command.execute(run);
        return run.outputFailed && status == CliStatus::kOk ? CliStatus::kFailure : status;
    } catch (const UsageError& e) { // checked before the start, read again by the command
        run.usageFailure(e.text);
        return CliStatus::kUsage;
    }
}
