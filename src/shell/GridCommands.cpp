// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/GridCommands.h"

#include "shell/ReportArea.h"
#include "shell/StateChanges.h"
#include "shell/WorkspaceState.h"

#include <algorithm>

void GridCommands::boxUpdate()
{
    WorkspaceState& s = m_state;
    s.counters.label2 = QStringLiteral("Nombre de numéros");
    const auto count = std::count(s.checks.begin() + 1, s.checks.end(), true);
    s.counters.text1 = QString::number(count);
    if (count == 20) {
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
    if (number < 1 || number > 70 || checks[static_cast<size_t>(number)] == ticked)
        return; // like a check box, only a change of value raises the update
    checks[static_cast<size_t>(number)] = ticked;
    boxUpdate();
}

void GridCommands::untickAll()
{
    for (int n = 1; n <= 70; ++n)
        setCheck(n, false);
}

void GridCommands::toutCocher()
{
    for (int n = 1; n <= 70; ++n)
        setCheck(n, true);
}

QList<int> GridCommands::chosenNumbers() const
{
    QList<int> numbers;
    for (int n = 1; n <= 70; ++n)
        if (m_state.checks[static_cast<size_t>(n)])
            numbers << n;
    return numbers;
}

void GridCommands::reperage()
{
    m_area.markNumbers(m_state.checks);
}
