// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AnalysisCommands.h"

#include "analyses/Announcer.h"
#include "analyses/BestPartners.h"
#include "analyses/ColumnReport.h"
#include "analyses/CombinationEngine.h"
#include "analyses/GroupCounts.h"
#include "output/NumberFormat.h"
#include "output/Report.h"
#include "shell/GridCommands.h"
#include "shell/History.h"
#include "shell/Jobs.h"
#include "shell/Messages.h"
#include "shell/ReportArea.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/UserInterface.h"
#include "shell/WindowFields.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace {

constexpr int kWideList = 5600;

int typedInt(const std::optional<QString>& answer)
{
    // A cancelled box reads as an empty answer.
    const qint64 v = NumberFormat::readTypedNumber(answer.value_or(QString()));
    return static_cast<int>(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

// An analysis under the title the classic reports left (`name` says which report is shown):
// its lines replace the left list, the right list is hidden with its lines kept.
Report AnalysisCommands::analysis(const QString& name, const AnalysisReport& lines)
{
    Report report = Report::keptTitle(name);
    report.caption = lines.caption;
    report.resultat = ReportList::replacedBy(lines.lines);
    report.resultat2 = ReportList::hidden();
    report.exported = lines.exported;
    return report;
}

CommandOutcome AnalysisCommands::dizaines()
{
    const History& s = m_draws;
    return m_steps.show(analysis(QStringLiteral("Dizaines/Unités"), GroupCounts::dizainesUnites(s.matrix(), m_study.period())));
}

CommandOutcome AnalysisCommands::septaines()
{
    m_steps.calcul();
    return m_steps.show(
        analysis(QStringLiteral("Septaines"), GroupCounts::septaines(m_study.stats(), m_draws.matrix().formula())));
}

CommandOutcome AnalysisCommands::pairsImpairs()
{
    m_steps.calcul();
    return m_steps.show(
        analysis(QStringLiteral("Pairs / Impairs"), GroupCounts::pairsImpairs(m_study.stats(), m_draws.matrix().formula())));
}

CommandOutcome AnalysisCommands::petitsGros()
{
    m_steps.calcul();
    return m_steps.show(
        analysis(QStringLiteral("Petits / Gros Numéros"), GroupCounts::petitsGros(m_study.stats(), m_draws.matrix().formula())));
}

CommandOutcome AnalysisCommands::colonne()
{
    const History& s = m_draws;
    const int column = ColumnReport::readAnswer(
        m_ui.askText(QString(), ColumnReport::prompt(s.matrix().formula()), QString()).value_or(QString()));
    if (!ColumnReport::isColumn(column, s.matrix().formula()))
        return CommandOutcome::done();
    Report report = analysis(QStringLiteral("Colonne"),
                             ColumnReport::report(s.drawLines(), m_study.period(), column, s.matrix().formula()));
    report.resultat.visible = true;
    return m_steps.show(report);
}

CommandOutcome AnalysisCommands::partenaire()
{
    const History& s = m_draws;
    return m_steps.show(
        analysis(QStringLiteral("Partenaire ideal"), BestPartners::report(s.matrix(), m_study.period(), m_grid.chosenNumbers())));
}

CommandOutcome AnalysisCommands::annonceur()
{
    const History& s = m_draws;
    const Announcer::Result result = Announcer::report(s.matrix(), m_study.period(), m_grid.chosenNumbers());
    if (result.tooManyNumbers)
        return CommandOutcome::refused(Announcer::tooManyMessage(s.matrix().formula()));
    Report report = analysis(QStringLiteral("Annonceur"), result.report);
    report.resultat.widthTwips = kWideList;
    return m_steps.show(report);
}

void AnalysisCommands::graph()
{
    m_steps.calcul();
    m_changes.changed(StatePart::ReportPart);
}

int AnalysisCommands::askSize()
{
    const int r
        = typedInt(m_ui.askText(CombinationWalk::sizeTitle(), CombinationWalk::sizePrompt(), CombinationWalk::sizeDefault()));
    return CombinationWalk::isSize(r) ? r : 0;
}

void AnalysisCommands::plusSortis()
{
    if (m_walking) // one walk at a time: both would write the left list
        return;
    const History& s = m_draws;
    const QList<int> chosen = m_grid.chosenNumbers();
    Report report = walkReport(QStringLiteral("Plus sortis"));
    report.resultat2 = ReportList::cleared(false);
    showWalkStart(report);
    const int r = askSize();
    if (r == 0)
        return;
    // The walk works on its own copies: the list and grid may not change under it.
    auto matrix = std::make_shared<const DrawMatrix>(s.matrix());
    const StudyPeriod period = m_study.period();
    auto result = std::make_shared<CombinationWalk::Result>();
    Job job;
    job.run = [this, matrix, period, chosen, r, result](JobContext& context) {
        *result = CombinationEngine::mostFrequent(*matrix, period, chosen, r, walkOptions(context, false));
    };
    job.finish = [this, result] {
        showWalk(result->lastCombination, result->lines, -1);
        endWalk(*result);
    };
    startWalk(std::move(job));
}

void AnalysisCommands::rechercheEcart()
{
    if (m_walking) // one walk at a time: both would write the left list
        return;
    const History& s = m_draws;
    Report report = walkReport(QStringLiteral("Recherche Ecart"));
    report.busy = Report::Busy::Hidden;
    showWalkStart(report);
    // The hourglass stays until the walk has ended, wherever it runs.
    auto hourglass = std::make_shared<Hourglass>(m_steps);
    const QList<int> chosen = m_grid.chosenNumbers();
    const int r = askSize();
    if (r == 0)
        return;
    const int least = typedInt(m_ui.askText(QString(), CombinationWalk::leastPrompt(), QString::number(r)));
    auto matrix = std::make_shared<const DrawMatrix>(s.matrix());
    const int start = s.selected() - 1;
    const int lineCount = s.itemCount();
    auto result = std::make_shared<CombinationWalk::Result>();
    Job job;
    job.run = [this, matrix, start, lineCount, chosen, r, least, result](JobContext& context) {
        *result = CombinationEngine::gapSearch(*matrix, start, lineCount, chosen, r, least, walkOptions(context, true));
    };
    job.finish = [this, hourglass = std::move(hourglass), result]() mutable {
        showWalk(result->lastCombination, result->lines, result->latestRecordDraw);
        hourglass.reset();
        endWalk(*result);
    };
    startWalk(std::move(job));
}

// A walk's report before its records come: the left list emptied, wide and shown, the right hidden.
Report AnalysisCommands::walkReport(const QString& name)
{
    Report report = Report::keptTitle(name);
    report.resultat = ReportList::cleared(true);
    report.resultat.widthTwips = kWideList;
    report.resultat2 = ReportList::hidden();
    return report;
}

// A walk's first report has no export step: there is nothing to tell of it.
void AnalysisCommands::showWalkStart(const Report& report)
{
    Q_ASSERT(!report.exported);
    (void)m_steps.show(report);
}

void AnalysisCommands::startWalk(Job job)
{
    m_walking = true;
    m_jobs.start(std::move(job));
}

CombinationWalk::Options AnalysisCommands::walkOptions(JobContext& context, bool showLatestRecord)
{
    CombinationWalk::Options options;
    options.cancel = context.cancelFlag();
    options.interval = std::chrono::milliseconds(100);
    options.onProgress = [this, &context, showLatestRecord](const CombinationWalk::Progress& p) {
        // Copied here: the lines the engine points at change once this returns.
        const QString progress = CombinationWalk::progressText(p);
        context.post([this, combination = p.combination, lines = p.lines ? *p.lines : QStringList(),
                      latest = showLatestRecord ? p.latestRecordDraw : -1,
                      progress] { showWalk(combination, lines, latest, progress); });
        context.progress(p.combination + QStringLiteral("  ") + progress, p.done());
    };
    return options;
}

// A stopped walk says so after its records, so that its list is never taken for a whole one.
void AnalysisCommands::endWalk(const CombinationWalk::Result& result)
{
    if (result.stopped)
        m_area.addLine(CombinationWalk::stoppedLine(result.examined, result.total));
    m_walking = false;
    m_walkProgress.clear();
    m_changes.changed(StatePart::MenuPart | StatePart::ReportPart);
}

// The records so far replace the left list (it was cleared before the walk), the newest one
// selected; the gap search also shows the draw of its latest record.
void AnalysisCommands::showWalk(const QString& combination, const QStringList& lines, int latestRecordDraw,
                                const QString& progress)
{
    m_walkProgress = progress;
    m_label1 = combination;
    if (latestRecordDraw >= 0) {
        m_window.showDrawLine(m_draws.lineText(latestRecordDraw));
        m_changes.changed(StatePart::EntryPart);
    }
    m_area.showRecords(lines);
}
