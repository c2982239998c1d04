#include "shell/WorkspaceState.h"

QString WorkspaceState::itemDate(int index) const
{
    if (index < 0 || index >= liste.size())
        return {};
    return liste[index].left(10);
}

void WorkspaceState::setDraws(const QStringList& draws)
{
    liste = draws;
    liste << QString();
    matrix.rebuild(liste);
}
