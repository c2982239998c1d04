// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/PlayedWager.h"

#include "shell/WorkspaceState.h"

Wager playedWager(const WorkspaceState& state)
{
    return playedWager(state, state.liste);
}

Wager playedWager(const WorkspaceState& state, const DrawList& list)
{
    return Wager(state.payTables.of(state.matrix.formula().id), state.stake, state.multipliers.forItems(list));
}
