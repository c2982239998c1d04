// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forecast/CriteriaRanges.h"
#include "shell/CommandOutcome.h"

#include "chance/Backtest.h"

#include <QStringList>
#include <optional>
#include <vector>

class GridCommands;
class Jobs;
class ReportSteps;
struct Report;
class StateChanges;
class UserInterface;
class Study;
class History;
class Play;

// The reports that set the statistics against chance: "Hasard", "Cotes du Keno", the companions
// of "Partenaire ideal" and "Annonceur", and the backtest of the forecast selection.
class ChanceCommands {
public:
    ChanceCommands(const History& draws, const Play& play, Study& study, const CriteriaRanges& criteria, UserInterface& ui,
                   const StateChanges& changes, ReportSteps& steps, GridCommands& grid, Jobs& jobs)
        : m_draws(draws), m_play(play), m_study(study), m_criteria(criteria), m_ui(ui), m_changes(changes), m_steps(steps),
          m_grid(grid), m_jobs(jobs)
    {
    }

    CommandOutcome hasard();
    CommandOutcome cotesKeno();
    CommandOutcome partenairesHasard();
    CommandOutcome annonceurHasard();

    // Asks how many numbers to play, then runs the backtest, its random players drawn from `seed`.
    CommandOutcome testerPrevision(quint32 seed);
    // Runs the backtest of `size` numbers as a job (a stop keeps the draws played so far) and
    // writes its report at the end; refused when the size is out of range.
    CommandOutcome backtest(int size, quint32 seed);

    // The comparison with chance that follows the lines of "Performance".
    QStringList performanceComparison(const std::vector<int>& ticked) const;

private:
    // What a backtest of `size` numbers reads now.
    BacktestJob prepareBacktest(int size, quint32 seed);
    // Writes the report of a finished (or stopped) backtest.
    CommandOutcome showBacktest(const BacktestJob& job, const BacktestResult& result);
    // Shows Report::ownLines.
    CommandOutcome writeReport(const QString& title, const QStringList& lines, bool exported = true);

    const History& m_draws;
    const Play& m_play; // the pay tables in force and the stake
    Study& m_study;
    const CriteriaRanges& m_criteria;
    UserInterface& m_ui;
    const StateChanges& m_changes;
    ReportSteps& m_steps;
    GridCommands& m_grid;
    Jobs& m_jobs;
};
