#pragma once

#include <QString>

class QCommandLineParser;

// What both programs say about a command line they cannot read, in French.
namespace CommandLineText {

// The parser's fault ("--x : option inconnue"): QCommandLineParser's own texts are English.
QString fault(const QCommandLineParser& parser);
// The line that ends every usage error: "Essayez « program --help »."
QString tryHelp(const QString& program);

} // namespace CommandLineText
