// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/AnalysisReport.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <QList>

// "Partenaire ideal": over the draws of the period that hold every chosen number, how often each
// other number came out with them.
namespace BestPartners {

// `chosen` is the ticked set in ascending order. The header (chosen numbers and their count) is
// always written; with nothing chosen it is the whole report and it is not exported. Then every
// number of the matrix's game that is not chosen, by decreasing count, ties in ascending order. The caller first
// makes the matrix cover the whole list, clears the left list, hides the right one (left as it
// is), writes the lines and exports when `exported` is set; the caption is left alone and the
// statistics are not recomputed.
AnalysisReport report(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen);

} // namespace BestPartners
