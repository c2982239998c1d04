// SPDX-License-Identifier: GPL-3.0-or-later
// The manual pages and the bash completion against the programs themselves: every command and
// option they know is documented and completed, files are offered where a file is expected, and
// --version gives the project's version.
#include "cli/CliCommand.h"
#include "support/CliSupport.h"

#include <QDir>
#include <QProcess>

using namespace TestSupport;

namespace {

QString dataFile(const char* name)
{
    return QStringLiteral(TIRAVOL_DATA_DIR "/") + QLatin1String(name);
}

// A manual page's source as a reader types it: "\-" is the plain '-'.
QString manualPage(const char* name)
{
    return QString::fromUtf8(readFile(dataFile(name))).replace(QStringLiteral("\\-"), QStringLiteral("-"));
}

bool namesWord(const QString& text, const QString& word)
{
    return text.contains(
        QRegularExpression(QStringLiteral("(?<![\\w-])") + QRegularExpression::escape(word) + QStringLiteral("(?![\\w-])")));
}

// In alphabetical order.
QStringList commandNames()
{
    QStringList names;
    for (const auto& c : cliCommands())
        names << c->name();
    names.sort();
    return names;
}

// What bash offers for the line typed, split at its spaces: the last word is the one being completed.
QStringList complete(const char* line, const QString& folder)
{
    QString script
        = QStringLiteral("source '%1'\ncd '%2' || exit 1\nCOMP_WORDS=(").arg(dataFile("completion/tiravol-cli"), folder);
    for (const QString& w : QString::fromUtf8(line).split(u' '))
        script += u'\'' + w + QStringLiteral("' ");
    script += QStringLiteral(")\nCOMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n_tiravol_cli\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n");
    QProcess bash;
    bash.start(QStringLiteral("bash"), {QStringLiteral("--norc"), QStringLiteral("-c"), script});
    if (!bash.waitForFinished(20000) || bash.exitCode() != 0)
        return {QStringLiteral("<bash failed: ") + QString::fromUtf8(bash.readAllStandardError()) + u'>'};
    QStringList offered = QString::fromUtf8(bash.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    offered.sort();
    return offered;
}

} // namespace

// The pages in English (man1) and in French (fr/man1), with the title of their commands' section.
constexpr struct {
    const char *folder, *commands;
} kLanguages[] = {{"man/", "COMMANDS"}, {"man/fr/", "COMMANDES"}};

TEST(CliManual, ManualPagesDescribeExactlyTheCommandsAndEveryOptionOfTheUsage)
{
    const CliOutput help = cli({QStringLiteral("--help")});
    EXPECT_EQ(help.code, CliStatus::kOk);
    const QSet<QString> options = optionsIn(help.out);
    // The usage names the options of its synopsis and of its commands' lines.
    for (const char* o : {"--data-dir", "--numbers", "--criteria", "--replace", "--version"})
        EXPECT_TRUE(options.contains(QLatin1String(o))) << o;

    for (const auto& language : kLanguages) {
        const QString page = manualPage((QByteArray(language.folder) + "tiravol-cli.1.in").constData());
        const QString heading = QStringLiteral("\n.SH %1\n").arg(QLatin1String(language.commands));
        const qsizetype start = page.indexOf(heading);
        ASSERT_GE(start, 0) << language.folder;
        const QString section = page.mid(start + 1, page.indexOf(QStringLiteral("\n.SH "), start + 1) - start);
        // Each command is the first word of the line after a ".TP".
        QStringList described;
        static const QRegularExpression entry(QStringLiteral("\\n\\.TP\\n\\.BI? \"?([a-z][a-z-]*)"));
        for (const QRegularExpressionMatch& m : entry.globalMatch(section))
            described << m.captured(1);
        described.sort();
        EXPECT_EQ(described, commandNames()) << language.folder;
        for (const QString& o : options)
            EXPECT_TRUE(namesWord(page, o)) << language.folder << ' ' << o.toStdString();
    }
}

TEST(CliManual, WindowManualPageNamesEveryOptionOfItsHelp)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess window;
    window.setProcessEnvironment(environment);
    window.start(QStringLiteral(TIRAVOL_GUI_PATH), {QStringLiteral("--help")});
    ASSERT_TRUE(window.waitForFinished(60000));
    EXPECT_EQ(window.exitCode(), 0);
    const QString help = QString::fromUtf8(window.readAllStandardOutput());
    // Every line in French: the help and version options are the program's own, not Qt's.
    EXPECT_TRUE(help.contains(QStringLiteral("-h, --help            Affiche cette aide et quitte.")));
    const QSet<QString> options = optionsIn(help);
    EXPECT_TRUE(options.contains(QStringLiteral("--demo")));
    EXPECT_FALSE(options.contains(QStringLiteral("--help-all")));
    for (const auto& language : kLanguages) {
        const QString page = manualPage((QByteArray(language.folder) + "tiravol.1.in").constData());
        for (const QString& o : options)
            EXPECT_TRUE(namesWord(page, o)) << language.folder << ' ' << o.toStdString();
    }

    window.start(QStringLiteral(TIRAVOL_GUI_PATH), {QStringLiteral("--version")});
    ASSERT_TRUE(window.waitForFinished(60000));
    EXPECT_EQ(window.readAllStandardOutput().trimmed(), QByteArray("tiravol " TIRAVOL_PROJECT_VERSION));
}

TEST(CliManual, VersionIsTheProjectsAndNeedsNothingElse)
{
    // No history anywhere: the version is printed before anything is read.
    const CliOutput version = cli({QStringLiteral("--data-dir"), QStringLiteral("/nonexistent"), QStringLiteral("--version")});
    EXPECT_EQ(version.code, CliStatus::kOk);
    EXPECT_EQ(version.out, QStringLiteral("tiravol-cli " TIRAVOL_PROJECT_VERSION "\n"));
    EXPECT_TRUE(version.err.isEmpty()) << version.err.toStdString();
}

TEST(CliManual, CompletionOffersCommandsOptionsAndFilesWhereAFileIsExpected)
{
    QTemporaryDir temp;
    const QDir dir(temp.path());
    for (const char* name : {"a.zip", "b.CSV", "notes.txt", "d e.zip"})
        writeFile(dir.filePath(QLatin1String(name)), "x");
    dir.mkdir(QStringLiteral("archives"));

    EXPECT_EQ(complete("tiravol-cli ", temp.path()), commandNames());
    // Before the command every option of the usage is offered; after it, those of its help.
    const QStringList options = complete("tiravol-cli -", temp.path());
    for (const QString& o : optionsIn(cli({QStringLiteral("--help")}).out))
        EXPECT_TRUE(options.contains(o)) << o.toStdString();
    EXPECT_TRUE(options.contains(QStringLiteral("--output")));
    for (const QString& command : commandNames()) {
        const QStringList offered = complete(QStringLiteral("tiravol-cli %1 -").arg(command).toUtf8().constData(), temp.path());
        EXPECT_EQ(QSet<QString>(offered.begin(), offered.end()), optionsIn(cli({command, QStringLiteral("--help")}).out))
            << command.toStdString();
    }
    // import takes one archive, build-base several; option values are not arguments; bash splits
    // "--criteria=FILE" at '='. "a|b c" offers a and "b c".
    const struct {
        const char *typed, *offered;
    } cases[] = {
        {"tiravol-cli ecarts", "ecarts|ecarts-max"},
        {"tiravol-cli import ", "a.zip|archives|b.CSV|d e.zip"},
        {"tiravol-cli import a.zip ", ""},
        {"tiravol-cli --history h.txt build-base a.zip ", "a.zip|archives|b.CSV|d e.zip"},
        {"tiravol-cli --history ", "a.zip|archives|b.CSV|d e.zip|notes.txt"},
        {"tiravol-cli -o n", "notes.txt"},
        {"tiravol-cli --criteria = a", "a.zip|archives"},
        {"tiravol-cli --data-dir ", "archives"},
        {"tiravol-cli --slots s", "soir"},
        {"tiravol-cli sorties ", ""},
        // The stakes a player may play; the option a switch on the reports, a value after add.
        {"tiravol-cli cotes --mise ", "1|10|2|3|5"},
        {"tiravol-cli cotes --multiplicateur --m", "--mise|--multiplicateur"},
        {"tiravol-cli add --multiplicateur ", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(complete(c.typed, temp.path()), QString::fromUtf8(c.offered).split(u'|', Qt::SkipEmptyParts)) << c.typed;
}

TEST(CliManual, ZshCompletionKnowsEveryCommandAndOnlyTheProgramsOptions)
{
    const QString script = QString::fromUtf8(readFile(dataFile("completion/_tiravol-cli")));
    // The commands are the "name:description" lines of its commands=( ... ) list.
    const qsizetype start = script.indexOf(QStringLiteral("commands=("));
    ASSERT_GE(start, 0);
    const QString list = script.mid(start, script.indexOf(u')', start) - start);
    QStringList listed;
    static const QRegularExpression entry(QStringLiteral("'([a-z-]+):"));
    for (const QRegularExpressionMatch& m : entry.globalMatch(list))
        listed << m.captured(1);
    listed.sort();
    EXPECT_EQ(listed, commandNames());

    // Every option of the program is offered, and no option it does not know.
    QSet<QString> known = optionsIn(cli({QStringLiteral("--help")}).out);
    for (const QString& command : commandNames())
        known.unite(optionsIn(cli({command, QStringLiteral("--help")}).out));
    // Long options wherever they stand; short ones where the option declares both with their long form.
    QSet<QString> offered;
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--[a-z][a-z-]*)|\\{(-[a-z])[+,]"));
    for (const QRegularExpressionMatch& m : option.globalMatch(script))
        offered << (m.capturedLength(1) > 0 ? m.captured(1) : m.captured(2));
    EXPECT_EQ(offered, known);
}
