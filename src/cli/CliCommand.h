// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chance/Ticket.h"
#include "history/Formula.h"
#include "history/Stake.h"
#include "shell/Catalogue.h"

#include <QCommandLineOption>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class Workspace;
class CliUi;
class QCommandLineParser;

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
    // --jeu, or the game of the --history file's draws; the classic game when neither says.
    FormulaId formula = FormulaId::Keno20of70;
    const Formula& game() const { return Formula::get(formula); }
    // -o / --output: the report goes to this file through the export step; empty, "-" and
    // "/dev/stdout" are standard output
    QString output;
    // The state the options set before a command runs, in this order: the calendar filter, a
    // click on a line of the draw list, the ticked grid.
    std::optional<QList<int>> months, weekdays;
    // The game's draw times ticked, in the day's order from [1] (midday, evening for 20-70).
    std::optional<std::array<bool, 3>> drawSlots;
    std::optional<QDate> from, to;
    std::optional<int> until;
    QList<int> numbers;
    std::optional<QString> criteria; // --criteria
    // The options a single command reads.
    bool replace = false; // build-base --replace
    QString url; // download --url
    std::optional<int> size; // backtest --size
    std::optional<quint32> seed; // backtest --seed
    Stake stake; // --mise and --multiplicateur of the money reports
    // The words of --from after its day ("soir"): a draw of the day only grilles --ajouter reads.
    QString fromSlot;
    std::optional<QString> ticketName; // grilles --ajouter
    Stake ticketStake; // grilles --mise, --multiplicateur
    std::optional<DrawTime> ticketFrom; // grilles --ajouter --from: the first draw played
    std::optional<QString> ticketEnd, ticketRemove; // grilles --terminer, --supprimer
    std::optional<DrawTime> ticketUntil; // grilles --terminer --jusqu-au: the last draw played
    std::optional<int> drawMultiplier; // add --multiplicateur
    // gains --fixer K,M,MONTANT or --effacer K,M: one amount to put in force (nullopt: unknown).
    struct PayFix {
        int ticked = 0, matched = 0;
        std::optional<qint64> amount;
    };
    std::optional<PayFix> payFix;
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

    // "tiravol-cli : text" on standard error.
    void fail(const QString& text) const;
    // The same for a mistake in the command line, with the line that points to the help.
    void usageFailure(const QString& text) const;
    // The report as the export step writes it: on standard output, or with -o into the file.
    void printReport() const;
    // Set when -o could not write the report (already told): the command then fails.
    mutable bool outputFailed = false;
};

// One command of tiravol-cli, as the catalogue declares it: its name, arguments and options
// (for the parser and the help), the checks of its arguments, and how it runs.
class CliCommand {
public:
    // Groups of options several commands read.
    enum Reads : unsigned {
        ReadsPeriod = Catalogue::ReadsPeriod,
        ReadsNumbers = Catalogue::ReadsNumbers,
        ReadsCriteria = Catalogue::ReadsCriteria,
        PrintsReport = 1u << 3, // -o: every command but those that work on files alone
    };
    using Argument = Catalogue::Argument;

    explicit CliCommand(const Catalogue::Entry& entry);

    const Catalogue::Entry& entry() const { return m_entry; }
    const QString& name() const { return m_entry.cliName; }
    const QString& description() const { return m_entry.cliHelp; }
    const QList<Argument>& arguments() const { return m_entry.arguments; }
    int minArguments() const { return m_entry.leastArguments(); }
    int maxArguments() const { return m_entry.mostArguments(); }
    unsigned reads() const { return m_entry.reads | (m_entry.printsReport() ? unsigned(PrintsReport) : 0u); }
    // The options only this command reads, beyond the shared ones.
    const QList<QCommandLineOption>& ownOptions() const { return m_ownOptions; }
    bool acquiring() const { return m_entry.acquiring; }
    bool withoutStartUp() const { return m_entry.withoutStartUp; }
    bool withoutHistory() const { return m_entry.withoutHistory; }
    bool writesHistory() const { return m_entry.locksFolder(); }

    // Checks the arguments and the own options' values; throws UsageError. Reads no file.
    void check(const CliOptions& options) const;
    // Its own options from the parser that read them into `options`; throws UsageError.
    void readOwnOptions(const QCommandLineParser& parser, CliOptions& options) const;
    // Runs the command on the Workspace; returns the exit status.
    int execute(CliRun& run) const;

private:
    const Catalogue::Entry& m_entry;
    QList<QCommandLineOption> m_ownOptions;
};

using CliCommandList = std::vector<std::unique_ptr<const CliCommand>>;

// How the command line runs each style of command (Catalogue::CliStyle): the checks of its
// arguments beyond their count, and the run itself.
struct CliStyleRun {
    void (*check)(const CliCommand& command, const CliOptions& options) = nullptr;
    // Reads the command's own options, typed and checked; throws UsageError.
    void (*readOwn)(const QCommandLineParser& parser, CliOptions& options) = nullptr;
    int (*execute)(const CliCommand& command, CliRun& run) = nullptr;
};
// What a command came to, on standard error: each box the window would show, one a line; the
// reason of a refusal or a failure after "tiravol-cli : " when `reasonAsFailure`, else as the
// window tells it.
void tellOutcome(QTextStream& err, const CommandOutcome& outcome, bool reasonAsFailure);
// Runs the command's handler on the Workspace's units and tells its outcome; a refusal or a
// failure makes the run fail.
CommandOutcome runHandler(const CliCommand& command, CliRun& run, int index = 0);

// The styles by subject.
CliStyleRun reportStyle(Catalogue::CliStyle style);
CliStyleRun analysisStyle(Catalogue::CliStyle style);
CliStyleRun forecastStyle(Catalogue::CliStyle style);
CliStyleRun chanceStyle(Catalogue::CliStyle style);
CliStyleRun acquireStyle(Catalogue::CliStyle style);
CliStyleRun baseStyle(Catalogue::CliStyle style);
CliStyleRun ticketsStyle(Catalogue::CliStyle style);
CliStyleRun payTableStyle(Catalogue::CliStyle style);

// Reads a comma-separated list of whole numbers in [low, high].
QList<int> parseIntList(const QString& subject, const QString& text, int low, int high);
QDate parseDate(const QString& subject, const QString& text);
// A whole number given to an option; "« x » n'est pas un nombre" otherwise.
qint64 wholeOption(const QString& option, const QString& value);

// The commands in the catalogue's order.
const CliCommandList& cliCommands();
const CliCommand* findCliCommand(const QString& name);
