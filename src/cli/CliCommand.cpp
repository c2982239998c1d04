// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommand.h"

#include "history/DateText.h"
#include "output/Plural.h"
#include "shell/CommandLineText.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QCommandLineParser>

UsageError usageError(const QString& subject, const QString& what)
{
    return UsageError{subject + QStringLiteral(" : ") + what};
}

QString tryHelpLine()
{
    return CommandLineText::tryHelp(QStringLiteral("tiravol-cli"));
}

void CliRun::fail(const QString& text) const
{
    err << "tiravol-cli : " << text << '\n' << Qt::flush;
}

void CliRun::usageFailure(const QString& text) const
{
    err << "tiravol-cli : " << text << '\n' << tryHelpLine() << '\n' << Qt::flush;
}

void CliRun::printReport() const
{
    if (!options.output.isEmpty()) {
        const CommandOutcome exported = ws.units().output.exportReport(options.output);
        if (!exported.isDone()) {
            fail(QStringLiteral("-o : ") + exported.reason);
            outputFailed = true;
        }
        return;
    }
    for (const QString& line : ws.report().exportLines())
        out << line << '\n';
    out.flush();
}

CliCommand::CliCommand(const Catalogue::Entry& entry) : m_entry(entry)
{
    for (const Catalogue::Option& o : entry.options)
        m_ownOptions << QCommandLineOption(o.name, o.description, o.valueName);
}

namespace {

CliStyleRun styleRun(Catalogue::CliStyle style)
{
    for (auto* styles :
         {reportStyle, analysisStyle, forecastStyle, chanceStyle, acquireStyle, baseStyle, payTableStyle, ticketsStyle})
        if (const CliStyleRun run = styles(style); run.execute)
            return run;
    return {};
}

} // namespace

void tellOutcome(QTextStream& err, const CommandOutcome& outcome, bool reasonAsFailure)
{
    for (const Notice& box : outcome.boxes())
        err << (box.reason && reasonAsFailure ? QStringLiteral("tiravol-cli : ") : QString()) << box.text << '\n';
    err.flush();
}

CommandOutcome runHandler(const CliCommand& command, CliRun& run, int index)
{
    const CommandOutcome outcome = command.entry().handler(run.ws.units(), index);
    tellOutcome(run.err, outcome, true);
    return outcome;
}

void CliCommand::readOwnOptions(const QCommandLineParser& parser, CliOptions& options) const
{
    if (const CliStyleRun run = styleRun(m_entry.cliStyle); run.readOwn)
        run.readOwn(parser, options);
}

int CliCommand::execute(CliRun& run) const
{
    return styleRun(m_entry.cliStyle).execute(*this, run);
}

void CliCommand::check(const CliOptions& o) const
{
    const qsizetype n = o.arguments.size();
    const int least = minArguments(), most = maxArguments();
    if (n < least || n > most) {
        const QString expected = least == most ? QString::number(least) : QStringLiteral("%1 à %2").arg(least).arg(most);
        throw usageError(
            name(),
            QStringLiteral("%1 %2, %3 %4")
                .arg(expected, Plural::agree(most, QStringLiteral("argument attendu"), QStringLiteral("arguments attendus")))
                .arg(n)
                .arg(Plural::agree(n, QStringLiteral("donné"), QStringLiteral("donnés"))));
    }
    if (const CliStyleRun run = styleRun(m_entry.cliStyle); run.check)
        run.check(*this, o);
}

QList<int> parseIntList(const QString& subject, const QString& text, int low, int high)
{
    QList<int> values;
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int v = part.trimmed().toInt(&ok);
        if (!ok || v < low || v > high)
            throw usageError(subject,
                             QStringLiteral("« %1 » n'est pas un nombre de %2 à %3").arg(part.trimmed()).arg(low).arg(high));
        values << v;
    }
    return values;
}

QDate parseDate(const QString& subject, const QString& text)
{
    const QDate d = DateText::parse(text);
    if (!d.isValid())
        throw usageError(subject, QStringLiteral("« %1 » n'est pas une date JJ/MM/AAAA").arg(text));
    return d;
}

qint64 wholeOption(const QString& option, const QString& value)
{
    bool ok = false;
    const qint64 n = value.toLongLong(&ok);
    if (!ok)
        throw usageError(option, QStringLiteral("« %1 » n'est pas un nombre").arg(value));
    return n;
}

const CliCommandList& cliCommands()
{
    static const CliCommandList all = [] {
        CliCommandList list;
        for (const Catalogue::Entry* entry : Catalogue::cliEntries())
            list.push_back(std::make_unique<const CliCommand>(*entry));
        return list;
    }();
    return all;
}

const CliCommand* findCliCommand(const QString& name)
{
    for (const auto& c : cliCommands())
        if (c->name() == name)
            return c.get();
    return nullptr;
}
