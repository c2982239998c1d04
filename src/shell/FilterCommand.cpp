// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/FilterCommand.h"

#include "shell/HistoryCommands.h"
#include "shell/ListCommands.h"
#include "shell/RankingCommands.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/UserInterface.h"
#include "shell/WorkspaceState.h"

void FilterCommand::periodeEtude()
{
    if (!m_history.keepUnsavedWork())
        return;
    m_history.charge([this] { filterHistory(); });
}

void FilterCommand::filterHistory()
{
    WorkspaceState& s = m_state;
    const Counters wholeHistory = s.counters;

    m_filter.untickAll();
    const DrawList complete = m_state.fullHistory();
    s.clearList();
    if (!complete.isEmpty())
        m_filter.presetNextDraw(complete.text(complete.drawCount() - 1));
    m_filter.to = m_ui.today();
    if (!m_ui.editCalendarFilter(m_filter)) {
        // Closing the window acts as a cancel; the next use starts from a new window.
        m_filter = CalendarFilter{};
        m_filter.to = m_ui.today();
        m_filter.untickAll();
    }

    DrawList kept;
    for (int k = 0; k < complete.drawCount(); ++k)
        if (m_filter.keeps(complete, k))
            kept.append(complete, k);

    if (kept.isEmpty()) {
        m_history.charge();
        return;
    }
    s.hiddenHistory = complete;
    s.origin = ListOrigin::Filtered;
    s.setDraws(std::move(kept));
    m_list.selectItem(s.itemCount() - 1);
    s.counters.text1 = QString::number(s.selected);
    m_study.wholeList(s.itemCount());
    m_steps.calcul();
    m_rankings.srti();
    m_steps.calcul();
    // The counters keep describing the whole history.
    s.counters.nb = wholeHistory.nb;
    s.counters.prem = wholeHistory.prem;
    s.counters.dern = wholeHistory.dern;
    m_changes.changed(StatePart::ListPart | StatePart::CountersPart);
}
