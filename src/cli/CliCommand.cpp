#include "cli/CliCommand.h"

#include "history/DateText.h"
#include "output/Plural.h"
#include "shell/CommandLineText.h"
#include "shell/Workspace.h"

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

CliCommand::CliCommand(QString name, QString description, unsigned reads)
    : m_name(std::move(name)), m_description(std::move(description)), m_reads(reads)
{
}

void CliCommand::setArguments(QList<Argument> arguments, int min, int max)
{
    m_arguments = std::move(arguments);
    m_minArguments = min;
    m_maxArguments = max;
}

void CliCommand::setArguments(QList<Argument> arguments)
{
    const int n = static_cast<int>(arguments.size());
    setArguments(std::move(arguments), n, n);
}

void CliCommand::addOption(const QString& name, const QString& valueName, const QString& description)
{
    m_ownOptions << QCommandLineOption(name, description, valueName);
}

void CliCommand::setAcquiring(bool withoutStartUp)
{
    m_acquiring = true;
    m_withoutStartUp = withoutStartUp;
}

void CliCommand::check(const CliOptions& o) const
{
    const qsizetype n = o.arguments.size();
    if (n >= m_minArguments && n <= m_maxArguments)
        return;
    const QString expected = m_minArguments == m_maxArguments ? QString::number(m_minArguments)
                                                              : QStringLiteral("%1 à %2").arg(m_minArguments).arg(m_maxArguments);
    throw usageError(
        m_name,
        QStringLiteral("%1 %2, %3 %4")
            .arg(expected,
                 Plural::agree(m_maxArguments, QStringLiteral("argument attendu"), QStringLiteral("arguments attendus")))
            .arg(n)
            .arg(Plural::agree(n, QStringLiteral("donné"), QStringLiteral("donnés"))));
}

ReportCommand::ReportCommand(const QString& name, void (Workspace::*command)(), const QString& description, unsigned reads)
    : CliCommand(name, description, reads), m_command(command)
{
}

int ReportCommand::execute(CliRun& run) const
{
    (run.ws.*m_command)();
    run.printReport();
    return CliStatus::kOk;
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
        const auto append = [&list](CliCommandList part) {
            for (auto& c : part)
                list.push_back(std::move(c));
        };
        append(reportCommands());
        append(analysisCommands());
        append(forecastCommands());
        append(chanceCommands());
        append(acquireCommands());
        append(baseCommands());
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
