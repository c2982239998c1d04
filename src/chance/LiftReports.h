// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/AnalysisReport.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <QList>

// "Partenaires - hasard" and "Annonceur - hasard": each number's rate beside (or after) the ticked
// set against its own rate in the other draws of the period, so that a number drawn often
// everywhere is not taken for a partner of every set. Exact two-sided p-values (Fisher's test),
// Holm's correction for testing the numbers together, each line saying whether it is compatible
// with chance.
namespace LiftReports {

inline constexpr double kLevel = 0.05;

// The draws of the period that hold every chosen number; for each other number, how many of
// them hold it, against its count in the other draws. Under chance the other D − k numbers of
// such a draw (D drawn) are any of the N − k others of the matrix's game, and the test allows
// for the places the set takes.
AnalysisReport partners(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen);

// The draws of the period that hold the set and are followed by a draw of the period (list
// index below `drawCount` too); for each number, how many of those following draws hold it,
// against its count in the other draws of the period.
AnalysisReport announcer(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen, int drawCount);

} // namespace LiftReports
