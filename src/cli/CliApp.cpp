#include "cli/CliApp.h"

#include "acquire/ArchiveSource.h"
#include "acquire/LocalArchiveSource.h"
#include "acquire/NetworkArchiveSource.h"
#include "history/CalendarFilter.h"
#include "history/HistoryFile.h"
#include "shell/AppPaths.h"
#include "shell/UserInterface.h"
#include "shell/Workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <functional>
#include <memory>
#include <optional>

namespace {

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

const char* const kUsageText
    = "usage: tiravol-cli [--data-dir DIR] [--history FILE]\n"
      "                   [--months LIST] [--weekdays LIST] [--slots LIST] [--from JJ/MM/AAAA] [--to JJ/MM/AAAA]\n"
      "                   [--until N] [--numbers LIST] COMMAND [ARG]\n"
      "commands:\n"
      "  sorties | ecarts | ecarts-max | numero   print the ranking\n"
      "  add N1,N2,...,N20                        add the next draw to the working history\n"
      "  import ARCHIVE                           import a results archive (.zip or .csv)\n"
      "  download [--url URL]                     download and import the results archive\n";

struct UsageError {
    QString text;
};

// Messages go to standard error; the companion never waits for an answer.
class CliUi : public UserInterface {
public:
    explicit CliUi(QTextStream& err) : m_err(err) { }
    std::function<void(CalendarFilter&)> applyFilter;

    void message(const QString& text, const QString&) override { m_err << text << '\n' << Qt::flush; }
    // Nothing is ever given up without being asked for on the command line.
    bool confirm(const QString& text, const QString&) override
    {
        m_err << text << '\n' << Qt::flush;
        return false;
    }
    std::optional<QString> askText(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString askSaveFileName(const QString&, const QString&) override { return {}; }
    bool editCalendarFilter(CalendarFilter& filter) override
    {
        if (applyFilter)
            applyFilter(filter);
        return true;
    }

private:
    QTextStream& m_err;
};

QList<int> parseIntList(const QString& option, const QString& text, int low, int high)
{
    QList<int> values;
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int v = part.trimmed().toInt(&ok);
        if (!ok || v < low || v > high)
            throw UsageError{
                QStringLiteral("%1: « %2 » n'est pas un nombre de %3 à %4").arg(option, part.trimmed()).arg(low).arg(high)};
        values << v;
    }
    return values;
}

QDate parseDate(const QString& option, const QString& text)
{
    const QDate d = QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid())
        throw UsageError{QStringLiteral("%1: « %2 » n'est pas une date JJ/MM/AAAA").arg(option, text)};
    return d;
}

struct Options {
    QString dataDir, history, url;
    std::optional<int> until;
    std::optional<QString> months, weekdays, drawSlots, from, to, numbers;
    QString command;
    QStringList commandArgs;
};

Options parse(const QStringList& args)
{
    Options o;
    const QMap<QString, std::function<void(const QString&)>> valued = {
        {QStringLiteral("--data-dir"), [&](const QString& v) { o.dataDir = v; }},
        {QStringLiteral("--history"), [&](const QString& v) { o.history = v; }},
        {QStringLiteral("--url"), [&](const QString& v) { o.url = v; }},
        {QStringLiteral("--until"),
         [&](const QString& v) {
             bool ok = false;
             o.until = v.toInt(&ok);
             if (!ok)
                 throw UsageError{QStringLiteral("--until: « %1 » n'est pas un nombre").arg(v)};
         }},
        {QStringLiteral("--months"), [&](const QString& v) { o.months = v; }},
        {QStringLiteral("--weekdays"), [&](const QString& v) { o.weekdays = v; }},
        {QStringLiteral("--slots"), [&](const QString& v) { o.drawSlots = v; }},
        {QStringLiteral("--from"), [&](const QString& v) { o.from = v; }},
        {QStringLiteral("--to"), [&](const QString& v) { o.to = v; }},
        {QStringLiteral("--numbers"), [&](const QString& v) { o.numbers = v; }},
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
        const auto handler = valued.constFind(arg);
        if (handler != valued.constEnd()) {
            if (!inlineValue) {
                if (i + 1 >= args.size())
                    throw UsageError{QStringLiteral("l'option %1 attend une valeur").arg(arg)};
                value = args[++i];
            }
            (*handler)(value);
        } else if (arg.startsWith(QLatin1String("--"))) {
            throw UsageError{QStringLiteral("option inconnue : %1").arg(arg)};
        } else if (o.command.isEmpty()) {
            o.command = arg;
        } else {
            o.commandArgs << arg;
        }
    }
    static const QMap<QString, int> arity = {
        {QStringLiteral("sorties"), 0},  {QStringLiteral("ecarts"), 0}, {QStringLiteral("ecarts-max"), 0},
        {QStringLiteral("numero"), 0},   {QStringLiteral("add"), 1},    {QStringLiteral("import"), 1},
        {QStringLiteral("download"), 0},
    };
    if (o.command.isEmpty())
        throw UsageError{QStringLiteral("aucune commande")};
    if (!arity.contains(o.command))
        throw UsageError{QStringLiteral("commande inconnue : %1").arg(o.command)};
    if (o.commandArgs.size() != arity.value(o.command))
        throw UsageError{QStringLiteral("la commande %1 attend %2 argument(s)").arg(o.command).arg(arity.value(o.command))};
    if (!o.url.isEmpty() && o.command != QLatin1String("download"))
        throw UsageError{QStringLiteral("--url ne sert qu'avec la commande download")};
    return o;
}

bool filterRequested(const Options& o)
{
    return o.months || o.weekdays || o.drawSlots || o.from || o.to;
}

// The boxes as the options tick them; an option left out ticks every box of its kind.
std::function<void(CalendarFilter&)> filterFromOptions(const Options& o, const QDate& today)
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
                throw UsageError{QStringLiteral("--slots: « %1 » n'est ni midi ni soir").arg(part.trimmed())};
        }
    } else {
        f.times[1] = f.times[2] = true;
    }
    f.from = o.from ? parseDate(QStringLiteral("--from"), *o.from) : CalendarFilter::earliestDate();
    f.to = o.to ? parseDate(QStringLiteral("--to"), *o.to) : today;
    return [f](CalendarFilter& target) { target = f; };
}

void printReport(const Workspace& ws, QTextStream& out)
{
    for (const QString& line : ws.report().exportLines())
        out << line << '\n';
    out.flush();
}

} // namespace

int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    Options o;
    try {
        o = parse(arguments);
    } catch (const UsageError& e) {
        if (!e.text.isEmpty())
            err << "tiravol-cli: " << e.text << '\n';
        err << kUsageText << Qt::flush;
        return e.text.isEmpty() ? kOk : kUsage;
    }

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

    const bool acquiring = o.command == QLatin1String("import") || o.command == QLatin1String("download");
    config.quietWhenNoWorkingHistory = acquiring;
    Workspace ws(config, &ui);
    const QString working = ws.workingHistoryPath();
    if (!acquiring) {
        const HistoryFile::ReadResult probe = HistoryFile::read(working);
        if (!probe.found) {
            err << "tiravol-cli: " << probe.error << '\n' << Qt::flush;
            return kFailure;
        }
        // The calendar filter reads the base history; without it the report would be of nothing.
        if (filterRequested(o)) {
            const HistoryFile::ReadResult base
                = HistoryFile::read(HistoryFile::locate(config.dataFolder, QString::fromLatin1(HistoryFile::kBaseName)));
            if (!base.found) {
                err << "tiravol-cli: " << base.error << '\n' << Qt::flush;
                return kFailure;
            }
        }
    }
    if (!config.dataFolder.isEmpty() && !QFileInfo(config.dataFolder).isDir() && o.history.isEmpty()) {
        err << "tiravol-cli: le dossier des données « " << QDir::toNativeSeparators(config.dataFolder) << " » n'existe pas\n"
            << Qt::flush;
        return kFailure;
    }

    QList<int> numbers, drawNumbers;
    std::function<void(CalendarFilter&)> filter;
    try {
        if (o.numbers)
            numbers = parseIntList(QStringLiteral("--numbers"), *o.numbers, 1, 70);
        if (filterRequested(o))
            filter = filterFromOptions(o, ui.today());
        if (o.command == QLatin1String("add")) {
            drawNumbers = parseIntList(QStringLiteral("add"), o.commandArgs.first(), 1, 70);
            if (drawNumbers.size() != 20)
                throw UsageError{QStringLiteral("add attend exactement 20 numéros, %1 donnés").arg(drawNumbers.size())};
            for (int i = 0; i < drawNumbers.size(); ++i)
                if (drawNumbers.indexOf(drawNumbers[i]) != i)
                    throw UsageError{QStringLiteral("add : le numéro %1 est répété").arg(drawNumbers[i])};
        }
    } catch (const UsageError& e) {
        err << "tiravol-cli: " << e.text << '\n' << Qt::flush;
        return kUsage;
    }

    // No network for the report commands: a calendar filter then works on the base history.
    ws.startUp();

    if (filter) {
        ui.applyFilter = filter;
        ws.periodeEtude();
    }
    if (o.until) {
        const int count = static_cast<int>(ws.liste().size());
        if (*o.until < 0 || *o.until >= count) {
            err << "tiravol-cli: --until " << *o.until << " hors de la liste (0 à " << count - 1 << ")\n" << Qt::flush;
            return kUsage;
        }
        ws.clickListe(*o.until);
    }
    for (int n : numbers)
        ws.setCheck(n, true);

    const QString& c = o.command;
    if (c == QLatin1String("sorties")) {
        ws.sorties();
    } else if (c == QLatin1String("ecarts")) {
        ws.ecarts();
    } else if (c == QLatin1String("ecarts-max")) {
        ws.ecartsMax();
    } else if (c == QLatin1String("numero")) {
        ws.numero();
    } else if (c == QLatin1String("add")) {
        const int before = ws.drawCount();
        ws.clickListe(static_cast<int>(ws.liste().size()) - 1);
        for (int n = 1; n <= 70; ++n)
            ws.setCheck(n, drawNumbers.contains(n));
        ws.validateEntry();
        if (ws.drawCount() != before + 1 || !ws.lastSaveSucceeded())
            return kFailure;
    } else {
        std::unique_ptr<ArchiveSource> source;
        if (c == QLatin1String("import")) {
            const QString archive = QFileInfo(o.commandArgs.first()).absoluteFilePath();
            if (!QFileInfo(archive).isFile()) {
                err << "tiravol-cli: l'archive « " << QDir::toNativeSeparators(archive) << " » est introuvable\n" << Qt::flush;
                return kFailure;
            }
            source = std::make_unique<LocalArchiveSource>();
        } else {
            source = std::make_unique<NetworkArchiveSource>();
        }
        ws.setArchiveSource(source.get());
        ws.telechargement();
        ws.setArchiveSource(nullptr);
        const Workspace::ImportOutcome& outcome = ws.lastImport();
        if (!outcome.fetched || !outcome.csvRead) {
            err << "tiravol-cli: " << (c == QLatin1String("import") ? "l'import" : "le téléchargement") << " a échoué"
                << (outcome.error.isEmpty() ? QString() : QStringLiteral(" : ") + outcome.error) << '\n'
                << Qt::flush;
            printReport(ws, out);
            return kFailure;
        }
    }
    printReport(ws, out);
    return kOk;
}
