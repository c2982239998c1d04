// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/AnalysisCommands.h"
#include "shell/ChanceCommands.h"
#include "shell/EntryCommands.h"
#include "shell/FilterCommand.h"
#include "shell/FolderLock.h"
#include "shell/ForecastCommands.h"
#include "shell/GridCommands.h"
#include "shell/HistoryCommands.h"
#include "shell/ImportCommand.h"
#include "shell/Jobs.h"
#include "shell/ListCommands.h"
#include "shell/OutputCommands.h"
#include "shell/RankingCommands.h"
#include "shell/TicketCommands.h"

class Workspace;

// The command units of one Workspace, by subject: the catalogue's handlers and the shells call
// them directly, the Workspace only owns them.
struct CommandUnits {
    Workspace& workspace; // the sequences that span several units (start-up, the history build)
    HistoryCommands& history;
    ImportCommand& import;
    ListCommands& list;
    RankingCommands& rankings;
    GridCommands& grid;
    EntryCommands& entry;
    FilterCommand& filter;
    ForecastCommands& forecast;
    ChanceCommands& chance;
    AnalysisCommands& analyses;
    OutputCommands& output;
    Jobs& jobs;
    FolderLock& lock;
    TicketCommands& tickets;
};
