#pragma once

#include <QString>

struct CommandContext;

// What a player is offered when the data folder holds no history at all: build it from the
// operator's archives, try the demonstration history, or go on with the empty list.
class FirstRunCommand {
public:
    explicit FirstRunCommand(CommandContext& context) : m_ctx(context) { }

    // The buttons of the question, in this order.
    enum Choice { Build = 0, Demonstration = 1, EmptyList = 2 };
    static const QString kTitle;

    // True when the data folder holds neither history file.
    bool isFirstRun() const;
    // Asks until the player has a history or chooses to go on without one: a build that was
    // cancelled or wrote nothing brings the question back.
    void offer();
    // The question's text for this data folder.
    QString question() const;

private:
    CommandContext& m_ctx;
};
