// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/AnalysisReport.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <QList>

// "Annonceur": each time the whole chosen set came out, which numbers came out in the next draw.
namespace Announcer {

// No draw holds more numbers than this; a larger set is refused.
inline constexpr int kMaxChosen = 20;

struct Result {
    AnalysisReport report;
    bool tooManyNumbers = false; // more than twenty chosen: no report at all, tell the user
    int hits = 0;
};

// The draws examined run from the period's first draw to one past its last (first clamped to
// 0); the draw after draw d is list index d + 1. The caller hides the right list (left as it
// is), clears the left list, sets its width, writes the lines and exports when `exported` is
// set (not when the set never came out); the caption is left alone and the statistics are not
// recomputed. With more than twenty numbers chosen the caller shows tooManyMessage() instead
// and changes nothing.
Result report(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen);

QString tooManyMessage();

} // namespace Announcer
