// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AnalysisCommands.h"

#include "analyses/Announcer.h"
#include "analyses/BestPartners.h"
#include "analyses/ColumnReport.h"
#include "analyses/CombinationEngine.h"
#include "analyses/GroupCounts.h"
#include "output/NumberFormat.h"
#include "shell/GridCommands.h"
#include "shell/Jobs.h"
#include "shell/Messages.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/UserInterface.h"
#include "shell/WorkspaceState.h"

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

void AnalysisCommands::writeLines(const AnalysisReport& report)
{
    ReportModel& model = m_state.report;
    if (report.caption)
        model.caption = *report.caption;
    for (const QString& line : report.lines)
        model.resultat.add(line);
    m_changes.changed(StatePart::ReportPart);
}

void AnalysisCommands::dizaines()
{
    WorkspaceState& s = m_state;
    s.report.keepTitle(QStringLiteral("Dizaines/Unités"));
    s.report.caption.clear();
    s.report.resultat.clear();
    s.report.resultat2.visible = false;
    m_changes.changed(StatePart::ReportPart);
    writeLines(GroupCounts::dizainesUnites(s.matrix, s.period));
    m_steps.wordpad();
}

void AnalysisCommands::septaines()
{
    WorkspaceState& s = m_state;
    s.report.caption.clear();
    m_steps.calcul();
    s.report.keepTitle(QStringLiteral("Septaines"));
    s.report.resultat2.visible = false;
    s.report.resultat.clear();
    writeLines(GroupCounts::septaines(s.stats, s.matrix.formula()));
    m_steps.wordpad();
}

void AnalysisCommands::pairsImpairs()
{
    WorkspaceState& s = m_state;
    s.report.caption.clear();
    m_steps.calcul();
    s.report.keepTitle(QStringLiteral("Pairs / Impairs"));
    s.report.resultat2.visible = false;
    s.report.resultat.clear();
    writeLines(GroupCounts::pairsImpairs(s.stats, s.matrix.formula()));
    m_steps.wordpad();
}

void AnalysisCommands::petitsGros()
{
    WorkspaceState& s = m_state;
    m_steps.calcul();
    s.report.keepTitle(QStringLiteral("Petits / Gros Numéros"));
    s.report.resultat.clear();
    s.report.resultat2.visible = false;
    writeLines(GroupCounts::petitsGros(s.stats, s.matrix.formula()));
    m_steps.wordpad();
}

void AnalysisCommands::colonne()
{
    WorkspaceState& s = m_state;
    const int column = ColumnReport::readAnswer(
        m_ui.askText(QString(), ColumnReport::prompt(s.matrix.formula()), QString()).value_or(QString()));
    if (!ColumnReport::isColumn(column, s.matrix.formula()))
        return;
    const AnalysisReport report = ColumnReport::report(s.drawLines(), s.period, column, s.matrix.formula());
    s.report.keepTitle(QStringLiteral("Colonne"));
    s.report.resultat.visible = true;
    s.report.resultat.clear();
    writeLines(report);
    s.report.resultat2.visible = false;
    m_changes.changed(StatePart::ReportPart);
}

void AnalysisCommands::partenaire()
{
    WorkspaceState& s = m_state;
    s.matrix.resize(s.itemCount() + 1);
    s.report.keepTitle(QStringLiteral("Partenaire ideal"));
    s.report.resultat.clear();
    const QList<int> chosen = m_grid.chosenNumbers();
    s.report.resultat2.visible = false;
    const AnalysisReport report = BestPartners::report(s.matrix, s.period, chosen);
    writeLines(report);
    if (report.exported)
        m_steps.wordpad();
}

CommandOutcome AnalysisCommands::annonceur()
{
    WorkspaceState& s = m_state;
    const QList<int> chosen = m_grid.chosenNumbers();
    const Announcer::Result result = Announcer::report(s.matrix, s.period, chosen);
    if (result.tooManyNumbers)
        return CommandOutcome::refused(Announcer::tooManyMessage(s.matrix.formula()));
    s.report.keepTitle(QStringLiteral("Annonceur"));
    s.report.resultat2.visible = false;
    s.report.resultat.clear();
    s.report.resultat.widthTwips = kWideList;
    writeLines(result.report);
    if (result.report.exported)
        m_steps.wordpad();
    return CommandOutcome::done();
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
    WorkspaceState& s = m_state;
    ReportModel& report = s.report;
    report.keepTitle(QStringLiteral("Plus sortis"));
    report.resultat.visible = true;
    report.resultat2.visible = false;
    const QList<int> chosen = m_grid.chosenNumbers();
    report.resultat.clear();
    report.resultat.widthTwips = kWideList;
    report.resultat2.clear();
    m_changes.changed(StatePart::ReportPart);
    const int r = askSize();
    if (r == 0)
        return;
    // The walk works on its own copies: the list and grid may not change under it.
    auto matrix = std::make_shared<const DrawMatrix>(s.matrix);
    const StudyPeriod period = s.period;
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
    WorkspaceState& s = m_state;
    ReportModel& report = s.report;
    report.keepTitle(QStringLiteral("Recherche Ecart"));
    report.resultat.visible = true;
    report.resultat.clear();
    report.resultat.widthTwips = kWideList;
    report.resultat2.visible = false;
    m_changes.changed(StatePart::ReportPart);
    m_steps.hideBusy();
    // The hourglass stays until the walk has ended, wherever it runs.
    auto hourglass = std::make_shared<Hourglass>(m_steps);
    const QList<int> chosen = m_grid.chosenNumbers();
    const int r = askSize();
    if (r == 0)
        return;
    const int least = typedInt(m_ui.askText(QString(), CombinationWalk::leastPrompt(), QString::number(r)));
    auto matrix = std::make_shared<const DrawMatrix>(s.matrix);
    const int start = s.selected - 1;
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
        m_state.report.resultat.add(CombinationWalk::stoppedLine(result.examined, result.total));
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
    WorkspaceState& s = m_state;
    ResultList& list = s.report.resultat;
    unsigned parts = StatePart::ReportPart;
    if (list.lines != lines) {
        list.clear();
        for (const QString& line : lines)
            list.add(line);
        if (!lines.isEmpty())
            list.setSelected(list.count() - 1, true);
    }
    m_label1 = combination;
    if (latestRecordDraw >= 0) {
        s.entry.affichage = s.lineText(latestRecordDraw);
        parts |= StatePart::EntryPart;
    }
    m_changes.changed(parts);
}
