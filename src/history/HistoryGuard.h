// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawList.h"

#include <QSet>
#include <QStringList>
#include <optional>

// The rules that keep a save from losing draws: what the working file holds decides whether a
// list may replace it.
namespace HistoryGuard {

struct Refusal {
    enum class Kind { Shorter, LostDraws } kind;
    int onDisk = 0; // draws in the file
    int offered = 0; // draws in the list
    int lost = 0; // lines of the file missing from the list (LostDraws)
    QStringList examples; // the first few of them
};

// Why `draws` may not replace `onDisk`: never with fewer draws; never without a line the file
// has, compared whole (date, time of day and every number: a corrected draw differs from the
// draw it corrects; the order of the numbers alone does not count), except the lines in
// `replaced`, which the player changed in the list on purpose.
std::optional<Refusal> check(const DrawList& onDisk, const DrawList& draws, const QSet<QString>& replaced = {});

// How many lines of `draws` the file lacks, compared as above: 0 when writing `draws` would add
// nothing to `onDisk`.
int newDraws(const DrawList& onDisk, const DrawList& draws);

} // namespace HistoryGuard
