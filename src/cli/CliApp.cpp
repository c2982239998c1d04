#include "cli/CliApp.h"

#include "cli/CliCommand.h"
#include "cli/CliUi.h"
#include "history/CalendarFilter.h"
#include "history/HistoryFile.h"
#include "output/Plural.h"
#include "shell/AppPaths.h"
#include "shell/VersionText.h"
#include "shell/Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <functional>

namespace {

QString usageText()
{
    QString text = QStringLiteral(
        "usage : tiravol-cli [--data-dir DIR] [--history FICHIER] [-o FICHIER]\n"
        "                    [--months LISTE] [--weekdays LISTE] [--slots LISTE] [--from JJ/MM/AAAA] [--to JJ/MM/AAAA]\n"
        "                    [--until N] [--numbers LISTE] [--size K] [--seed S] COMMANDE [ARGUMENTS]\n"
        "commandes :\n");
    for (const CliCommand& c : cliCommands())
        text += QStringLiteral("  ") + c.usage + QLatin1Char('\n');
    text += QStringLiteral("autres usages : tiravol-cli --help | --version\n");
    return text;
}

// "--version" asked for: nothing else is read.
struct VersionRequest { };

qint64 wholeOption(const QString& option, const QString& v)
{
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (!ok)
        throw usageError(option, QStringLiteral("« %1 » n'est pas un nombre").arg(v));
    return n;
}

CliOptions parse(const QStringList& args)
{
    CliOptions o;
    const QMap<QString, std::function<void(const QString&)>> valued = {
        {QStringLiteral("--data-dir"), [&](const QString& v) { o.dataDir = v; }},
        {QStringLiteral("--history"), [&](const QString& v) { o.history = v; }},
        {QStringLiteral("--url"), [&](const QString& v) { o.url = v; }},
        {QStringLiteral("-o"), [&](const QString& v) { o.output = v; }},
        {QStringLiteral("--output"), [&](const QString& v) { o.output = v; }},
        {QStringLiteral("--until"),
         [&](const QString& v) {
             bool ok = false;
             o.until = v.toInt(&ok);
             if (!ok)
                 throw usageError(QStringLiteral("--until"), QStringLiteral("« %1 » n'est pas un nombre").arg(v));
         }},
        {QStringLiteral("--months"), [&](const QString& v) { o.months = v; }},
        {QStringLiteral("--weekdays"), [&](const QString& v) { o.weekdays = v; }},
        {QStringLiteral("--slots"), [&](const QString& v) { o.drawSlots = v; }},
        {QStringLiteral("--from"), [&](const QString& v) { o.from = v; }},
        {QStringLiteral("--to"), [&](const QString& v) { o.to = v; }},
        {QStringLiteral("--numbers"), [&](const QString& v) { o.numbers = v; }},
        {QStringLiteral("--criteria"), [&](const QString& v) { o.criteria = v; }},
        {QStringLiteral("--size"), [&](const QString& v) { o.size = wholeOption(QStringLiteral("--size"), v); }},
        {QStringLiteral("--seed"), [&](const QString& v) { o.seed = wholeOption(QStringLiteral("--seed"), v); }},
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        QString value;
        bool inlineValue = false;
        if (arg.startsWith(QLatin1String("--")) && arg.contains(QLatin1Char('='))) {
            value = arg.section(QLatin1Char('='), 1);
            arg = arg.section(QLatin1Char('='), 0, 0);
            inlineValue = true;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            throw UsageError{};
        if (arg == QLatin1String("--version"))
            throw VersionRequest{};
        if (arg == QLatin1String("--replace")) {
            o.replace = true;
            continue;
        }
        const auto handler = valued.constFind(arg);
        if (handler != valued.constEnd()) {
            if (!inlineValue) {
                if (i + 1 >= args.size())
                    throw usageError(arg, QStringLiteral("une valeur est attendue"));
                value = args[++i];
            }
            (*handler)(value);
        } else if (arg.startsWith(QLatin1String("--"))) {
            throw usageError(arg, QStringLiteral("option inconnue"));
        } else if (o.command.isEmpty()) {
            o.command = arg;
        } else {
            o.commandArgs << arg;
        }
    }
    if (o.command.isEmpty())
        throw UsageError{QStringLiteral("aucune commande")};
    const CliCommand* command = findCliCommand(o.command);
    if (!command)
        throw usageError(o.command, QStringLiteral("commande inconnue"));
    const qsizetype n = o.commandArgs.size();
    if (n < command->minArgs || n > command->maxArgs) {
        const QString expected = command->minArgs == command->maxArgs
            ? QString::number(command->minArgs)
            : QStringLiteral("%1 à %2").arg(command->minArgs).arg(command->maxArgs);
        throw usageError(
            o.command,
            QStringLiteral("%1 %2, %3 %4")
                .arg(expected,
                     Plural::agree(command->maxArgs, QStringLiteral("argument attendu"), QStringLiteral("arguments attendus")))
                .arg(n)
                .arg(Plural::agree(n, QStringLiteral("donné"), QStringLiteral("donnés"))));
    }
    if (!o.url.isEmpty() && o.command != QLatin1String("download"))
        throw usageError(QStringLiteral("--url"), QStringLiteral("ne sert qu'avec la commande download"));
    if ((o.size || o.seed) && o.command != QLatin1String("backtest"))
        throw usageError(o.size ? QStringLiteral("--size") : QStringLiteral("--seed"),
                         QStringLiteral("ne sert qu'avec la commande backtest"));
    // Those commands write files of their own and no report.
    if (!o.output.isEmpty() && command->withoutStartUp)
        throw usageError(QStringLiteral("-o"), QStringLiteral("la commande %1 n'écrit pas de rapport").arg(o.command));
    if (command->check)
        command->check(o);
    return o;
}

bool filterRequested(const CliOptions& o)
{
    return o.months || o.weekdays || o.drawSlots || o.from || o.to;
}

// The boxes as the options tick them; an option left out ticks every box of its kind.
std::function<void(CalendarFilter&)> filterFromOptions(const CliOptions& o, const QDate& today)
{
    CalendarFilter f;
    f.untickAll();
    const QList<int> months = o.months ? parseIntList(QStringLiteral("--months"), *o.months, 1, 12)
                                       : QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const QList<int> weekdays
        = o.weekdays ? parseIntList(QStringLiteral("--weekdays"), *o.weekdays, 1, 7) : QList<int>{1, 2, 3, 4, 5, 6, 7};
    for (int m : months)
        f.months[static_cast<size_t>(m)] = true;
    for (int w : weekdays)
        f.weekdays[static_cast<size_t>(w)] = true;
    if (o.drawSlots) {
        for (const QString& part : o.drawSlots->split(QLatin1Char(','))) {
            const QString s = part.trimmed().toLower();
            if (s == QLatin1String("midi"))
                f.times[1] = true;
            else if (s == QLatin1String("soir"))
                f.times[2] = true;
            else
                throw usageError(QStringLiteral("--slots"), QStringLiteral("« %1 » n'est ni midi ni soir").arg(part.trimmed()));
        }
    } else {
        f.times[1] = f.times[2] = true;
    }
    f.from = o.from ? parseDate(QStringLiteral("--from"), *o.from) : CalendarFilter::earliestDate();
    f.to = o.to ? parseDate(QStringLiteral("--to"), *o.to) : today;
    return [f](CalendarFilter& target) { target = f; };
}

// A missing history file is an error for the report commands, never a silent empty report.
bool historyReadable(const QString& path, QTextStream& err)
{
    // Opening is enough to know; the whole file is read once, by the start-up.
    if (QFile file(path); file.open(QIODevice::ReadOnly))
        return true;
    err << "tiravol-cli : " << HistoryFile::read(path).error << '\n' << Qt::flush;
    return false;
}

} // namespace

int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    CliOptions o;
    try {
        o = parse(arguments);
    } catch (const UsageError& e) {
        if (!e.text.isEmpty())
            err << "tiravol-cli : " << e.text << '\n';
        err << usageText() << Qt::flush;
        return e.text.isEmpty() ? CliStatus::kOk : CliStatus::kUsage;
    } catch (const VersionRequest&) {
        out << "tiravol-cli " << VersionText::release() << '\n' << Qt::flush;
        return CliStatus::kOk;
    }
    const CliCommand& command = *findCliCommand(o.command);

    CliUi ui(err);
    WorkspaceConfig config;
    config.dataFolder = o.dataDir.isEmpty() ? AppPaths::documentsFolder() : QDir(o.dataDir).absolutePath();
    config.appDataFolder = AppPaths::appDataFolder();
    config.workingHistoryPath = o.history.isEmpty() ? QString() : QFileInfo(o.history).absoluteFilePath();
    config.programName = QStringLiteral("tiravol-cli");
    config.readOnlySettings = true;
    config.archiveUrlOverride = o.url;
    // An imported archive stands for the downloaded one: its path is the address fetched.
    if (o.command == QLatin1String("import"))
        config.archiveUrlOverride = QFileInfo(o.commandArgs.first()).absoluteFilePath();
    config.quietWhenNoWorkingHistory = command.acquiring;
    config.listStaysInWindow = false;

    Workspace ws(config, &ui);
    if (!command.acquiring) {
        if (!historyReadable(ws.workingHistoryPath(), err))
            return CliStatus::kFailure;
        // The calendar filter reads the base history; without it the report would be of nothing.
        if (filterRequested(o)
            && !historyReadable(HistoryFile::locate(config.dataFolder, QString::fromLatin1(HistoryFile::kBaseName)), err))
            return CliStatus::kFailure;
    }
    if (!config.dataFolder.isEmpty() && !QFileInfo(config.dataFolder).isDir() && o.history.isEmpty()) {
        err << "tiravol-cli : le dossier des données « " << QDir::toNativeSeparators(config.dataFolder) << " » n'existe pas\n"
            << Qt::flush;
        return CliStatus::kFailure;
    }

    // Refused before anything runs: a command that writes must not do half its work.
    if (!o.output.isEmpty()) {
        if (const auto refusal = ws.exportRefusal(o.output)) {
            err << "tiravol-cli : -o : " << *refusal << '\n' << Qt::flush;
            return CliStatus::kFailure;
        }
    }
    // The lock is held from before the history is read, so no other writer slips in between.
    if ((command.acquiring || command.writesHistory) && !ws.lockForWriting()) {
        err << "tiravol-cli : " << ws.writeLockRefusal() << '\n' << Qt::flush;
        return CliStatus::kFailure;
    }

    QList<int> numbers;
    std::function<void(CalendarFilter&)> filter;
    try {
        if (o.numbers)
            numbers = parseIntList(QStringLiteral("--numbers"), *o.numbers, 1, 70);
        if (filterRequested(o))
            filter = filterFromOptions(o, ui.today());
    } catch (const UsageError& e) {
        err << "tiravol-cli : " << e.text << '\n' << Qt::flush;
        return CliStatus::kUsage;
    }

    // No network for the report commands: a calendar filter then works on the base history.
    if (!command.withoutStartUp)
        ws.startUp();
    if (filter) {
        ui.applyFilter = filter;
        ws.periodeEtude();
    }
    if (o.until) {
        const int count = ws.liste().itemCount();
        if (*o.until < 0 || *o.until >= count) {
            err << "tiravol-cli : --until : " << *o.until << " est hors de la liste (0 à " << count - 1 << ")\n" << Qt::flush;
            return CliStatus::kUsage;
        }
        ws.clickListe(*o.until);
    }
    for (int n : numbers)
        ws.setCheck(n, true);

    CliRun run{ws, ui, o, out, err};
    try {
        const int status = command.execute(run);
        return run.outputFailed && status == CliStatus::kOk ? CliStatus::kFailure : status;
    } catch (const UsageError& e) {
        run.fail(e.text);
        return CliStatus::kUsage;
    }
}
