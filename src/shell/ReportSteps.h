// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/CommandOutcome.h"

#include <QString>
#include <functional>

class OutputCommands;
class StateChanges;
class UserInterface;
struct WorkspaceState;

// The steps the reports share: the statistics of the study period, the busy indicator, the
// hourglass and the export every report may end with.
class ReportSteps {
public:
    // `announce` takes what the export step came to when it was not written.
    ReportSteps(WorkspaceState& state, UserInterface& ui, const StateChanges& changes, OutputCommands& output,
                std::function<void(const CommandOutcome&)> announce)
        : m_state(state), m_ui(ui), m_changes(changes), m_output(output), m_announce(std::move(announce))
    {
    }

    // Calcul: the statistics of the study period (the busy indicator says "CALCUL").
    void calcul();
    void showBusy(const QString& status);
    void hideBusy();
    // Writes the report to a file the person names, when "Exporter les calculs" is ticked.
    void wordpad();

    // The hourglass; nested uses keep it until the outermost ends.
    void beginWait();
    void endWait();

private:
    WorkspaceState& m_state;
    UserInterface& m_ui;
    const StateChanges& m_changes;
    OutputCommands& m_output;
    std::function<void(const CommandOutcome&)> m_announce;
};

// The hourglass for as long as it lives.
class Hourglass {
public:
    explicit Hourglass(ReportSteps& steps) : m_steps(steps) { m_steps.beginWait(); }
    ~Hourglass() { m_steps.endWait(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    ReportSteps& m_steps;
};
