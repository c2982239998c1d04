// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/AnalysisReport.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <QList>

// "Annonceur": each time the whole chosen set came out, which numbers came out in the next draw.
namespace Announcer {

// No draw holds more numbers than the game draws; a larger set is refused.
inline int maxChosen(const Formula& formula)
{
    return formula.drawn;
}

struct Result {
    AnalysisReport report;
    bool tooManyNumbers = false; // more than maxChosen(): no report at all, tell the user
    int hits = 0;
};

// The draws examined run from the period's first draw to one past its last (first clamped to
// 0); the draw after draw d is list index d + 1. The caller hides the right list (left as it
// is), clears the left list, sets its width, writes the lines and exports when `exported` is
// set (not when the set never came out); the caption is left alone and the statistics are not
// recomputed. With more than maxChosen() numbers chosen (the matrix's game) the caller shows
// tooManyMessage() instead and changes nothing. Every number of the game is listed.
Result report(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen);

QString tooManyMessage(const Formula& formula = Formula::classic());

} // namespace Announcer
