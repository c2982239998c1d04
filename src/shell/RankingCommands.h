// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forecast/CriteriaRanges.h"
#include "shell/CommandOutcome.h"
#include "stats/Rankings.h"

class ReportSteps;
struct Report;
class StateChanges;
class Study;
class History;

// The four rankings of the numbers.
class RankingCommands {
public:
    RankingCommands(const History& draws, Study& study, CriteriaRanges& criteria, const StateChanges& changes, ReportSteps& steps)
        : m_draws(draws), m_study(study), m_criteria(criteria), m_changes(changes), m_steps(steps)
    {
    }

    // The ranking a load ends with: it has no export step, so nothing to tell.
    void srti();
    CommandOutcome sorties() { return rankWith(RankingKind::Sorties); }
    CommandOutcome ecarts() { return rankWith(RankingKind::Ecarts); }
    CommandOutcome ecartsMax() { return rankWith(RankingKind::EcartsMax); }
    CommandOutcome numero() { return rankWith(RankingKind::Numero); }

private:
    CommandOutcome rankWith(RankingKind kind);
    // Calcul when the statistics are stale, the criteria the ranking moves, then the ranking.
    CommandOutcome runRanking(RankingKind kind, bool exported);
    // The ranking of the statistics up to the draw before the selection: 35 numbers on the
    // left, the rest on the right, each list under the header.
    Report ranking(RankingKind kind) const;

    const History& m_draws;
    Study& m_study;
    CriteriaRanges& m_criteria;
    const StateChanges& m_changes;
    ReportSteps& m_steps;
};
