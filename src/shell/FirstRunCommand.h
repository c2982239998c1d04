// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/CommandOutcome.h"

#include <QString>
#include <functional>

class UserInterface;
struct WorkspaceConfig;

// What a player is offered when the data folder holds no history at all: build it from the
// operator's archives, try the demonstration history, or go on with the empty list.
class FirstRunCommand {
public:
    // `build` runs "Construire l'historique" and then its argument with what came of it;
    // `startDemonstration` loads the demonstration history (not done when it could not).
    FirstRunCommand(const WorkspaceConfig& config, UserInterface& ui, std::function<void(OutcomeThen)> build,
                    std::function<CommandOutcome()> startDemonstration)
        : m_config(config), m_ui(ui), m_build(std::move(build)), m_startDemonstration(std::move(startDemonstration))
    {
    }

    // The buttons of the question, in this order.
    enum Choice { Build = 0, Demonstration = 1, EmptyList = 2 };
    static const QString kTitle;

    // True when the data folder holds no history file of either game.
    bool isFirstRun() const;
    // Asks until the player has a history or chooses to go on without one: a build that was
    // cancelled or wrote nothing brings the question back. Then `then` with everything the
    // builds and the demonstration told; the player's choice itself fails nothing.
    void offer(OutcomeThen then) { ask(std::move(then), CommandOutcome::done()); }
    // The question's text for this data folder; it names the game studied, and the other.
    QString question() const;

private:
    // The question once more, after what `told` holds already.
    void ask(OutcomeThen then, CommandOutcome told);

    const WorkspaceConfig& m_config;
    UserInterface& m_ui;
    std::function<void(OutcomeThen)> m_build;
    std::function<CommandOutcome()> m_startDemonstration;
};
