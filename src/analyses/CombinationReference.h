// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/CombinationWalk.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <QList>

// The two combination walks done the plain way: positions advanced with a carry, every draw
// tested number by number for every combination. Slow; it is the yardstick for
// CombinationEngine in tests and benchmarks.
namespace CombinationReference {

CombinationWalk::Result mostFrequent(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen, int r);

// `start` is the index of the selected list line minus one; `lineCount` the list's item count.
CombinationWalk::Result gapSearch(const DrawMatrix& matrix, int start, int lineCount, const QList<int>& chosen, int r, int s);

} // namespace CombinationReference
