// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/PlayedWager.h"

#include "shell/History.h"
#include "shell/Play.h"

Wager playedWager(const History& draws, const Play& play)
{
    return playedWager(draws, play, draws.list());
}

Wager playedWager(const History& draws, const Play& play, const DrawList& list)
{
    return Wager(play.payTables().of(draws.matrix().formula().id), play.stake(), draws.multipliers().forItems(list));
}
