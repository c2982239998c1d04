// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/CombinationWalk.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <QList>

// The two combination walks over the chosen numbers, in lexicographic order of the combinations,
// giving the same lines in the same order as the plain walk (CombinationReference) but working
// on bitsets of the draws: the intersection of a combination's first numbers is kept and reused
// by every combination sharing them, counted with popcount. The combinations are cut into runs
// sharing their first numbers, walked by `options.threads` threads (every core by default); the
// lines are the same, in the same order, whatever the number of threads. Pure: safe to run on a
// worker thread over data no one changes meanwhile; progress and stop go through `options`, a
// stopped walk keeping the lines of the combinations before the first one not examined.
namespace CombinationEngine {

// "Plus sortis": for every combination of r chosen numbers, the draws of the period holding all r;
// a combination is listed when its count reaches the best so far (ties listed, the first always).
// r outside 1..k lists nothing. The caller shows and clears the left list, sets its width, clears
// and hides the right list, asks r (ends when it is not 2..10), then writes the lines; no
// statistics run, no export.
CombinationWalk::Result mostFrequent(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen, int r,
                                     const CombinationWalk::Options& options = {});

// "Recherche Ecart": for every combination, the newest draw at or before `start` (the selected
// list line minus one) holding at least s of its numbers; a combination is listed only when that
// draw is strictly older than every one listed before (the record starts at `lineCount`, the
// list's item count). s > r or start < 0 list nothing. The caller shows and clears the left list,
// sets its width, hides the right list and the busy indicator, asks r (ends when it is not
// 2..10) and s, writes the lines and shows the list line `latestRecordDraw`; no export.
CombinationWalk::Result gapSearch(const DrawMatrix& matrix, int start, int lineCount, const QList<int>& chosen, int r, int s,
                                  const CombinationWalk::Options& options = {});

} // namespace CombinationEngine
