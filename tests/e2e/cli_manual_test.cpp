// The manual pages and the bash completion against the programs themselves: every command and
// option they know is documented and completed, files are offered where a file is expected, and
// --version gives the project's version.
#include "cli/CliApp.h"
#include "cli/CliCommand.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using TestSupport::readFile;
using TestSupport::writeFile;

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

QSet<QString> optionsIn(const QString& text)
{
    QSet<QString> options;
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[a-z][a-z-]*)"));
    for (const QRegularExpressionMatch& m : option.globalMatch(text))
        options.insert(m.captured(1));
    return options;
}

bool namesWord(const QString& text, const QString& word)
{
    return text.contains(
        QRegularExpression(QStringLiteral("(?<![\\w-])") + QRegularExpression::escape(word) + QStringLiteral("(?![\\w-])")));
}

struct CliOutput {
    int status;
    QString out, err;
};

CliOutput cli(const QStringList& arguments)
{
    CliOutput r;
    QTextStream out(&r.out), err(&r.err);
    r.status = runCli(arguments, out, err);
    return r;
}

QStringList commandNames()
{
    QStringList names;
    for (const auto& c : cliCommands())
        names << c->name();
    return names;
}

// What bash offers for the words typed; the last one is the word being completed.
QStringList complete(const QStringList& words, const QString& folder)
{
    QString script
        = QStringLiteral("source '%1'\ncd '%2' || exit 1\nCOMP_WORDS=(").arg(dataFile("completion/tiravol-cli"), folder);
    for (const QString& w : words)
        script += QLatin1Char('\'') + w + QStringLiteral("' ");
    script += QStringLiteral(")\nCOMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n_tiravol_cli\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n");
    QProcess bash;
    bash.start(QStringLiteral("bash"), {QStringLiteral("--norc"), QStringLiteral("-c"), script});
    if (!bash.waitForFinished(20000) || bash.exitCode() != 0)
        return {QStringLiteral("<bash failed: ") + QString::fromUtf8(bash.readAllStandardError()) + QLatin1Char('>')};
    QStringList offered = QString::fromUtf8(bash.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    offered.sort();
    return offered;
}

} // namespace

TEST(CliManual, ManualPageDescribesExactlyTheCommandsAndEveryOptionOfTheUsage)
{
    const QString page = manualPage("man/tiravol-cli.1.in");
    const qsizetype start = page.indexOf(QStringLiteral("\n.SH COMMANDES\n"));
    ASSERT_GE(start, 0);
    const QString section = page.mid(start + 1, page.indexOf(QStringLiteral("\n.SH "), start + 1) - start);
    // Each command is the first word of the line after a ".TP".
    QStringList described;
    static const QRegularExpression entry(QStringLiteral("\\n\\.TP\\n\\.BI? \"?([a-z][a-z-]*)"));
    for (const QRegularExpressionMatch& m : entry.globalMatch(section))
        described << m.captured(1);
    QStringList known = commandNames();
    described.sort();
    known.sort();
    EXPECT_EQ(described, known);

    const CliOutput help = cli({QStringLiteral("--help")});
    EXPECT_EQ(help.status, CliStatus::kOk);
    const QSet<QString> options = optionsIn(help.err);
    // The usage names the options of its synopsis and of its commands' lines.
    for (const char* o : {"--data-dir", "--numbers", "--criteria", "--replace", "--version"})
        EXPECT_TRUE(options.contains(QLatin1String(o))) << o;
    for (const QString& o : options)
        EXPECT_TRUE(namesWord(page, o)) << o.toStdString();
}

TEST(CliManual, CommandHelpShowsItsArgumentsAndTheOptionsItReads)
{
    const struct {
        QStringList arguments;
        const char* usage;
        QSet<QString> options;
    } cases[] = {
        {{QStringLiteral("backtest"), QStringLiteral("--help")},
         "usage : tiravol-cli [OPTION...] backtest\n",
         {QStringLiteral("--size"), QStringLiteral("--seed"), QStringLiteral("--criteria"), QStringLiteral("--until"),
          QStringLiteral("--months"), QStringLiteral("--weekdays"), QStringLiteral("--slots"), QStringLiteral("--from"),
          QStringLiteral("--to"), QStringLiteral("--data-dir"), QStringLiteral("--history"), QStringLiteral("-o"),
          QStringLiteral("--output"), QStringLiteral("-h"), QStringLiteral("--help"), QStringLiteral("--version")}},
        // It writes files of its own and no report: no -o.
        {{QStringLiteral("-h"), QStringLiteral("build-base")},
         "usage : tiravol-cli [OPTION...] build-base ARCHIVE...\n",
         {QStringLiteral("--replace"), QStringLiteral("--data-dir"), QStringLiteral("--history"), QStringLiteral("-h"),
          QStringLiteral("--help"), QStringLiteral("--version")}},
    };
    for (const auto& c : cases) {
        const CliOutput help = cli(c.arguments);
        EXPECT_EQ(help.status, CliStatus::kOk);
        EXPECT_TRUE(help.err.startsWith(QString::fromUtf8(c.usage))) << help.err.toStdString();
        EXPECT_EQ(optionsIn(help.err), c.options) << help.err.toStdString();
    }
    EXPECT_TRUE(cli({QStringLiteral("recherche-ecart"), QStringLiteral("--help")})
                    .err.contains(QStringLiteral("\n  S                        ")));
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
    const QSet<QString> options = optionsIn(QString::fromUtf8(window.readAllStandardOutput()));
    EXPECT_TRUE(options.contains(QStringLiteral("--demo")));
    const QString page = manualPage("man/tiravol.1.in");
    for (const QString& o : options)
        EXPECT_TRUE(namesWord(page, o)) << o.toStdString();

    window.start(QStringLiteral(TIRAVOL_GUI_PATH), {QStringLiteral("--version")});
    ASSERT_TRUE(window.waitForFinished(60000));
    EXPECT_EQ(window.readAllStandardOutput().trimmed(), QByteArray("tiravol " TIRAVOL_PROJECT_VERSION));
}

TEST(CliManual, VersionIsTheProjectsAndNeedsNothingElse)
{
    // No history anywhere: the version is printed before anything is read.
    const CliOutput version = cli({QStringLiteral("--data-dir"), QStringLiteral("/nonexistent"), QStringLiteral("--version")});
    EXPECT_EQ(version.status, CliStatus::kOk);
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

    QStringList commands = commandNames();
    commands.sort();
    EXPECT_EQ(complete({QStringLiteral("tiravol-cli"), QString()}, temp.path()), commands);
    // Before the command every option of the usage is offered; after it, those of its help.
    const QStringList options = complete({QStringLiteral("tiravol-cli"), QStringLiteral("-")}, temp.path());
    for (const QString& o : optionsIn(cli({QStringLiteral("--help")}).err))
        EXPECT_TRUE(options.contains(o)) << o.toStdString();
    EXPECT_TRUE(options.contains(QStringLiteral("--output")));
    for (const QString& command : commandNames()) {
        const QStringList offered = complete({QStringLiteral("tiravol-cli"), command, QStringLiteral("-")}, temp.path());
        EXPECT_EQ(QSet<QString>(offered.begin(), offered.end()), optionsIn(cli({command, QStringLiteral("--help")}).err))
            << command.toStdString();
    }
    EXPECT_EQ(complete({QStringLiteral("tiravol-cli"), QStringLiteral("ecarts")}, temp.path()),
              QStringList({QStringLiteral("ecarts"), QStringLiteral("ecarts-max")}));

    const QStringList archives
        = {QStringLiteral("a.zip"), QStringLiteral("archives"), QStringLiteral("b.CSV"), QStringLiteral("d e.zip")};
    const QStringList everything = {QStringLiteral("a.zip"), QStringLiteral("archives"), QStringLiteral("b.CSV"),
                                    QStringLiteral("d e.zip"), QStringLiteral("notes.txt")};
    EXPECT_EQ(complete({QStringLiteral("tiravol-cli"), QStringLiteral("import"), QString()}, temp.path()), archives);
    // import takes one archive, build-base several; option values are not arguments.
    EXPECT_EQ(
        complete({QStringLiteral("tiravol-cli"), QStringLiteral("import"), QStringLiteral("a.zip"), QString()}, temp.path()),
        QStringList());
    EXPECT_EQ(complete({QStringLiteral("tiravol-cli"), QStringLiteral("--history"), QStringLiteral("h.txt"),
                        QStringLiteral("build-base"), QStringLiteral("a.zip"), QString()},
                       temp.path()),
              archives);
    EXPECT_EQ(complete({QStringLiteral("tiravol-cli"), QStringLiteral("--history"), QString()}, temp.path()), everything);
    EXPECT_EQ(complete({QStringLiteral("tiravol-cli"), QStringLiteral("-o"), QStringLiteral("n")}, temp.path()),
              QStringList({QStringLiteral("notes.txt")}));
    // "--criteria=FILE": bash splits the word at '='.
    EXPECT_EQ(complete({QStringLiteral("tiravol-cli"), QStringLiteral("--criteria"), QStringLiteral("="), QStringLiteral("a")},
                       temp.path()),
              QStringList({QStringLiteral("a.zip"), QStringLiteral("archives")}));
    EXPECT_EQ(complete({QStringLiteral("tiravol-cli"), QStringLiteral("--data-dir"), QString()}, temp.path()),
              QStringList({QStringLiteral("archives")}));
    EXPECT_EQ(complete({QStringLiteral("tiravol-cli"), QStringLiteral("--slots"), QStringLiteral("s")}, temp.path()),
              QStringList({QStringLiteral("soir")}));
    EXPECT_EQ(complete({QStringLiteral("tiravol-cli"), QStringLiteral("sorties"), QString()}, temp.path()), QStringList());
}
