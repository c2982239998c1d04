#pragma once

#include <QCommandLineOption>
#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class Workspace;
class CliUi;
class CliJobRunner;

// Exit statuses of tiravol-cli.
namespace CliStatus {
constexpr int kOk = 0;
constexpr int kFailure = 1; // a file could not be read or an operation failed
constexpr int kUsage = 2;
} // namespace CliStatus

// A mistake in the command line: "subject : what is wrong".
struct UsageError {
    QString text;
};
UsageError usageError(const QString& subject, const QString& what);
// What follows every usage error: where the usage is.
QString tryHelpLine();

// The command line as read, every value checked; nothing here has touched a file.
struct CliOptions {
    QString dataDir, history;
    // -o / --output: the report goes to this file through the export step; empty, "-" and
    // "/dev/stdout" are standard output
    QString output;
    // The state the options set before a command runs, in this order: the calendar filter, a
    // click on a line of the draw list, the ticked grid.
    std::optional<QList<int>> months, weekdays;
    std::optional<std::array<bool, 3>> drawSlots; // [1] midday, [2] evening
    std::optional<QDate> from, to;
    std::optional<int> until;
    QList<int> numbers;
    // The values of the options few commands read (--criteria, --size, --url...), by long name;
    // "" for a switch.
    QMap<QString, QString> own;
    QStringList arguments; // the command's

    bool filterRequested() const { return months || weekdays || drawSlots || from || to; }
};

// What a command runs on: the Workspace already started and set up by the options.
struct CliRun {
    Workspace& ws;
    CliUi& ui;
    const CliOptions& options;
    QTextStream& out;
    QTextStream& err;
    // Runs the long jobs; tells whether Ctrl+C stopped the last one.
    const CliJobRunner& jobs;

    // "tiravol-cli : text" on standard error.
    void fail(const QString& text) const;
    // The same for a mistake in the command line, with the line that points to the help.
    void usageFailure(const QString& text) const;
    // The report as the export step writes it: on standard output, or with -o into the file.
    void printReport() const;
    // Set when -o could not write the report (already told): the command then fails.
    mutable bool outputFailed = false;
};

// One command of tiravol-cli: its name, arguments and options (for the parser and the help),
// the checks of its arguments, and what it does.
class CliCommand {
public:
    // Groups of options several commands read.
    enum Reads : unsigned {
        ReadsPeriod = 1u << 0, // the calendar filter and --until
        ReadsNumbers = 1u << 1, // --numbers
        ReadsCriteria = 1u << 2, // --criteria
        PrintsReport = 1u << 3, // -o: every command but those that work on files alone
    };
    struct Argument {
        QString name; // as the usage shows it: "R", "ARCHIVE..."
        QString description;
    };

    virtual ~CliCommand() = default;

    const QString& name() const { return m_name; }
    const QString& description() const { return m_description; }
    const QList<Argument>& arguments() const { return m_arguments; }
    int minArguments() const { return m_minArguments; }
    int maxArguments() const { return m_maxArguments; }
    unsigned reads() const { return m_reads | (m_withoutStartUp ? 0u : unsigned(PrintsReport)); }
    // The options only this command (or a few) reads, beyond the shared ones.
    const QList<QCommandLineOption>& ownOptions() const { return m_ownOptions; }
    // Commands that bring draws in start without a working history.
    bool acquiring() const { return m_acquiring; }
    // Works on files alone: the history is not loaded first (nor its warnings shown).
    bool withoutStartUp() const { return m_withoutStartUp; }
    // Prints what it knows without any history (the pay table's odds): nothing is read first.
    bool withoutHistory() const { return m_withoutHistory; }
    // May write the working history: holds the data folder's lock from before the history is
    // read to the end (acquiring commands always do).
    bool writesHistory() const { return m_writesHistory || m_acquiring; }

    // Checks the arguments and the own options' values; throws UsageError. Reads no file.
    virtual void check(const CliOptions& options) const;
    // Runs the command on the Workspace; returns the exit status.
    virtual int execute(CliRun& run) const = 0;

protected:
    CliCommand(QString name, QString description, unsigned reads = 0);
    void setArguments(QList<Argument> arguments, int min, int max);
    void setArguments(QList<Argument> arguments);
    void addOption(const QString& name, const QString& valueName, const QString& description);
    void setAcquiring(bool withoutStartUp = false);
    void setWritesHistory() { m_writesHistory = true; }
    void setWithoutHistory() { m_withoutHistory = true; }

private:
    QString m_name, m_description;
    unsigned m_reads = 0;
    QList<Argument> m_arguments;
    int m_minArguments = 0, m_maxArguments = 0;
    QList<QCommandLineOption> m_ownOptions;
    bool m_acquiring = false, m_withoutStartUp = false, m_writesHistory = false, m_withoutHistory = false;
};

// A command that runs a report of the Workspace and prints it.
class ReportCommand : public CliCommand {
public:
    ReportCommand(const QString& name, void (Workspace::*command)(), const QString& description, unsigned reads);
    int execute(CliRun& run) const override;

private:
    void (Workspace::*m_command)();
};

using CliCommandList = std::vector<std::unique_ptr<const CliCommand>>;

// Reads a comma-separated list of whole numbers in [low, high].
QList<int> parseIntList(const QString& subject, const QString& text, int low, int high);
QDate parseDate(const QString& subject, const QString& text);
// A whole number given to an option; "« x » n'est pas un nombre" otherwise.
qint64 wholeOption(const QString& option, const QString& value);

// The commands by subject; the table is their union, in the order of the help.
CliCommandList reportCommands();
CliCommandList analysisCommands();
CliCommandList forecastCommands();
CliCommandList chanceCommands();
CliCommandList acquireCommands();
CliCommandList baseCommands();
const CliCommandList& cliCommands();
const CliCommand* findCliCommand(const QString& name);
