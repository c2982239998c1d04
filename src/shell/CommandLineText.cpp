// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CommandLineText.h"

namespace CommandLineText {

namespace {

const QCommandLineOption* findOption(const QList<QCommandLineOption>& options, const QString& name)
{
    for (const QCommandLineOption& o : options)
        if (o.names().contains(name))
            return &o;
    return nullptr;
}

Fault unknown(const QString& name)
{
    return {Fault::Kind::UnknownOption, name, (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name};
}

// "-abc": a, b and c; the first one that takes a value takes the rest, or the next argument.
std::optional<Fault> shortOptions(const QList<QCommandLineOption>& options, const QStringList& arguments, qsizetype& i)
{
    const QString& arg = arguments[i];
    for (qsizetype pos = 1; pos < arg.size(); ++pos) {
        const QString name = arg.mid(pos, 1);
        const QCommandLineOption* option = findOption(options, name);
        if (!option)
            return unknown(name);
        const bool next = pos + 1 < arg.size();
        if (!option->valueName().isEmpty()) {
            if (!next && ++i >= arguments.size())
                return Fault{Fault::Kind::MissingValue, name, QLatin1Char('-') + name};
            return std::nullopt;
        }
        if (next && arg.at(pos + 1) == QLatin1Char('='))
            return Fault{Fault::Kind::UnexpectedValue, name, QLatin1Char('-') + name};
    }
    return std::nullopt;
}

std::optional<Fault> longOption(const QList<QCommandLineOption>& options, const QStringList& arguments, qsizetype& i)
{
    const QString& arg = arguments[i];
    const qsizetype equals = arg.indexOf(QLatin1Char('='));
    const QString name = equals < 0 ? arg.mid(2) : arg.mid(2, equals - 2);
    const QCommandLineOption* option = findOption(options, name);
    if (!option)
        return unknown(name);
    const QString shown = QStringLiteral("--") + name;
    if (option->valueName().isEmpty())
        return equals < 0 ? std::nullopt : std::optional(Fault{Fault::Kind::UnexpectedValue, name, shown});
    if (equals < 0 && ++i >= arguments.size())
        return Fault{Fault::Kind::MissingValue, name, shown};
    return std::nullopt;
}

} // namespace

std::optional<Fault> findFault(const QList<QCommandLineOption>& options, const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--"))
            break;
        std::optional<Fault> fault;
        if (arg.startsWith(QLatin1String("--")))
            fault = longOption(options, arguments, i);
        else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
            fault = shortOptions(options, arguments, i);
        if (fault)
            return fault;
    }
    return std::nullopt;
}

QString describe(const Fault& fault)
{
    switch (fault.kind) {
    case Fault::Kind::MissingValue:
        return fault.shown + QStringLiteral(" : une valeur est attendue");
    case Fault::Kind::UnexpectedValue:
        return fault.shown + QStringLiteral(" : n'attend pas de valeur");
    case Fault::Kind::UnknownOption:
        break;
    }
    return fault.shown + QStringLiteral(" : option inconnue");
}

QString tryHelp(const QString& program)
{
    return QStringLiteral("Essayez « %1 --help ».").arg(program);
}

} // namespace CommandLineText
