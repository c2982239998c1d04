// SPDX-License-Identifier: GPL-3.0-or-later
// Any argument list (NUL-separated) must be read without a crash and without running anything:
// help and version exit 0, a usage error exits 2 with "tiravol-cli : " and the usage; a command
// to run has its arguments' count and is given only the options it reads.
#include "cli/CliApp.h"
#include "cli/CliParser.h"

#include <QByteArray>
#include <QStringList>
#include <QTextStream>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList arguments;
    if (!bytes.isEmpty())
        for (const QByteArray& a : bytes.split('\0'))
            arguments << QString::fromUtf8(a);

    const CliParse parsed = parseCommandLine(arguments);
    QString out, err;
    QTextStream o(&out), e(&err);
    const std::optional<int> status = answerWithoutRunning(parsed, o, e);
    o.flush();
    e.flush();
    switch (parsed.kind) {
    case CliParse::Kind::Error:
        if (status != 2 || !err.startsWith(QLatin1String("tiravol-cli : "))
            || !err.endsWith(QStringLiteral("\nEssayez « tiravol-cli --help ».\n")) || !out.isEmpty())
            std::abort();
        break;
    case CliParse::Kind::Help:
    case CliParse::Kind::Version:
        if (status != 0 || out.isEmpty() || !err.isEmpty())
            std::abort();
        break;
    case CliParse::Kind::Run: {
        const CliCommand* c = parsed.command;
        const CliOptions& opts = parsed.options;
        if (status || !c || opts.arguments.size() < c->minArguments() || opts.arguments.size() > c->maxArguments())
            std::abort();
        const bool period = opts.filterRequested() || opts.until;
        if ((period && !(c->reads() & CliCommand::ReadsPeriod))
            || (!opts.numbers.isEmpty() && !(c->reads() & CliCommand::ReadsNumbers)))
            std::abort();
        // Each own option given is one this command declares.
        const auto declares = [c](const char* name) {
            for (const QCommandLineOption& option : c->ownOptions())
                if (option.names().contains(QLatin1String(name)))
                    return true;
            return false;
        };
        if ((opts.replace && !declares("replace")) || (!opts.url.isEmpty() && !declares("url"))
            || (opts.size && !declares("size")) || (opts.seed && !declares("seed"))
            || (opts.criteria && !(c->reads() & CliCommand::ReadsCriteria) && !declares("criteria")))
            std::abort();
        for (int n : opts.numbers)
            if (n < 1 || n > 70)
                std::abort();
        break;
    }
    }
    return 0;
}
