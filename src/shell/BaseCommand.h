#pragma once

#include <QString>
#include <QStringList>

struct CommandContext;

// What building the histories from archives came to; the window shows it, the command line
// prints it.
struct HistoryBuild {
    enum class Status {
        Cancelled, // no archive chosen, or a correction kept back
        NothingRead,
        ArchivesDisagree,
        WorkingDisagrees, // a line of the working history contradicts the archives, or is no dated draw
        Declined, // the existing histories were not to be replaced
        WriteFailed,
        Built,
    };
    Status status = Status::Cancelled;
    QString text; // French: what happened
    QStringList summary; // French: what was read and what each file holds
    QString existing; // a history file that the build would replace
    int written = 0; // draws of the working history written
};

// Building the base history and the working history from several of the operator's archives,
// for a player who has none yet or who starts again from the archives. The draws of the
// working history that the archives lack are kept.
class BaseCommand {
public:
    explicit BaseCommand(CommandContext& context) : m_ctx(context) { }

    // Asks for the archives, then build() and shows what came of it.
    void construireHistorique();

    // Reads the archives with the progress bar shown, merges the working history, asks before
    // replacing a history (naming both files and their counts), writes both files or neither,
    // loads the new working history and shows the ranking.
    HistoryBuild build(const QStringList& archives);

private:
    CommandContext& m_ctx;
};
