// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/CommandOutcome.h"

#include <QString>

class OutputCommands;
class ReportArea;
struct Report;
class StateChanges;
class UserInterface;
class Study;
class History;
class WindowFields;

// The steps the reports share: showing a report, the statistics of the study period, the busy indicator, the
// hourglass and the export every report may end with.
class ReportSteps {
public:
    ReportSteps(const History& draws, const WindowFields& window, Study& study, ReportArea& area, UserInterface& ui,
                const StateChanges& changes, OutputCommands& output)
        : m_draws(draws), m_window(window), m_study(study), m_area(area), m_ui(ui), m_changes(changes), m_output(output)
    {
    }

    // The one place a report reaches the report area: writes it, announces it, then runs the
    // export step when the report ends with it; returns what that step came to (done when
    // nothing was to be written).
    [[nodiscard]] CommandOutcome show(const Report& report);

    // Calcul: the statistics of the study period (the busy indicator says "CALCUL").
    void calcul();
    void showBusy(const QString& status);
    void hideBusy();
    // Writes the report to a file the person names, when "Exporter les calculs" is ticked.
    [[nodiscard]] CommandOutcome wordpad();

    // The hourglass; nested uses keep it until the outermost ends.
    void beginWait();
    void endWait();
    bool waiting() const { return m_waitDepth > 0; }

private:
    const History& m_draws;
    const WindowFields& m_window;
    Study& m_study;
    ReportArea& m_area;
    UserInterface& m_ui;
    const StateChanges& m_changes;
    OutputCommands& m_output;
    int m_waitDepth = 0;
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
