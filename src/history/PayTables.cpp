// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/PayTables.h"

PayTables::PayTables()
{
    for (FormulaId id : Formula::all())
        m_tables[index(id)] = Formula::get(id).payTable;
}

bool PayTables::isShipped(FormulaId id) const
{
    return of(id).amounts == Formula::get(id).payTable.amounts;
}
