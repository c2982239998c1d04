// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ForecastCommands.h"

#include "output/Report.h"
#include "shell/ChanceCommands.h"
#include "shell/History.h"
#include "shell/PlayedWager.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/WindowFields.h"
#include "shell/WorkspaceConfig.h"

#include "analyses/GridPresets.h"
#include "forecast/ForecastSelection.h"
#include "forecast/Performance.h"
#include "shell/GridCommands.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kWideList = 5600;

} // namespace

CommandOutcome ForecastCommands::performance()
{
    const History& s = m_draws;
    m_steps.hideBusy();
    std::vector<int> ticked;
    for (int n : m_grid.chosenNumbers())
        ticked.push_back(n);
    PerformanceReport result;
    {
        const Hourglass hourglass(m_steps);
        result = Performance::evaluate(s.drawLines(), s.matrix(), m_study.period(), ticked, playedWager(s, m_play));
    }
    Report report = Report::ownTitle(result.title); // "Performance d'un ensemble", over an empty caption
    report.caption = result.caption;
    // After the report's own lines: what chance alone would have paid over the same draws.
    report.resultat = ReportList::replacedBy(result.lines + m_chance.performanceComparison(ticked), true);
    report.resultat.selectedLine = result.selectedLine;
    report.resultat.widthTwips = kWideList;
    report.resultat2 = ReportList::cleared(false);
    report.exported = true;
    if (result.dat) {
        m_window.proposeDate(*result.dat);
        m_changes.changed(StatePart::EntryPart);
    }
    return m_steps.show(report);
}

CommandOutcome ForecastCommands::runPreset(const std::vector<int>& numbers)
{
    m_grid.untickAll();
    for (int n : numbers)
        m_grid.setCheck(n, true);
    m_changes.changed(StatePart::GridPart | StatePart::CountersPart);
    return performance();
}

CommandOutcome ForecastCommands::colonnes(int index)
{
    if (index >= 0 && index <= 6)
        return runPreset(GridPresets::colonnes(index, m_draws.matrix().formula()));
    return CommandOutcome::done();
}

CommandOutcome ForecastCommands::finales(int index)
{
    if (index >= 1 && index <= 10)
        return runPreset(GridPresets::finales(index, m_draws.matrix().formula()));
    return CommandOutcome::done();
}

CommandOutcome ForecastCommands::selectionNumeros()
{
    const History& s = m_draws;
    Report report = Report::keptTitle(QStringLiteral("Selection numéros"));
    {
        const Hourglass hourglass(m_steps);
        // Each of the three windows is a Calcul: the busy indicator says so and stays.
        m_steps.showBusy(QStringLiteral("CALCUL"));
        const ForecastSelectionResult result = ForecastSelection::run(s.matrix(), s.selected(), m_criteria);
        m_study.take(result.period, result.stats);
        report.resultat = ReportList::replacedBy(result.lines);
    }
    report.resultat.widthTwips = kWideList;
    report.resultat2 = ReportList::hidden();
    report.exported = true;
    return m_steps.show(report);
}

QString ForecastCommands::criteriaPath() const
{
    return ForecastCriteria::filePath(m_config.appDataFolder);
}

CommandOutcome ForecastCommands::reloadCriteria()
{
    const QString problem = loadCriteria(criteriaPath());
    // The criteria the file gives are taken all the same; the same fault of the same file is
    // told once, not at every opening of the window.
    CommandOutcome outcome;
    if (!problem.isEmpty() && problem != m_toldProblem)
        outcome.tell(problem);
    m_toldProblem = problem;
    return outcome;
}

QString ForecastCommands::loadCriteria(const QString& path)
{
    const QString problem = m_criteria.chargeConf(path);
    m_changes.changed(StatePart::CriteriaPart);
    return problem;
}

CommandOutcome ForecastCommands::saveCriteria()
{
    const QString path = criteriaPath();
    // "Sauver" is an explicit request: the settings folder is made when it is missing.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    if (m_criteria.save(path, &error))
        return CommandOutcome::done();
    return CommandOutcome::failed(error);
}

void ForecastCommands::moveCriterion(CriterionBar bar, int position)
{
    m_criteria.setValue(bar, position);
    m_changes.changed(StatePart::CriteriaPart);
}

void ForecastCommands::forgetCriteria()
{
    m_criteria = ForecastCriteria();
    m_changes.changed(StatePart::CriteriaPart);
}
