#pragma once

struct CommandContext;

// Manual entry and correction of draws, and the clicks on the result list.
class EntryCommands {
public:
    explicit EntryCommands(CommandContext& context) : m_ctx(context) { }

    void doubleClickListe();
    // Prepares the oldest draw for correction (a click on line 0 acts on line 1 for the
    // statistics, so the oldest draw is reached this way).
    void chooseOldestDraw();
    void validateEntry(); // OK
    void effacer(); // Annuler
    void clickResultat(int index);

private:
    CommandContext& m_ctx;
};
