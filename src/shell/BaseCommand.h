#pragma once

struct CommandContext;

// Building the base history and the working history from several of the operator's archives,
// for a player who has none yet (or who starts again from the archives).
class BaseCommand {
public:
    explicit BaseCommand(CommandContext& context) : m_ctx(context) { }

    // Asks for the archives, reads them with the progress bar shown, asks before replacing a
    // history, writes both files, loads the new working history and shows the summary.
    void construireHistorique();

private:
    CommandContext& m_ctx;
};
