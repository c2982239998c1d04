// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/History.h"
#include "shell/Play.h"
#include "shell/WindowFields.h"

#include <QString>
#include <QStringList>

// What the last archive import did (the command line reports it).
struct ImportOutcome {
    bool attempted = false;
    bool fetched = false;
    bool csvRead = false;
    int imported = 0;
    int skipped = 0; // rows that are not draws
    QString summary; // "Import de l'archive : ..."
    QString error; // one message a line
    bool broughtNothing = false; // read whole, but nothing a game still drawn lacks: a failure
};

// The parts of what the main window holds besides those with a single owner elsewhere (the
// report area, the study, the criteria, the grid, the hourglass). The Workspace owns them and
// hands each command unit the parts it changes, and const views of those it only reads.
struct WorkspaceState {
    History history;
    WindowFields window;
    Play play;
    // The download: what the last one did, and the address asked for.
    ImportOutcome lastImport;
    QString archiveUrl;

    // The draws of the list as text, for the shells that print them.
    QStringList drawLines() const { return history.drawLines(); }
    QString itemDate(int index) const { return history.itemDate(index); }
};
