// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forecast/CriteriaRanges.h"
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

    void srti();
    void sorties() { rankWith(RankingKind::Sorties); }
    void ecarts() { rankWith(RankingKind::Ecarts); }
    void ecartsMax() { rankWith(RankingKind::EcartsMax); }
    void numero() { rankWith(RankingKind::Numero); }

private:
    void rankWith(RankingKind kind);
    // Calcul when the statistics are stale, the criteria the ranking moves, then the ranking.
    void runRanking(RankingKind kind, bool exported);
    // The ranking of the statistics up to the draw before the selection: 35 numbers on the
    // left, the rest on the right, each list under the header.
    Report ranking(RankingKind kind) const;

    const History& m_draws;
    Study& m_study;
    CriteriaRanges& m_criteria;
    const StateChanges& m_changes;
    ReportSteps& m_steps;
};
