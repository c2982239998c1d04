// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"
#include "history/StudyPeriod.h"
#include "stats/NumberStats.h"

#include <QStringList>

// "Hasard": the statistics of the study period set against what chance alone gives — each
// number's appearances against its binomial band, a chi-square test of uniformity, and the
// chance of the current and largest gaps.
namespace HasardReport {

// `stats` computed over `period` of a history of the game `formula`.
QStringList lines(const NumberStats& stats, const StudyPeriod& period, const Formula& formula = Formula::classic());

// The uniformity statistic of the N counts (N = the game's numbers) over `draws` draws. Each draw
// takes its numbers without replacement, so the counts vary less than a multinomial's: the sum
// of squared deviations is scaled by n·p·(1−p)·N/(N−1), which makes it a chi-square with N − 1
// degrees of freedom under chance.
double uniformityStatistic(const NumberStats& stats, int draws, const Formula& formula = Formula::classic());

} // namespace HasardReport
