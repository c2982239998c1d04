// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Wager.h"

class DrawList;
struct WorkspaceState;

// What the money reports play: the pay table in force of the game whose draws the matrix holds,
// the stake chosen, and the multiplier of every item of `list` (the list shown by default).
Wager playedWager(const WorkspaceState& state);
Wager playedWager(const WorkspaceState& state, const DrawList& list);
