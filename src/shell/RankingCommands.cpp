#include "shell/RankingCommands.h"

#include "shell/CommandContext.h"
#include "shell/Messages.h"
#include "shell/OutputCommands.h"
#include "shell/UserInterface.h"
#include "shell/Workspace.h"

#include <algorithm>

void RankingCommands::showBusy(const QString& status)
{
    ReportModel& report = m_ctx.state.report;
    report.status = status;
    report.busy = true;
    m_ctx.changed(Workspace::BusyPart | Workspace::ReportPart);
}

void RankingCommands::hideBusy()
{
    m_ctx.state.report.busy = false;
    m_ctx.changed(Workspace::BusyPart);
}

void RankingCommands::calcul()
{
    WorkspaceState& s = m_ctx.state;
    const Hourglass hourglass(m_ctx);
    showBusy(QStringLiteral("CALCUL"));
    s.matrix.resize(s.itemCount() + 1);
    s.stats = computeStats(s.matrix, s.period);
    s.statsValid = true;
}

void RankingCommands::runRanking(RankingKind kind)
{
    WorkspaceState& s = m_ctx.state;
    if (!s.statsValid)
        calcul();
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
    showBusy(texts.status);
    for (int n : Rankings::order(kind, s.stats)) {
        ResultList& target = report.resultat.count() < 36 ? report.resultat : report.resultat2;
        target.add(Rankings::line(kind, n, s.stats));
    }
    if (kind == RankingKind::Sorties)
        s.criteria.updateAfterSorties(s.stats);
    else if (kind == RankingKind::EcartsMax)
        s.criteria.updateAfterEcartsMax(s.stats);
    m_ctx.changed(Workspace::ReportPart | Workspace::CriteriaPart);
}

void RankingCommands::srti()
{
    runRanking(RankingKind::Sorties);
}

void RankingCommands::rankWith(RankingKind kind)
{
    m_ctx.state.period.last = m_ctx.state.selected - 1;
    runRanking(kind);
    wordpad();
}

void RankingCommands::wordpad()
{
    if (!m_ctx.state.exportEnabled)
        return;
    const QString name = m_ctx.ui.askSaveFileName(QStringLiteral("Sauvegarde"), QStringLiteral("txt"));
    if (name.isEmpty())
        return;
    m_ctx.output->exportReport(name);
}
