// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>
#include <optional>

struct CliParse;

// tiravol-cli: builds the window's state from the history, runs one command and prints
// the report exactly as the export step would write it.
// Exit status: 0 success, 1 a file could not be read or an operation failed, 2 usage error.
int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

// What a command line that runs no command (help, version, a usage error) prints, and its exit
// status; nullopt when a command is to run.
std::optional<int> answerWithoutRunning(const CliParse& parsed, QTextStream& out, QTextStream& err);
