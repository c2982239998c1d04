// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliParser.h"

#include "shell/CommandLineText.h"

#include <QCommandLineParser>
#include <QFile>
#include <algorithm>

namespace {

// An option several commands may read; `reads` 0: every command reads it.
struct SharedOption {
    QCommandLineOption option;
    unsigned reads;
};

// "20-70 ou 16-56".
QString gameKeys()
{
    QStringList keys;
    for (FormulaId id : Formula::all())
        keys << Formula::get(id).key;
    return keys.join(QStringLiteral(" ou "));
}

QString gameDescription()
{
    return QStringLiteral("jeu étudié : %1 (%2, par défaut) ou %3 (%4) ; avec --history, celui de ses tirages")
        .arg(Formula::classic().key, Formula::classic().name, Formula::current().key, Formula::current().name);
}

QString numbersDescription()
{
    return QStringLiteral("numéros cochés dans la grille, de 1 à %1 (de 1 à %2 avec --jeu %3)")
        .arg(Formula::classic().numbers)
        .arg(Formula::current().numbers)
        .arg(Formula::current().key);
}

const QList<SharedOption>& sharedOptions()
{
    static const QList<SharedOption> options = {
        {QCommandLineOption(QStringLiteral("data-dir"),
                            QStringLiteral("dossier des historiques, au lieu du dossier des documents"),
                            QStringLiteral("DOSSIER")),
         0},
        {QCommandLineOption(QStringLiteral("jeu"), gameDescription(), QStringLiteral("JEU")), 0},
        {QCommandLineOption(QStringLiteral("history"),
                            QStringLiteral("historique de travail à lire, au lieu de Tirages_keno.txt du dossier des données"),
                            QStringLiteral("FICHIER")),
         0},
        {QCommandLineOption({QStringLiteral("o"), QStringLiteral("output")},
                            QStringLiteral("écrit le rapport dans FICHIER (- : la sortie standard)"), QStringLiteral("FICHIER")),
         CliCommand::PrintsReport},
        {QCommandLineOption(QStringLiteral("months"), QStringLiteral("mois retenus par le filtre du calendrier, de 1 à 12"),
                            QStringLiteral("LISTE")),
         CliCommand::ReadsPeriod},
        {QCommandLineOption(QStringLiteral("weekdays"), QStringLiteral("jours de la semaine retenus, de 1 à 7 (1 = dimanche)"),
                            QStringLiteral("LISTE")),
         CliCommand::ReadsPeriod},
        {QCommandLineOption(QStringLiteral("slots"), QStringLiteral("tirages retenus : midi, soir ou midi,soir"),
                            QStringLiteral("LISTE")),
         CliCommand::ReadsPeriod},
        {QCommandLineOption(QStringLiteral("from"), QStringLiteral("première date retenue par le filtre du calendrier"),
                            QStringLiteral("JJ/MM/AAAA")),
         CliCommand::ReadsPeriod},
        {QCommandLineOption(QStringLiteral("to"), QStringLiteral("dernière date retenue (par défaut, aujourd'hui)"),
                            QStringLiteral("JJ/MM/AAAA")),
         CliCommand::ReadsPeriod},
        {QCommandLineOption(QStringLiteral("until"),
                            QStringLiteral("clic sur la ligne N de la liste des tirages : la période s'arrête au tirage "
                                           "qui la précède"),
                            QStringLiteral("N")),
         CliCommand::ReadsPeriod},
        {QCommandLineOption(QStringLiteral("numbers"), numbersDescription(), QStringLiteral("LISTE")), CliCommand::ReadsNumbers},
        {QCommandLineOption(QStringLiteral("criteria"),
                            QStringLiteral("fichier de critères de prévision qui remplace les lignes 1 à 9 des critères"),
                            QStringLiteral("FICHIER")),
         CliCommand::ReadsCriteria},
        {QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("affiche l'aide, celle d'une commande après son nom, et quitte")),
         0},
        {QCommandLineOption(QStringLiteral("version"), QStringLiteral("affiche le nom et la version du programme et quitte")), 0},
    };
    return options;
}

// The long name: what the usage, the help and the messages show.
QString shown(const QCommandLineOption& option)
{
    return QStringLiteral("--") + option.names().constLast();
}

bool reads(const CliCommand& command, const QString& name)
{
    for (const SharedOption& s : sharedOptions())
        if (s.option.names().contains(name))
            return s.reads == 0 || (command.reads() & s.reads) != 0;
    for (const QCommandLineOption& o : command.ownOptions())
        if (o.names().contains(name))
            return true;
    return false;
}

// The option named `name` among the shared ones and those of every command (for the help).
const QCommandLineOption* findOption(const QString& name)
{
    for (const SharedOption& s : sharedOptions())
        if (s.option.names().contains(name))
            return &s.option;
    for (const auto& c : cliCommands())
        for (const QCommandLineOption& o : c->ownOptions())
            if (o.names().contains(name))
                return &o;
    return nullptr;
}

QString optionLine(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& n : option.names())
        names << (n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n;
    QString line = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        line += QLatin1Char(' ') + option.valueName();
    return line;
}

// "  left                     right": the help's two columns.
QString row(const QString& left, const QString& right)
{
    constexpr qsizetype kColumn = 25;
    QString line = QStringLiteral("  ") + left;
    line += left.size() < kColumn ? QString(kColumn - left.size(), QLatin1Char(' ')) : QStringLiteral("  ");
    return line + right + QLatin1Char('\n');
}

QString commandSyntax(const CliCommand& command)
{
    QString text = command.name();
    for (const CliCommand::Argument& a : command.arguments())
        text += QLatin1Char(' ') + a.name;
    return text;
}

// The commands that read `name`, for the message of an option given to another one.
QStringList readers(const QString& name)
{
    QStringList names;
    for (const auto& c : cliCommands())
        if (reads(*c, name))
            names << c->name();
    return names;
}

// The commands that read `option` as it is described: an option two commands read differently
// (add's --multiplicateur N, a draw's multiplier, and the option the money reports play) is
// told once for each use.
QStringList readersAsDescribed(const QCommandLineOption& option)
{
    const QString name = option.names().constLast();
    QStringList names;
    for (const auto& c : cliCommands()) {
        const QList<QCommandLineOption>& own = c->ownOptions();
        const auto same
            = std::find_if(own.begin(), own.end(), [&](const QCommandLineOption& o) { return o.names().contains(name); });
        const bool described
            = same == own.end() || (same->description() == option.description() && same->valueName() == option.valueName());
        if (reads(*c, name) && described)
            names << c->name();
    }
    return names;
}

std::array<bool, 3> parseSlots(const QString& text, const Formula& game)
{
    std::array<bool, 3> times{};
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QString s = part.trimmed().toLower();
        if (s != QLatin1String("midi") && s != QLatin1String("soir"))
            throw usageError(QStringLiteral("--slots"), QStringLiteral("« %1 » n'est ni midi ni soir").arg(part.trimmed()));
        const int slot = game.slotIndex(s);
        if (slot < 0)
            throw usageError(QStringLiteral("--slots"), QStringLiteral("le %1 n'a pas de tirage de %2").arg(game.name, s));
        // The filter's time boxes follow the game's draw times in the day's order.
        times[static_cast<size_t>(slot + 1)] = true;
    }
    return times;
}

// The game of a history file, from its first line that is not empty: nullopt when the file
// cannot be read or that line is a draw of neither game (its load says why).
std::optional<FormulaId> gameOfFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    constexpr int kLinesLooked = 100;
    for (int i = 0; i < kLinesLooked && !file.atEnd(); ++i) {
        const QString line = QString::fromLatin1(file.readLine()).trimmed();
        if (!line.isEmpty())
            return Formula::ofLine(line);
    }
    return std::nullopt;
}

// --jeu, checked against the file --history names: a history is studied as the game it holds.
FormulaId readGame(const QCommandLineParser& parser, const QString& history)
{
    std::optional<FormulaId> chosen;
    if (parser.isSet(QStringLiteral("jeu"))) {
        const QString key = parser.value(QStringLiteral("jeu"));
        chosen = Formula::fromKey(key.trimmed());
        if (!chosen)
            throw usageError(QStringLiteral("--jeu"), QStringLiteral("« %1 » n'est pas un jeu : %2").arg(key, gameKeys()));
    }
    const std::optional<FormulaId> held = history.isEmpty() ? std::nullopt : gameOfFile(history);
    if (chosen && held && *chosen != *held)
        throw usageError(QStringLiteral("--jeu"),
                         QStringLiteral("« %1 » contredit l'historique « %2 », qui tient des tirages du %3")
                             .arg(Formula::get(*chosen).key, history, Formula::get(*held).name));
    return held.value_or(chosen.value_or(FormulaId::Keno20of70));
}

// --mise and --multiplicateur, on the commands that pay.
void readStakeOptions(const QCommandLineParser& parser, const CliCommand& command, CliOptions& o)
{
    const auto reads = [&command](QLatin1String name) {
        // add's --multiplicateur N is the draw's multiplier, not the option played.
        for (const Catalogue::Option& option : command.entry().options)
            if (option.name == name && (name == QLatin1String("mise") || option.valueName.isEmpty()))
                return true;
        return false;
    };
    if (reads(QLatin1String("mise")) && parser.isSet(QStringLiteral("mise"))) {
        const qint64 euros = wholeOption(QStringLiteral("--mise"), parser.value(QStringLiteral("mise")));
        if (euros < 1 || euros > 10 || !Stake::allowed(static_cast<int>(euros)))
            throw usageError(QStringLiteral("--mise"), QStringLiteral("la mise est de 1, 2, 3, 5 ou 10 euros"));
        o.stake.euros = static_cast<int>(euros);
    }
    if (reads(QLatin1String("multiplicateur")))
        o.stake.multiplier = parser.isSet(QStringLiteral("multiplicateur"));
}

// The values of the shared options, checked; the command's own ones are its business.
CliOptions readOptions(const QCommandLineParser& parser, const CliCommand& command)
{
    CliOptions o;
    const auto given = [&parser](const char* name) { return parser.isSet(QLatin1String(name)); };
    const auto value = [&parser](const char* name) { return parser.value(QLatin1String(name)); };
    o.dataDir = value("data-dir");
    o.history = value("history");
    o.formula = readGame(parser, o.history);
    // "-" is standard output, as everywhere; so is /dev/stdout, which a save would replace.
    o.output = value("output");
    if (o.output == QLatin1String("-") || o.output == QLatin1String("/dev/stdout"))
        o.output.clear();
    if (given("until")) {
        bool ok = false;
        o.until = value("until").toInt(&ok);
        if (!ok)
            throw usageError(QStringLiteral("--until"), QStringLiteral("« %1 » n'est pas un nombre").arg(value("until")));
    }
    if (given("numbers"))
        o.numbers = parseIntList(QStringLiteral("--numbers"), value("numbers"), 1, o.game().numbers);
    if (given("months"))
        o.months = parseIntList(QStringLiteral("--months"), value("months"), 1, 12);
    if (given("weekdays"))
        o.weekdays = parseIntList(QStringLiteral("--weekdays"), value("weekdays"), 1, 7);
    if (given("slots"))
        o.drawSlots = parseSlots(value("slots"), o.game());
    if (given("from")) {
        const QString from = value("from").trimmed();
        const qsizetype blank = from.indexOf(QLatin1Char(' '));
        o.from = parseDate(QStringLiteral("--from"), blank < 0 ? from : from.left(blank));
        o.fromSlot = blank < 0 ? QString() : from.mid(blank + 1).trimmed();
    }
    if (given("to"))
        o.to = parseDate(QStringLiteral("--to"), value("to"));
    if (given("criteria"))
        o.criteria = value("criteria");
    command.readOwnOptions(parser, o);
    if (!o.fromSlot.isEmpty())
        throw usageError(QStringLiteral("--from"),
                         QStringLiteral("« %1 » n'est pas une date JJ/MM/AAAA ; un tirage de la journée ne se donne qu'avec "
                                        "grilles --ajouter")
                             .arg(value("from").trimmed()));
    readStakeOptions(parser, command, o);
    o.arguments = parser.positionalArguments().mid(1);
    return o;
}

} // namespace

namespace {

QList<QCommandLineOption> commonOptions()
{
    QList<QCommandLineOption> options;
    for (const SharedOption& s : sharedOptions())
        options << s.option;
    return options;
}

// The command named: the first argument that names one (a value of an option another command
// reads may come before it); the common options are read first only to find it.
const CliCommand* findCommand(const QStringList& arguments)
{
    QCommandLineParser common;
    common.addOptions(commonOptions());
    common.parse(QStringList{QStringLiteral("tiravol-cli")} + arguments); // its faults are found below
    for (const QString& word : common.positionalArguments())
        if (const CliCommand* command = findCliCommand(word))
            return command;
    return nullptr;
}

// An option the command does not read: another command's, or none at all.
QString wrongOption(const QString& shown, const QString& name, const CliCommand* command)
{
    const QStringList users = readers(name);
    if (users.size() == 1)
        return usageError(shown, QStringLiteral("ne sert qu'avec la commande ") + users.constFirst()).text;
    if (!users.isEmpty() && command)
        return usageError(shown, QStringLiteral("ne sert pas avec la commande ") + command->name()).text;
    return usageError(shown, QStringLiteral("option inconnue")).text;
}

// The options given that the command does not read; throws UsageError.
void checkReads(const QCommandLineParser& parser, const CliCommand& command)
{
    for (const QString& name : parser.optionNames())
        if (!reads(command, name))
            throw UsageError{wrongOption(shown(*findOption(name)), name, &command)};
}

} // namespace

CliParse parseCommandLine(const QStringList& arguments)
{
    CliParse result;
    const CliCommand* command = findCommand(arguments);
    QList<QCommandLineOption> options = commonOptions();
    if (command)
        options += command->ownOptions();
    if (const auto fault = CommandLineText::findFault(options, arguments)) {
        result.text = fault->kind == CommandLineText::Fault::Kind::UnknownOption ? wrongOption(fault->shown, fault->name, command)
                                                                                 : CommandLineText::describe(*fault);
        return result;
    }
    QCommandLineParser parser;
    parser.addOptions(options);
    if (!parser.parse(QStringList{QStringLiteral("tiravol-cli")} + arguments)) {
        result.text = QStringLiteral("ligne de commande illisible");
        return result;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        result.kind = CliParse::Kind::Version;
        return result;
    }
    // Before the command's name, only options and their values.
    const QString firstWord = parser.positionalArguments().value(0);
    if (!firstWord.isEmpty() && (!command || firstWord != command->name())) {
        result.text = usageError(firstWord, QStringLiteral("commande inconnue")).text;
        return result;
    }
    result.command = command;
    if (parser.isSet(QStringLiteral("help"))) {
        result.kind = CliParse::Kind::Help;
        result.text = command ? commandHelp(*command) : usageText();
        return result;
    }
    if (!command) {
        result.text = QStringLiteral("aucune commande");
        return result;
    }
    try {
        checkReads(parser, *command);
        result.options = readOptions(parser, *command);
        command->check(result.options);
    } catch (const UsageError& e) {
        result.text = e.text;
        return result;
    }
    result.kind = CliParse::Kind::Run;
    return result;
}

QString usageText()
{
    QString text = QStringLiteral("usage : tiravol-cli [OPTION...] COMMANDE [ARGUMENT...]\n"
                                  "        tiravol-cli COMMANDE --help      les arguments et les options d'une commande\n"
                                  "        tiravol-cli --help | --version\n"
                                  "commandes :\n");
    for (const auto& c : cliCommands())
        text += row(commandSyntax(*c), c->description());
    text += QStringLiteral("options :\n");
    QStringList listed;
    const auto addOption = [&](const QCommandLineOption& option) {
        const QString use = option.names().constLast() + QLatin1Char(' ') + option.valueName() + option.description();
        if (listed.contains(use))
            return;
        listed << use;
        const QStringList users = readersAsDescribed(option);
        const QString whose = users.size() <= 2 ? users.join(QStringLiteral(", ")) + QStringLiteral(" : ") : QString();
        text += row(optionLine(option), whose + option.description());
    };
    for (const SharedOption& s : sharedOptions())
        addOption(s.option);
    for (const auto& c : cliCommands())
        for (const QCommandLineOption& o : c->ownOptions())
            addOption(o);
    return text;
}

QString commandHelp(const CliCommand& command)
{
    QString text = QStringLiteral("usage : tiravol-cli [OPTION...] ") + commandSyntax(command) + QLatin1Char('\n')
        + command.description() + QLatin1Char('\n');
    if (!command.arguments().isEmpty()) {
        text += QStringLiteral("arguments :\n");
        for (const CliCommand::Argument& a : command.arguments())
            text += row(a.name, a.description);
    }
    text += QStringLiteral("options :\n");
    for (const QCommandLineOption& o : command.ownOptions())
        text += row(optionLine(o), o.description());
    for (const SharedOption& s : sharedOptions())
        if (reads(command, s.option.names().constLast()))
            text += row(optionLine(s.option), s.option.description());
    return text;
}
