// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ReportArea.h"

#include "output/NumberFormat.h"
#include "output/Report.h"
#include "shell/StateChanges.h"

#include <algorithm>

void ReportArea::apply(const Report& report)
{
    m_model.apply(report);
    m_changes.changed(report.busy == Report::Busy::Kept ? StatePart::ReportPart : StatePart::ReportPart | StatePart::BusyPart);
}

void ReportArea::showBusy(const QString& status)
{
    m_model.status = status;
    m_model.busy = true;
    m_changes.changed(StatePart::BusyPart | StatePart::ReportPart);
}

void ReportArea::hideBusy()
{
    m_model.busy = false;
    m_changes.changed(StatePart::BusyPart);
}

void ReportArea::showResultat()
{
    m_model.resultat.visible = true;
    m_changes.changed(StatePart::ReportPart);
}

void ReportArea::showRecords(const QStringList& lines)
{
    ResultList& list = m_model.resultat;
    if (list.lines != lines) {
        list.clear();
        for (const QString& line : lines)
            list.add(line);
        if (!lines.isEmpty())
            list.setSelected(list.count() - 1, true);
    }
    m_changes.changed(StatePart::ReportPart);
}

void ReportArea::addLine(const QString& line)
{
    m_model.resultat.add(line);
    m_changes.changed(StatePart::ReportPart);
}

void ReportArea::setSelected(int list, int index, bool on)
{
    (list == 2 ? m_model.resultat2 : m_model.resultat).setSelected(index, on);
    m_changes.changed(StatePart::ReportPart);
}

void ReportArea::selectAll()
{
    for (ResultList* list : {&m_model.resultat, &m_model.resultat2})
        for (int i = 0; i < list->count(); ++i)
            list->setSelected(i, true);
    m_changes.changed(StatePart::ReportPart);
}

void ReportArea::unselect(const QList<int>& resultat, const QList<int>& resultat2)
{
    for (int i : resultat)
        m_model.resultat.setSelected(i, false);
    for (int i : resultat2)
        m_model.resultat2.setSelected(i, false);
    m_changes.changed(StatePart::ReportPart);
}

void ReportArea::markNumbers(const std::array<bool, Formula::kMaxNumber + 1>& ticked, int numbers)
{
    if (m_model.resultat.count() == 0)
        return;
    for (ResultList* list : {&m_model.resultat, &m_model.resultat2}) {
        for (int i = 1; i < list->count(); ++i) {
            const qint64 n = NumberFormat::readTypedNumber(QStringView(list->lines[i]).left(2));
            // Lines that read as 0 or outside the game's numbers (group counts) keep their selection.
            if (n >= 1 && n <= numbers)
                list->setSelected(i, ticked[static_cast<size_t>(n)]);
        }
    }
    m_changes.changed(StatePart::ReportPart);
}

void ReportArea::clearRankingMarks(int numbers)
{
    // A list about as long as a ranking of every number is taken for one.
    ResultList& list = m_model.resultat;
    if (list.count() > numbers - 2)
        for (int k = 0; k <= std::min(numbers - 1, list.count() - 1); ++k)
            list.setSelected(k, false);
    m_changes.changed(StatePart::ReportPart);
}
