// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/History.h"
#include "shell/Play.h"
#include "shell/WindowFields.h"

#include <QString>
#include <QStringList>

// The parts of what the main window holds besides those with a single owner elsewhere (the
// report area, the study, the criteria, the grid, the hourglass, the download). The Workspace owns them and
// hands each command unit the parts it changes, and const views of those it only reads.
struct WorkspaceState {
    History history;
    WindowFields window;
    Play play;

    // The draws of the list as text, for the shells that print them.
    QStringList drawLines() const { return history.drawLines(); }
    QString itemDate(int index) const { return history.itemDate(index); }
};
