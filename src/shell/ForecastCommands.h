// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forecast/CriteriaRanges.h"
#include "forecast/CriterionBar.h"
#include "shell/CommandOutcome.h"

#include <QString>
#include <vector>

class ChanceCommands;
class GridCommands;
class ReportSteps;
class StateChanges;
struct WorkspaceConfig;
class Study;
class History;
class Play;
class WindowFields;

// The performance of the ticked set, the grid presets that run it, the forecast selection and
// the criteria the selection reads (mirrored by the criteria window).
class ForecastCommands {
public:
    ForecastCommands(const History& draws, const Play& play, WindowFields& window, Study& study, CriteriaRanges& criteria,
                     const WorkspaceConfig& config, const StateChanges& changes, ReportSteps& steps, GridCommands& grid,
                     ChanceCommands& chance)
        : m_draws(draws), m_play(play), m_window(window), m_study(study), m_criteria(criteria), m_config(config),
          m_changes(changes), m_steps(steps), m_grid(grid), m_chance(chance)
    {
    }

    // "Performance" (Perf2) on the ticked numbers over the study period.
    CommandOutcome performance();
    // "Colonnes" item C1(index), index 0..6: the ten numbers of one row, then "Performance".
    CommandOutcome colonnes(int index);
    // "Finales" item F0(index), index 1..10 (10 for the digit 0), then "Performance".
    CommandOutcome finales(int index);
    // "Selection numéros" (Magic): leaves the study period on the general window.
    CommandOutcome selectionNumeros();

    // The criteria file Varn/tiravol.cfg of the user's configuration folder.
    QString criteriaPath() const;
    // Opening the criteria window from the menu and "Reset configuration": lines 1-9 of the
    // file replace the current criteria; a faulty file's fault is a notice, told once.
    CommandOutcome reloadCriteria();
    // Lines 1-9 of the criteria file `path` replace the current criteria; returns the file's
    // fault (empty when none) for the caller to tell.
    QString loadCriteria(const QString& path);
    // "Sauver": failed with the reason when the file could not be written; the old one is then kept.
    CommandOutcome saveCriteria();
    // A bar moved by the person; its label and coupling rule follow.
    void moveCriterion(CriterionBar bar, int position);
    // The window closed by its title bar: the next use starts from the design-time criteria.
    void forgetCriteria();

private:
    CommandOutcome runPreset(const std::vector<int>& numbers);

    const History& m_draws;
    const Play& m_play; // the pay tables in force and the stake
    WindowFields& m_window;
    Study& m_study;
    CriteriaRanges& m_criteria;
    const WorkspaceConfig& m_config;
    const StateChanges& m_changes;
    ReportSteps& m_steps;
    GridCommands& m_grid;
    ChanceCommands& m_chance;
    QString m_toldProblem; // the criteria file's fault last told
};
