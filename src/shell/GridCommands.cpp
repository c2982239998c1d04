// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/GridCommands.h"

#include "shell/History.h"
#include "shell/ReportArea.h"
#include "shell/StateChanges.h"
#include "shell/WindowFields.h"

#include <algorithm>

void GridCommands::boxUpdate()
{
    const History& s = m_draws;
    const auto count = std::count(m_checks.begin() + 1, m_checks.end(), true);
    m_window.tickedCounted(static_cast<int>(count));
    if (count == s.game().drawn) {
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
    if (number < 1 || number > m_draws.game().numbers || checks[static_cast<size_t>(number)] == ticked)
        return; // like a check box, only a change of value raises the update
    checks[static_cast<size_t>(number)] = ticked;
    boxUpdate();
}

void GridCommands::untickAll()
{
    // Every box, those of a larger game's grid left ticked too.
    auto& checks = m_checks;
    if (std::find(checks.begin() + 1, checks.end(), true) == checks.end())
        return;
    std::fill(checks.begin(), checks.end(), false);
    boxUpdate();
}

void GridCommands::toutCocher()
{
    for (int n = 1; n <= m_draws.game().numbers; ++n)
        setCheck(n, true);
}

QList<int> GridCommands::chosenNumbers() const
{
    QList<int> numbers;
    for (int n = 1; n <= m_draws.game().numbers; ++n)
        if (m_checks[static_cast<size_t>(n)])
            numbers << n;
    return numbers;
}

void GridCommands::reperage()
{
    m_area.markNumbers(m_checks, m_draws.game().numbers);
}
