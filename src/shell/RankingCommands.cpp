// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/RankingCommands.h"

#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/WorkspaceState.h"

#include <algorithm>

void RankingCommands::runRanking(RankingKind kind)
{
    WorkspaceState& s = m_state;
    if (!s.statsValid)
        m_steps.calcul();
    ReportModel& report = s.report;
    report.resultat.clear();
    report.resultat.visible = true;
    report.resultat.widthTwips = 2800;
    report.resultat2.widthTwips = 2800;
    report.resultat2.clear();
    report.resultat2.visible = true;
    const RankingTexts texts = Rankings::texts(kind);
    report.setTitle(texts.title + s.itemDate(s.selected - 1));
    report.caption = texts.caption;
    report.resultat.add(QString::fromLatin1(Rankings::kHeader));
    report.resultat2.add(QString::fromLatin1(Rankings::kHeader));
    m_steps.showBusy(texts.status);
    // Half the game's numbers a column, each under its header.
    const int numbers = s.game().numbers, perColumn = 1 + numbers / 2;
    for (int n : Rankings::order(kind, s.stats)) {
        if (n > numbers)
            continue;
        ResultList& target = report.resultat.count() < perColumn ? report.resultat : report.resultat2;
        target.add(Rankings::line(kind, n, s.stats));
    }
    if (kind == RankingKind::Sorties)
        s.criteria.updateAfterSorties(s.stats, s.matrix.formula());
    else if (kind == RankingKind::EcartsMax)
        s.criteria.updateAfterEcartsMax(s.stats, s.matrix.formula());
    m_changes.changed(StatePart::ReportPart | StatePart::CriteriaPart);
}

void RankingCommands::srti()
{
    runRanking(RankingKind::Sorties);
}

void RankingCommands::rankWith(RankingKind kind)
{
    m_state.period.last = m_state.selected - 1;
    runRanking(kind);
    m_steps.wordpad();
}
