// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ListCommands.h"

#include "history/DateText.h"
#include "history/DrawLine.h"
#include "shell/History.h"
#include "shell/RankingCommands.h"
#include "shell/ReportArea.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/WindowFields.h"

#include <algorithm>

CommandOutcome ListCommands::selectItem(int index)
{
    m_draws.select(index);
    m_changes.changed(StatePart::ListPart);
    return clickListe(index);
}

void ListCommands::periodFromClick(int index)
{
    History& s = m_draws;
    m_study.followClick(index, s.savedLineCount());
    m_window.studyStarts(s.itemDate(m_study.period().first));
}

CommandOutcome ListCommands::clickListe(int index)
{
    History& s = m_draws;
    const int count = s.itemCount();
    if (index < 0 || index >= count)
        return CommandOutcome::done();
    CommandOutcome shown;
    s.select(index);
    s.setEditOldest(false);
    periodFromClick(index);
    m_area.clearRankingMarks(s.game().numbers);
    if (index == 0 && count > 1) {
        // The first line acts on the second: the period then holds the oldest draw alone.
        shown = selectItem(1);
    }
    const int sel = s.selected();
    m_window.itemSelected(sel, sel >= count - 1, s.itemDate(sel - 1), m_study.period().last - m_study.period().first + 1,
                          s.multiplierOf(sel));
    m_changes.changed(StatePart::EntryPart | StatePart::CountersPart | StatePart::ListPart);
    shown.then(m_rankings.sorties());
    m_criteria.updateAfterListClick(count, sel);
    m_changes.changed(StatePart::CriteriaPart);
    return shown;
}
