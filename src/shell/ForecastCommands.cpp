// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ForecastCommands.h"

#include "shell/ChanceCommands.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/WorkspaceConfig.h"
#include "shell/WorkspaceState.h"

#include "analyses/GridPresets.h"
#include "forecast/ForecastSelection.h"
#include "forecast/Performance.h"
#include "shell/GridCommands.h"

#include <QDir>
#include <QFileInfo>

void ForecastCommands::performance()
{
    WorkspaceState& s = m_state;
    ReportModel& report = s.report;
    m_steps.hideBusy();
    report.resultat.visible = true;
    report.resultat2.visible = false;
    report.resultat.widthTwips = 5600;
    report.resultat.clear();
    report.resultat2.clear();
    std::vector<int> ticked;
    for (int n : m_grid.chosenNumbers())
        ticked.push_back(n);
    {
        const Hourglass hourglass(m_steps);
        const PerformanceReport result = Performance::evaluate(s.drawLines(), s.matrix, s.period, ticked);
        report.setTitle(result.title); // "Performance d'un ensemble", over an empty caption
        report.caption = result.caption;
        for (const QString& line : result.lines)
            report.resultat.add(line);
        report.resultat.setSelected(result.selectedLine, true);
        if (result.dat)
            s.entry.dat = *result.dat;
        m_changes.changed(StatePart::ReportPart | StatePart::EntryPart);
    }
    // After the report's own lines: what chance alone would have paid over the same draws.
    m_chance.appendPerformanceComparison(ticked);
    m_steps.wordpad();
}

void ForecastCommands::runPreset(const std::vector<int>& numbers)
{
    m_grid.untickAll();
    for (int n : numbers)
        m_grid.setCheck(n, true);
    m_changes.changed(StatePart::GridPart | StatePart::CountersPart);
    performance();
}

void ForecastCommands::colonnes(int index)
{
    if (index >= 0 && index <= 6)
        runPreset(GridPresets::colonnes(index));
}

void ForecastCommands::finales(int index)
{
    if (index >= 1 && index <= 10)
        runPreset(GridPresets::finales(index));
}

void ForecastCommands::selectionNumeros()
{
    WorkspaceState& s = m_state;
    ReportModel& report = s.report;
    report.keepTitle(QStringLiteral("Selection numéros"));
    report.resultat.clear();
    report.resultat2.visible = false;
    report.resultat.widthTwips = 5600;
    {
        const Hourglass hourglass(m_steps);
        // Each of the three windows is a Calcul: the busy indicator says so and stays.
        m_steps.showBusy(QStringLiteral("CALCUL"));
        const ForecastSelectionResult result = ForecastSelection::run(s.matrix, s.selected, s.criteria);
        s.period = result.period;
        s.stats = result.stats;
        s.statsValid = true;
        for (const QString& line : result.lines)
            report.resultat.add(line);
        m_changes.changed(StatePart::ReportPart);
    }
    m_steps.wordpad();
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
    const QString problem = m_state.criteria.chargeConf(path);
    m_changes.changed(StatePart::CriteriaPart);
    return problem;
}

CommandOutcome ForecastCommands::saveCriteria()
{
    const QString path = criteriaPath();
    // "Sauver" is an explicit request: the settings folder is made when it is missing.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    if (m_state.criteria.save(path, &error))
        return CommandOutcome::done();
    return CommandOutcome::failed(error);
}

void ForecastCommands::moveCriterion(CriterionBar bar, int position)
{
    m_state.criteria.setValue(bar, position);
    m_changes.changed(StatePart::CriteriaPart);
}

void ForecastCommands::forgetCriteria()
{
    m_state.criteria = ForecastCriteria();
    m_changes.changed(StatePart::CriteriaPart);
}
