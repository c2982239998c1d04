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
    const auto count = std::count(m_checks.begin() + 1, m_checks.end(), true);
    s.counters.text1 = QString::number(count);
    if (count == 20) {
        m_okEnabled = true;
        m_annulerEnabled = true;
    } else {
        m_okEnabled = false;
    }
    m_changes.changed(StatePart::GridPart | StatePart::CountersPart);
}

void GridCommands::disableOk()
{
    m_okEnabled = false;
    m_changes.changed(StatePart::GridPart);
}

void GridCommands::setCheck(int number, bool ticked)
{
    auto& checks = m_checks;
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
        if (m_checks[static_cast<size_t>(n)])
            numbers << n;
    return numbers;
}

void GridCommands::reperage()
{
    m_area.markNumbers(m_checks);
}
