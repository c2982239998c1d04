// SPDX-License-Identifier: GPL-3.0-or-later
// tiravol-cli's command line: what it refuses with exit 2 before anything runs, and each
// command's help, on standard output.
#include "support/CliSupport.h"

#include <QSet>
#include <gtest/gtest.h>

using TestSupport::CliOutput;
using TestSupport::optionsIn;
using TestSupport::words;

namespace {

class CliParserTest : public TestSupport::CliTest { };

TEST_F(CliParserTest, BadArgumentsExitTwoWithTwoLinesPointingToTheHelpAndWriteNothing)
{
    writeHistory(TestSupport::makeHistory(41, QDate(2020, 3, 1)), true);
    const QByteArray history = TestSupport::readFile(working());
    const char* const cases[]
        = {"frobnicate", "--bogus sorties", "", "sorties encore", "sorties --until", "--weekdays 8 sorties",
           "--slots nuit sorties", "--from 32/01/2020 sorties", "--numbers 71 sorties",
           // Each command takes the options it reads, and only those.
           "--numbers 5 sorties", "--until 3 cotes", "--criteria c.cfg performance", "--replace ecarts",
           "--url http://localhost/ ecarts", "add --months 1 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20",
           // Nineteen or twenty-one numbers, out of range, or one repeated.
           "add 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19", "add 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21",
           "add 0,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20", "add 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,71",
           "add 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,7"};
    for (const char* args : cases) {
        const CliOutput r = cli(args);
        EXPECT_EQ(r.code, 2) << args;
        EXPECT_EQ(r.out, QString()) << args;
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("tiravol-cli : "))) << args << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith(QStringLiteral("\nEssayez « tiravol-cli --help ».\n"))) << args << r.err.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 2) << args << r.err.toStdString();
    }
    EXPECT_EQ(TestSupport::readFile(working()), history);
    EXPECT_TRUE(cli("--numbers 5 sorties")
                    .err.startsWith(QStringLiteral("tiravol-cli : --numbers : ne sert pas avec la commande sorties\n")));
    EXPECT_TRUE(cli("--bogus sorties").err.startsWith(QStringLiteral("tiravol-cli : --bogus : option inconnue\n")));
}

TEST_F(CliParserTest, CommandHelpShowsItsArgumentsAndTheOptionsItReads)
{
    const struct {
        const char *arguments, *usage, *options;
    } cases[] = {
        {"backtest --help", "usage : tiravol-cli [OPTION...] backtest\n",
         "--size --seed --mise --multiplicateur --criteria --until --months --weekdays --slots --from --to --jeu --data-dir "
         "--history -o --output -h "
         "--help --version"},
        // It writes files of its own and no report: no -o.
        {"-h build-base", "usage : tiravol-cli [OPTION...] build-base ARCHIVE...\n",
         "--replace --jeu --data-dir --history -h --help --version"},
    };
    for (const auto& c : cases) {
        const CliOutput help = cli(c.arguments);
        EXPECT_EQ(help.code, 0);
        EXPECT_TRUE(help.out.startsWith(QString::fromUtf8(c.usage))) << help.out.toStdString();
        EXPECT_EQ(help.err, QString());
        const QStringList expected = words(c.options);
        EXPECT_EQ(optionsIn(help.out), QSet<QString>(expected.begin(), expected.end())) << help.out.toStdString();
    }
    EXPECT_TRUE(cli("recherche-ecart --help").out.contains(QStringLiteral("\n  S                        ")));
    // A command's own options may come before its name, their values too.
    EXPECT_EQ(cli("--replace -h build-base").code, 0);
    EXPECT_EQ(cli("--size 3 --seed=7 -h backtest").code, 0);
    EXPECT_TRUE(cli("--size 3 -h ecarts")
                    .err.startsWith(QStringLiteral("tiravol-cli : --size : ne sert qu'avec la commande backtest\n")));
}

TEST_F(CliParserTest, GlobalHelpTellsEachUseOfAnOptionCommandsReadDifferently)
{
    const CliOutput help = cli("--help");
    ASSERT_EQ(help.code, 0);
    // add's --multiplicateur N is the draw's multiplier; the money reports' is the option played.
    QStringList lines = help.out.split(QLatin1Char('\n')).filter(QStringLiteral("--multiplicateur"));
    EXPECT_TRUE(
        lines.contains(QStringLiteral("  --multiplicateur N       add : multiplicateur du tirage, de 1 à 10 (facultatif)")))
        << help.out.toStdString();
    EXPECT_TRUE(lines.contains(
        QStringLiteral("  --multiplicateur         joue l'option multiplicateur : mise doublée, gains multipliés")))
        << help.out.toStdString();
    EXPECT_EQ(lines.removeDuplicates(), 0); // each use once
    // An option every command reads alike stays one line.
    EXPECT_EQ(help.out.split(QLatin1Char('\n')).filter(QStringLiteral("  --jeu ")).size(), 1);
}

} // namespace
