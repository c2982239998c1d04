// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/AnalysisReport.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"
#include "stats/NumberStats.h"

// The reports that split the game's numbers into fixed groups and count how often each group's
// numbers came out over the study period. Every count is a plain int, grouped by thousands with
// the user's separator. Each function returns the lines of the left result list in order.
namespace GroupCounts {

// "Dizaines/Unités": one line per ten (the last one may be short), an empty line, then the last
// digits 1..9 and 0, counted straight from the matrix over the period, for the matrix's game. Sets the caption to "". The caller
// blanks the caption, clears the left list and hides the right one (left as it is) before writing these lines, does not recompute
// the statistics, then exports.
AnalysisReport dizainesUnites(const DrawMatrix& matrix, const StudyPeriod& period);

// "Septaines": the groups of seven of `formula` from fresh statistics. Sets the caption to "". The caller
// blanks the caption, recomputes the statistics, hides the right list, clears the left list,
// writes the lines, then exports.
AnalysisReport septaines(const NumberStats& stats, const Formula& formula = Formula::classic());

// "Pairs / Impairs": the odd line, then the even line. Sets the caption to "". The caller blanks
// the caption, recomputes the statistics, hides the right list, clears the left list, writes the
// lines, then exports.
AnalysisReport pairsImpairs(const NumberStats& stats, const Formula& formula = Formula::classic());

// "Petits / Gros Numéros": the low half's line, then the high half's. Leaves the caption alone. The
// caller recomputes the statistics, clears the left list, hides the right list, writes the
// lines, then exports.
AnalysisReport petitsGros(const NumberStats& stats, const Formula& formula = Formula::classic());

} // namespace GroupCounts
