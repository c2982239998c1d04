#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>

class Workspace;
class CliUi;

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

// The options that set the window's state before a command runs.
struct CliOptions {
    QString dataDir, history, url;
    QString output; // -o / --output: the report goes to this file through the export step
    std::optional<int> until;
    std::optional<qint64> size; // backtest: numbers played
    std::optional<qint64> seed; // backtest: seed of the random tickets
    std::optional<QString> months, weekdays, drawSlots, from, to, numbers;
    std::optional<QString> criteria; // a criteria file loaded before the forecast commands
    bool replace = false;
    QString command;
    QStringList commandArgs;
};

// What a command runs on: the Workspace already started and set up by the options.
struct CliRun {
    Workspace& ws;
    CliUi& ui;
    const CliOptions& options;
    QTextStream& out;
    QTextStream& err;

    // "tiravol-cli : text" on standard error.
    void fail(const QString& text) const;
    // The report as the export step writes it: on standard output, or with -o into the file.
    void printReport() const;
    // Set when -o could not write the report (already told): the command then fails.
    mutable bool outputFailed = false;
};

// One command of tiravol-cli: its name, its arguments, a line of help, and what it does.
struct CliCommand {
    QString name;
    int minArgs = 0;
    int maxArgs = 0;
    QString usage; // "name ARGS    what it does"
    // Runs before the Workspace starts (checks on the arguments); throws UsageError.
    std::function<void(const CliOptions&)> check;
    std::function<int(CliRun&)> execute;
    // Acquiring commands start without a working history and reach the archive.
    bool acquiring = false;
    // Works on files alone: the history is not loaded first (nor its warnings shown).
    bool withoutStartUp = false;
    // May write the working history: holds the data folder's lock from before the history is
    // read to the end (acquiring commands always do).
    bool writesHistory = false;
};

// A command that runs a report of the Workspace and prints it.
CliCommand reportCommand(const QString& name, void (Workspace::*command)(), const QString& usage);

// Reads a comma-separated list of whole numbers in [low, high].
QList<int> parseIntList(const QString& subject, const QString& text, int low, int high);
QDate parseDate(const QString& subject, const QString& text);

// The commands by subject; the table is their union, in the order of the help.
QList<CliCommand> reportCommands();
QList<CliCommand> acquireCommands();
QList<CliCommand> forecastCommands();
QList<CliCommand> chanceCommands();
QList<CliCommand> analysisCommands();
QList<CliCommand> baseCommands();
const QList<CliCommand>& cliCommands();
const CliCommand* findCliCommand(const QString& name);
