// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/RankingCommands.h"

#include "output/Report.h"
#include "shell/History.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/WindowFields.h"

namespace {

constexpr int kListWidth = 2800;

ReportList rankingList(QStringList lines)
{
    ReportList list = ReportList::replacedBy(std::move(lines), true);
    list.widthTwips = kListWidth;
    return list;
}

} // namespace

Report RankingCommands::ranking(RankingKind kind) const
{
    const History& s = m_draws;
    const RankingTexts texts = Rankings::texts(kind);
    Report report = Report::ownTitle(texts.title + s.itemDate(s.selected() - 1));
    report.caption = texts.caption;
    report.busy = Report::Busy::Shown;
    report.status = texts.status;
    QStringList left{QString::fromLatin1(Rankings::kHeader)};
    QStringList right{QString::fromLatin1(Rankings::kHeader)};
    // Half the game's numbers a column, each under its header.
    const int numbers = s.game().numbers, perColumn = 1 + numbers / 2;
    const NumberStats& stats = m_study.stats();
    for (int n : Rankings::order(kind, stats)) {
        if (n > numbers)
            continue;
        (left.size() < perColumn ? left : right) << Rankings::line(kind, n, stats);
    }
    report.resultat = rankingList(left);
    report.resultat2 = rankingList(right);
    return report;
}

CommandOutcome RankingCommands::runRanking(RankingKind kind, bool exported)
{
    const History& s = m_draws;
    if (!m_study.statsValid())
        m_steps.calcul();
    Report report = ranking(kind);
    report.exported = exported;
    if (kind == RankingKind::Sorties)
        m_criteria.updateAfterSorties(m_study.stats(), s.matrix().formula());
    else if (kind == RankingKind::EcartsMax)
        m_criteria.updateAfterEcartsMax(m_study.stats(), s.matrix().formula());
    m_changes.changed(StatePart::CriteriaPart);
    return m_steps.show(report);
}

void RankingCommands::srti()
{
    (void)runRanking(RankingKind::Sorties, false);
}

CommandOutcome RankingCommands::rankWith(RankingKind kind)
{
    m_study.endAt(m_draws.selected() - 1);
    return runRanking(kind, true);
}
