#pragma once

#include "history/DrawList.h"
#include <optional>

// The rules that keep a save from losing draws: what the working file holds decides whether a
// list may replace it.
namespace HistoryGuard {

struct Refusal {
    enum class Kind { Shorter, LostDraws } kind;
    int onDisk = 0; // draws in the file
    int offered = 0; // draws in the list
    int lost = 0; // well-formed draws of the file missing from the list (LostDraws)
};

// Why `draws` may not replace `onDisk`: never with fewer draws; and, when `checkLostDraws`
// (a list rebuilt from the base history and the archive), never without a draw the file has,
// a draw being its date and its time of day.
std::optional<Refusal> check(const DrawList& onDisk, const DrawList& draws, bool checkLostDraws);

} // namespace HistoryGuard
