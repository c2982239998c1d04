// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/CommandOutcome.h"

#include "analyses/AnalysisReport.h"
#include "analyses/CombinationWalk.h"
#include "shell/JobRunner.h"

#include <QString>

class GridCommands;
class Jobs;
class ReportArea;
class ReportSteps;
class StateChanges;
class UserInterface;
struct Report;
class Study;
class History;
class WindowFields;

// The analyses of the number groups, the columns, the partners, the announcer and the two
// combination walks. Each report says which list is cleared and which only hidden, which caption
// is kept, whether the export step follows.
class AnalysisCommands {
public:
    AnalysisCommands(const History& draws, WindowFields& window, const Study& study, ReportArea& area, UserInterface& ui,
                     const StateChanges& changes, ReportSteps& steps, GridCommands& grid, Jobs& jobs)
        : m_draws(draws), m_window(window), m_study(study), m_area(area), m_ui(ui), m_changes(changes), m_steps(steps),
          m_grid(grid), m_jobs(jobs)
    {
    }

    CommandOutcome dizaines(); // Dix
    CommandOutcome septaines(); // Sept
    CommandOutcome pairsImpairs(); // Pi
    CommandOutcome petitsGros(); // PG
    CommandOutcome colonne(); // Colonne
    CommandOutcome partenaire(); // Part
    // Refused, nothing changed, when more numbers are ticked than a draw holds.
    CommandOutcome annonceur(); // Annonceur
    void plusSortis(); // PlusSortis
    void rechercheEcart(); // Recherche
    void graph(); // cmdGraph: fresh statistics for the chart window

    // The two walks run as jobs; meanwhile the list and the grid must not change.
    bool walkRunning() const { return m_walking; }
    // `Label1`: the combination under examination, then the last one examined.
    const QString& label1() const { return m_label1; }
    // While a walk runs: how many combinations it has examined, the share and the time left.
    const QString& walkProgress() const { return m_walkProgress; }

private:
    static Report analysis(const QString& name, const AnalysisReport& lines);
    static Report walkReport(const QString& name);
    // The size of the combinations, or 0 when the answer is not 2..10.
    int askSize();
    void showWalkStart(const Report& report);
    void startWalk(Job job);
    // Cancel and progress from `context`; the records so far are shown as they come.
    CombinationWalk::Options walkOptions(JobContext& context, bool showLatestRecord);
    void showWalk(const QString& combination, const QStringList& lines, int latestRecordDraw, const QString& progress = {});
    void endWalk(const CombinationWalk::Result& result);

    const History& m_draws;
    WindowFields& m_window;
    const Study& m_study;
    ReportArea& m_area;
    UserInterface& m_ui;
    const StateChanges& m_changes;
    ReportSteps& m_steps;
    GridCommands& m_grid;
    Jobs& m_jobs;
    bool m_walking = false;
    QString m_label1;
    QString m_walkProgress;
};
