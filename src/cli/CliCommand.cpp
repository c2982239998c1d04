#include "cli/CliCommand.h"

#include "history/DateText.h"
#include "shell/Workspace.h"

UsageError usageError(const QString& subject, const QString& what)
{
    return UsageError{subject + QStringLiteral(" : ") + what};
}

void CliRun::fail(const QString& text) const
{
    err << "tiravol-cli : " << text << '\n' << Qt::flush;
}

void CliRun::printReport() const
{
    if (!options.output.isEmpty()) {
        QString failure;
        if (!ws.exportReport(options.output, &failure)) {
            fail(QStringLiteral("-o : ") + failure);
            outputFailed = true;
        }
        return;
    }
    for (const QString& line : ws.report().exportLines())
        out << line << '\n';
    out.flush();
}

CliCommand reportCommand(const QString& name, void (Workspace::*command)(), const QString& usage)
{
    CliCommand c;
    c.name = name;
    c.usage = usage;
    c.execute = [command](CliRun& run) {
        (run.ws.*command)();
        run.printReport();
        return CliStatus::kOk;
    };
    return c;
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

const QList<CliCommand>& cliCommands()
{
    static const QList<CliCommand> all
        = reportCommands() + analysisCommands() + forecastCommands() + chanceCommands() + acquireCommands() + baseCommands();
    return all;
}

const CliCommand* findCliCommand(const QString& name)
{
    for (const CliCommand& c : cliCommands())
        if (c.name == name)
            return &c;
    return nullptr;
}
