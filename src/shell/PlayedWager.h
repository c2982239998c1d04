// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Wager.h"

class DrawList;
class History;
class Play;

// What the money reports play: the pay table in force of the game whose draws the matrix holds,
// the stake chosen, and the multiplier of every item of `list` (the list shown by default).
Wager playedWager(const History& draws, const Play& play);
Wager playedWager(const History& draws, const Play& play, const DrawList& list);
