// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/GridCommands.h"

#include "output/NumberFormat.h"
#include "shell/StateChanges.h"
#include "shell/WorkspaceState.h"

#include <algorithm>

void GridCommands::boxUpdate()
{
    WorkspaceState& s = m_state;
    s.counters.label2 = QStringLiteral("Nombre de numéros");
    const auto count = std::count(s.checks.begin() + 1, s.checks.end(), true);
    s.counters.text1 = QString::number(count);
    if (count == s.game().drawn) {
        s.okEnabled = true;
        s.annulerEnabled = true;
    } else {
        s.okEnabled = false;
    }
    m_changes.changed(StatePart::GridPart | StatePart::CountersPart);
}

void GridCommands::setCheck(int number, bool ticked)
{
    auto& checks = m_state.checks;
    if (number < 1 || number > m_state.game().numbers || checks[static_cast<size_t>(number)] == ticked)
        return; // like a check box, only a change of value raises the update
    checks[static_cast<size_t>(number)] = ticked;
    boxUpdate();
}

void GridCommands::untickAll()
{
    // Every box, those of a larger game's grid left ticked too.
    auto& checks = m_state.checks;
    if (std::find(checks.begin() + 1, checks.end(), true) == checks.end())
        return;
    std::fill(checks.begin(), checks.end(), false);
    boxUpdate();
}

void GridCommands::toutCocher()
{
    for (int n = 1; n <= m_state.game().numbers; ++n)
        setCheck(n, true);
}

QList<int> GridCommands::chosenNumbers() const
{
    QList<int> numbers;
    for (int n = 1; n <= m_state.game().numbers; ++n)
        if (m_state.checks[static_cast<size_t>(n)])
            numbers << n;
    return numbers;
}

void GridCommands::reperage()
{
    ReportModel& report = m_state.report;
    if (report.resultat.count() == 0)
        return;
    for (ResultList* list : {&report.resultat, &report.resultat2}) {
        for (int i = 1; i < list->count(); ++i) {
            const qint64 n = NumberFormat::readTypedNumber(QStringView(list->lines[i]).left(2));
            // Lines that read as 0 or outside the game's numbers (group counts) keep their selection.
            if (n >= 1 && n <= m_state.game().numbers)
                list->setSelected(i, m_state.checks[static_cast<size_t>(n)]);
        }
    }
    m_changes.changed(StatePart::ReportPart);
}
