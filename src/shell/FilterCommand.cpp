// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/FilterCommand.h"

#include "shell/History.h"
#include "shell/HistoryCommands.h"
#include "shell/ListCommands.h"
#include "shell/RankingCommands.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/UserInterface.h"
#include "shell/WindowFields.h"

void FilterCommand::periodeEtude(OutcomeThen then)
{
    CommandOutcome kept = m_history.keepUnsavedWork();
    if (!kept.isDone())
        return then(kept);
    const auto unread = m_history.charge([this, kept, then](const CommandOutcome& loaded) {
        CommandOutcome outcome = kept;
        filterHistory(outcome.then(loaded), then);
    });
    if (unread)
        then(kept.then(*unread));
}

void FilterCommand::loadWhole(CommandOutcome outcome, const OutcomeThen& then)
{
    const auto unread = m_history.charge([outcome, then](const CommandOutcome& loaded) {
        CommandOutcome whole = outcome;
        then(whole.then(loaded));
    });
    if (unread)
        then(outcome.then(*unread));
}

void FilterCommand::filterHistory(CommandOutcome outcome, const OutcomeThen& then)
{
    History& s = m_draws;
    const Counters wholeHistory = m_window.counters();

    // A filter of the game played: its draw times and its first day.
    if (m_filter.formula != s.formulaId())
        m_filter = CalendarFilter::of(s.formulaId());
    m_filter.untickAll();
    const DrawList complete = m_draws.fullHistory();
    s.setDraws(DrawList{});
    if (!complete.isEmpty())
        m_filter.presetNextDraw(complete.text(complete.drawCount() - 1));
    m_filter.to = m_ui.today();
    if (!m_ui.editCalendarFilter(m_filter)) {
        // Closing the window acts as a cancel; the next use starts from a new window.
        m_filter = CalendarFilter::of(s.formulaId());
        m_filter.to = m_ui.today();
        m_filter.untickAll();
    }

    DrawList kept;
    for (int k = 0; k < complete.drawCount(); ++k)
        if (m_filter.keeps(complete, k))
            kept.append(complete, k);

    if (kept.isEmpty())
        return loadWhole(outcome, then);
    s.filter(complete, std::move(kept));
    outcome.then(m_list.selectItem(s.itemCount() - 1));
    const int selected = s.selected();
    m_study.wholeList(s.itemCount());
    m_steps.calcul();
    m_rankings.srti();
    m_steps.calcul();
    // The counters keep describing the whole history.
    m_window.filterShown(selected, wholeHistory);
    m_changes.changed(StatePart::ListPart | StatePart::CountersPart);
    then(outcome);
}
