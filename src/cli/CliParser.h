// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

#include <QString>
#include <QStringList>

// The command line read by QCommandLineParser against the options the commands declare. Reading
// it starts nothing and touches no file but the first line of the --history file, whose game
// the other values are checked against: what it finds wrong is a usage error.
struct CliParse {
    enum class Kind { Run, Help, Version, Error };
    Kind kind = Kind::Error;
    const CliCommand* command = nullptr; // Run; Help and Error when one was named
    CliOptions options; // Run
    QString text; // Help: the help; Error: "subject : what is wrong" (empty for a bare usage)
};

// `arguments` without the program's name.
CliParse parseCommandLine(const QStringList& arguments);

// The usage of the program (every command, every option) and that of one command (its
// arguments and the options it reads), both made from the commands' own declarations.
QString usageText();
QString commandHelp(const CliCommand& command);
