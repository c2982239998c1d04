// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ChanceCommands.h"

#include "chance/HasardReport.h"
#include "chance/KenoOdds.h"
#include "chance/LiftReports.h"
#include "chance/PerformanceComparison.h"
#include "output/NumberFormat.h"
#include "output/Report.h"
#include "shell/GridCommands.h"
#include "shell/History.h"
#include "shell/Jobs.h"
#include "shell/Messages.h"
#include "shell/PlayedWager.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/UserInterface.h"

#include <algorithm>
#include <memory>

namespace {

const QString kBacktestTitle = QStringLiteral("Tester la prévision");

} // namespace

CommandOutcome ChanceCommands::writeReport(const QString& title, const QStringList& lines, bool exported)
{
    return m_steps.show(Report::ownLines(title, lines, exported));
}

CommandOutcome ChanceCommands::hasard()
{
    const History& s = m_draws;
    // Like the rankings: the period ends at the draw before the selection.
    m_study.endAt(s.selected() - 1);
    m_steps.calcul();
    return writeReport(QStringLiteral("Le hasard au ") + s.itemDate(s.selected() - 1),
                       HasardReport::lines(m_study.stats(), m_study.period(), m_draws.matrix().formula()));
}

CommandOutcome ChanceCommands::cotesKeno()
{
    // The multiplier's law is read over every draw the player has, a filter or not.
    const DrawList& history = m_draws.fullHistory();
    return writeReport(QStringLiteral("Cotes du Keno"),
                       KenoOdds::report(m_draws.matrix().formula(), playedWager(m_draws, m_play, history), history.drawCount()));
}

CommandOutcome ChanceCommands::partenairesHasard()
{
    const History& s = m_draws;
    const AnalysisReport r = LiftReports::partners(s.matrix(), m_study.period(), m_grid.chosenNumbers());
    return writeReport(QStringLiteral("Partenaires - hasard"), r.lines, r.exported);
}

CommandOutcome ChanceCommands::annonceurHasard()
{
    const History& s = m_draws;
    const AnalysisReport r
        = LiftReports::announcer(s.matrix(), m_study.period(), m_grid.chosenNumbers(), std::max(0, s.itemCount() - 1));
    return writeReport(QStringLiteral("Annonceur - hasard"), r.lines, r.exported);
}

BacktestJob ChanceCommands::prepareBacktest(int size, quint32 seed)
{
    const History& s = m_draws;
    BacktestJob job;
    job.matrix = s.matrix();
    job.matrix.resize(s.itemCount() + 1);
    // The draws played end, like the reports' periods, at the draw before the selection.
    job.period.first = std::max(0, m_study.period().first);
    job.period.last = std::min(s.selected() - 1, s.itemCount() - 2);
    job.criteria = m_criteria;
    job.settings.size = size;
    job.settings.seed = seed;
    job.wager = playedWager(s, m_play);
    for (int i = 0; i <= job.period.last; ++i)
        job.itemDates << s.itemDate(i);
    return job;
}

CommandOutcome ChanceCommands::showBacktest(const BacktestJob& job, const BacktestResult& result)
{
    const QString firstDate = job.itemDates.value(result.firstDraw);
    const QString lastDate = job.itemDates.value(result.lastDraw);
    return writeReport(kBacktestTitle, Backtest::reportLines(result, job.settings, firstDate, lastDate));
}

CommandOutcome ChanceCommands::testerPrevision(quint32 seed)
{
    const Formula& formula = m_draws.matrix().formula();
    const std::optional<QString> answer = m_ui.askText(kBacktestTitle,
                                                       QStringLiteral("Nombre de numéros joués à chaque tirage (%1 à %2)")
                                                           .arg(Backtest::smallest(formula))
                                                           .arg(Backtest::largest(formula)),
                                                       QString::number(Backtest::largest(formula)));
    if (!answer)
        return CommandOutcome::done();
    const qint64 size = NumberFormat::readTypedNumber(*answer);
    return backtest(static_cast<int>(std::clamp<qint64>(size, -1, Backtest::kMaxSize + 1)), seed);
}

CommandOutcome ChanceCommands::backtest(int size, quint32 seed)
{
    const Formula& formula = m_draws.matrix().formula();
    if (size < Backtest::smallest(formula) || size > Backtest::largest(formula))
        return CommandOutcome::refused(QStringLiteral("Le nombre de numéros joués va de %1 à %2")
                                           .arg(Backtest::smallest(formula))
                                           .arg(Backtest::largest(formula)));
    BacktestJob job = prepareBacktest(size, seed);
    // The hourglass and the progress bar stay until the job has ended, wherever it runs.
    auto hourglass = std::make_shared<Hourglass>(m_steps);
    m_jobs.showProgress(0, 0);
    auto input = std::make_shared<const BacktestJob>(std::move(job));
    auto result = std::make_shared<BacktestResult>();
    Job backtestJob;
    backtestJob.run = [this, input, result](JobContext& context) {
        int shown = -1;
        *result = Backtest::run(
            input->matrix, input->period, input->criteria, input->settings, input->wager,
            [this, &context, &shown](int done, int total) {
                // A few hundred steps at most reach the window.
                const int step = total > 0 ? static_cast<int>(qint64(done) * 200 / total) : 0;
                if (step == shown)
                    return;
                shown = step;
                context.post([this, done, total] { m_jobs.showProgress(done, total); });
                context.progress(QString(), total > 0 ? double(done) / total : 0.0);
            },
            context.cancelFlag());
    };
    backtestJob.finish = [this, input, result, hourglass = std::move(hourglass)]() mutable {
        m_jobs.hideProgress();
        // The command has returned long ago: what the report's export came to goes late.
        m_jobs.late(showBacktest(*input, *result));
        hourglass.reset();
    };
    m_jobs.start(std::move(backtestJob));
    return CommandOutcome::done();
}

QStringList ChanceCommands::performanceComparison(const std::vector<int>& ticked) const
{
    return PerformanceComparison::lines(m_draws.matrix(), m_study.period(), ticked, playedWager(m_draws, m_play));
}
