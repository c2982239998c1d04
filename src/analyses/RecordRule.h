// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>

namespace CombinationEngine {

// The record rule of a walk. Each chunk is walked from a record taken from the chunks before
// it (never better than the true record at its start), so it writes every line the one-thread
// walk writes there, and maybe a few more; applying the rule again to the chunks' lines in
// order keeps exactly the one-thread walk's lines.
struct RecordRule {
    bool higher; // "Plus sortis": a count at least the best; gap search: a draw strictly older
    int initial;
    bool isRecord(int key, int record) const { return higher ? key >= record : key < record; }
    int tighter(int a, int b) const { return higher ? std::max(a, b) : std::min(a, b); }
};

} // namespace CombinationEngine
