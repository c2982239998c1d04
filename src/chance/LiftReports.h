#pragma once

#include "analyses/AnalysisReport.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <QList>

// "Partenaires - hasard" and "Annonceur - hasard": each number's rate beside the ticked set
// against the rate chance predicts, with a two-sided binomial p-value and Holm's correction for
// testing the numbers together, each line saying whether it is compatible with chance.
namespace LiftReports {

inline constexpr double kLevel = 0.05;

// The draws of the period that hold every chosen number; for each other number, how many of
// them hold it. Under chance the other 20 − k numbers of such a draw are any of the 70 − k.
AnalysisReport partners(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen);

// The draws from the period's first to one past its last that hold the set and are followed
// by a real draw (list index below `drawCount`); for each number, how many of those following
// draws hold it. Under chance a following draw holds any number with probability 20/70.
AnalysisReport announcer(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen, int drawCount);

} // namespace LiftReports
