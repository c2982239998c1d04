#include "shell/ForecastCommands.h"

#include "shell/ChanceCommands.h"

#include "analyses/GridPresets.h"
#include "forecast/ForecastSelection.h"
#include "forecast/Performance.h"
#include "shell/CommandContext.h"
#include "shell/GridCommands.h"
#include "shell/Messages.h"
#include "shell/RankingCommands.h"
#include "shell/UserInterface.h"
#include "shell/Workspace.h"

#include <QDir>
#include <QFileInfo>

void ForecastCommands::performance()
{
    WorkspaceState& s = m_ctx.state;
    ReportModel& report = s.report;
    m_ctx.rankings->hideBusy();
    report.resultat.visible = true;
    report.resultat2.visible = false;
    report.resultat.widthTwips = 5600;
    report.resultat.clear();
    report.resultat2.clear();
    std::vector<int> ticked;
    for (int n : m_ctx.grid->chosenNumbers())
        ticked.push_back(n);
    {
        const Hourglass hourglass(m_ctx);
        const PerformanceReport result = Performance::evaluate(s.drawLines(), s.matrix, s.period, ticked);
        report.setTitle(result.title); // "Performance d'un ensemble", over an empty caption
        report.caption = result.caption;
        for (const QString& line : result.lines)
            report.resultat.add(line);
        report.resultat.setSelected(result.selectedLine, true);
        if (result.dat)
            s.entry.dat = *result.dat;
        m_ctx.changed(Workspace::ReportPart | Workspace::EntryPart);
    }
    // After the report's own lines: what chance alone would have paid over the same draws.
    m_ctx.chance->appendPerformanceComparison(ticked);
    m_ctx.rankings->wordpad();
}

void ForecastCommands::runPreset(const std::vector<int>& numbers)
{
    m_ctx.grid->untickAll();
    for (int n : numbers)
        m_ctx.grid->setCheck(n, true);
    m_ctx.changed(Workspace::GridPart | Workspace::CountersPart);
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
    WorkspaceState& s = m_ctx.state;
    ReportModel& report = s.report;
    report.keepTitle(QStringLiteral("Selection numéros"));
    report.resultat.clear();
    report.resultat2.visible = false;
    report.resultat.widthTwips = 5600;
    {
        const Hourglass hourglass(m_ctx);
        // Each of the three windows is a Calcul: the busy indicator says so and stays.
        m_ctx.rankings->showBusy(QStringLiteral("CALCUL"));
        const ForecastSelectionResult result = ForecastSelection::run(s.matrix, s.selected, s.criteria);
        s.period = result.period;
        s.stats = result.stats;
        s.statsValid = true;
        for (const QString& line : result.lines)
            report.resultat.add(line);
        m_ctx.changed(Workspace::ReportPart);
    }
    m_ctx.rankings->wordpad();
}

QString ForecastCommands::criteriaPath() const
{
    return ForecastCriteria::filePath(m_ctx.config.appDataFolder);
}

QString ForecastCommands::loadCriteria(const QString& path)
{
    const QString problem = m_ctx.state.criteria.chargeConf(path);
    m_ctx.changed(Workspace::CriteriaPart);
    return problem;
}

QString ForecastCommands::reloadCriteria()
{
    const QString problem = loadCriteria(criteriaPath());
    // The same fault of the same file is told once, not at every opening of the window.
    if (!problem.isEmpty() && problem != m_toldProblem)
        m_ctx.ui.message(problem, Messages::kTitle);
    m_toldProblem = problem;
    return problem;
}

bool ForecastCommands::saveCriteria()
{
    const QString path = criteriaPath();
    // "Sauver" is an explicit request: the settings folder is made when it is missing.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    if (m_ctx.state.criteria.save(path, &error))
        return true;
    m_ctx.ui.message(error, Messages::kTitle);
    return false;
}

void ForecastCommands::moveCriterion(CriterionBar bar, int position)
{
    m_ctx.state.criteria.setValue(bar, position);
    m_ctx.changed(Workspace::CriteriaPart);
}

void ForecastCommands::forgetCriteria()
{
    m_ctx.state.criteria = ForecastCriteria();
    m_ctx.changed(Workspace::CriteriaPart);
}
