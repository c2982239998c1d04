// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquire/ArchiveCheck.h"
#include "acquire/ArchiveImport.h"
#include "history/DrawList.h"
#include "history/Multipliers.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// An archive brought to a history with every check: the archive's game against the history's,
// each row read, each draw against the history, its game's dates and today. An import that
// brings no new draw is a failure that says why, never a silent success.
namespace HistoryImport {

struct Outcome {
    ArchiveImport::Result archive;
    ArchiveCheck::Result checked; // its lines are the draws to append, oldest first
    QList<std::optional<int>> multipliers; // the multiplier of each of checked.lines
    Multipliers held; // the archive's multipliers of the draws the history holds with its numbers
    QString failure; // in French; empty when there are draws to append
    bool nothingNew = false; // the archive was read but brings no draw the history lacks
    bool ok() const { return failure.isEmpty(); }
};

// Imports the archive at `archivePath` for the game of `history`; nothing is written.
Outcome run(const QString& archivePath, const DrawList& history, const QDate& today,
            const ArchiveImport::PasswordPrompt& askPassword = {}, const ArchiveImport::ImportProgress& progress = {});

} // namespace HistoryImport
