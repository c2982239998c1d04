// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/WorkspaceState.h"

QString WorkspaceState::itemDate(int index) const
{
    if (index < 0 || index >= liste.drawCount())
        return {};
    return liste.dateText(index);
}

void WorkspaceState::setDraws(DrawList draws)
{
    liste = std::move(draws);
    liste.setFormula(formula);
    matrix.rebuild(liste);
    ++listRevision;
}

void WorkspaceState::clearList()
{
    liste.clear();
    liste.setFormula(formula);
    ++listRevision;
}

void WorkspaceState::replaceDraw(int index, const QString& line)
{
    liste.replace(index, line);
    ++listRevision;
}

void WorkspaceState::appendDraw(const QString& line)
{
    liste.append(line);
    ++listRevision;
}
