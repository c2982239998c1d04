// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/PayTables.h"
#include "history/Stake.h"

// How the player plays: the pay tables in force (the settings' corrections applied) and the
// stake and option chosen beside the grid or given on the command line.
class Play {
public:
    const PayTables& payTables() const { return m_payTables; }
    PayTables& payTables() { return m_payTables; }
    const Stake& stake() const { return m_stake; }
    Stake& stake() { return m_stake; }

private:
    PayTables m_payTables;
    Stake m_stake;
};
