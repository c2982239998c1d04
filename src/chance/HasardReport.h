// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/StudyPeriod.h"
#include "stats/NumberStats.h"

#include <QStringList>

// "Hasard": the statistics of the study period set against what chance alone gives — each
// number's appearances against its binomial band, a chi-square test of uniformity, and the
// chance of the current and largest gaps.
namespace HasardReport {

// `stats` computed over `period`.
QStringList lines(const NumberStats& stats, const StudyPeriod& period);

// The uniformity statistic of the 70 counts over `draws` draws. Each draw takes 20 numbers
// without replacement, so the counts vary less than a multinomial's: the sum of squared
// deviations is scaled by n·p·(1−p)·70/69, which makes it a chi-square with 69 degrees of
// freedom under chance.
double uniformityStatistic(const NumberStats& stats, int draws);

} // namespace HasardReport
