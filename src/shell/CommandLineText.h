// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// What both programs say about a command line they cannot read, in French.
namespace CommandLineText {

// A mistake QCommandLineParser would refuse, found by reading the arguments as it reads them
// (long options with "--" or "=", short ones compacted, "--" ending the options), so that the
// program words it itself.
struct Fault {
    enum class Kind { UnknownOption, MissingValue, UnexpectedValue };
    Kind kind = Kind::UnknownOption;
    QString name; // without its dashes
    QString shown; // as the message names it: "--name" or "-n"
};

// The first mistake of `arguments` (the program's name left out) against `options`; nullopt
// when the parser will take them.
std::optional<Fault> findFault(const QList<QCommandLineOption>& options, const QStringList& arguments);
// "--x : option inconnue", "--x : une valeur est attendue", "--x : n'attend pas de valeur".
QString describe(const Fault& fault);
// The line that ends every usage error: "Essayez « program --help »."
QString tryHelp(const QString& program);

} // namespace CommandLineText
