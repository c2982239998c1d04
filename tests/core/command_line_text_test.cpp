// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line mistakes both programs word themselves: found exactly where Qt's parser
// would refuse the line, and nowhere else.
#include "shell/CommandLineText.h"

#include <QCommandLineParser>
#include <gtest/gtest.h>

namespace {

using CommandLineText::Fault;

QList<QCommandLineOption> options()
{
    return {QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("aide")),
            QCommandLineOption({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("sortie"), QStringLiteral("F")),
            QCommandLineOption(QStringLiteral("replace"), QStringLiteral("remplace")),
            QCommandLineOption(QStringLiteral("until"), QStringLiteral("jusqu'à"), QStringLiteral("N"))};
}

bool qtAccepts(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addOptions(options());
    return parser.parse(QStringList{QStringLiteral("p")} + arguments);
}

TEST(CommandLineText, FindsWhatQtRefusesAndWordsItInFrench)
{
    const struct {
        QStringList arguments;
        const char* message; // nullptr: accepted
    } cases[] = {
        {{QStringLiteral("--bogus"), QStringLiteral("x")}, "--bogus : option inconnue"},
        {{QStringLiteral("--bogus=3")}, "--bogus : option inconnue"},
        {{QStringLiteral("-hx")}, "-x : option inconnue"},
        {{QStringLiteral("x"), QStringLiteral("--until")}, "--until : une valeur est attendue"},
        {{QStringLiteral("-o")}, "-o : une valeur est attendue"},
        {{QStringLiteral("-ho")}, "-o : une valeur est attendue"},
        {{QStringLiteral("--replace=1")}, "--replace : n'attend pas de valeur"},
        {{QStringLiteral("-h=1")}, "-h : n'attend pas de valeur"},
        // A value option takes the next argument whatever it looks like; "=" and a compacted
        // rest are values; "--" ends the options and "-" is an argument.
        {{QStringLiteral("--until"), QStringLiteral("--bogus")}, nullptr},
        {{QStringLiteral("--until=--bogus"), QStringLiteral("-ofile")}, nullptr},
        {{QStringLiteral("-ho"), QStringLiteral("file"), QStringLiteral("-")}, nullptr},
        {{QStringLiteral("x"), QStringLiteral("--"), QStringLiteral("--bogus"), QStringLiteral("--until")}, nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<Fault> fault = CommandLineText::findFault(options(), c.arguments);
        const std::string line = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(qtAccepts(c.arguments), c.message == nullptr) << line;
        ASSERT_EQ(fault.has_value(), c.message != nullptr) << line;
        if (fault) {
            EXPECT_EQ(CommandLineText::describe(*fault), QString::fromUtf8(c.message)) << line;
        }
    }
}

} // namespace
