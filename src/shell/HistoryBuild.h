// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/CommandOutcome.h"

#include <QList>
#include <QString>
#include <QStringList>

// What building the histories from archives came to; the window shows it, the command line
// prints it.
struct HistoryBuild {
    enum class Status {
        Cancelled, // no archive chosen, or a correction kept back
        Stopped, // stopped while the archives were read: nothing written
        NothingRead,
        ArchivesDisagree,
        WorkingDisagrees, // a line of the working history contradicts the archives, or is no dated draw
        Declined, // the existing histories were not to be replaced
        WriteFailed,
        Built,
    };
    Status status = Status::Cancelled;
    QString text; // French: what happened
    QStringList summary; // French: what was read and what each file holds
    QString existing; // a history file that the build would replace
    int written = 0; // draws of the working history written
    // What was told on the way, before what the build came to (a correction that could not be
    // saved, the new history's load).
    QList<Notice> notices;
};
