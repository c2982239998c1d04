// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/StudyPeriod.h"
#include "stats/NumberStats.h"

#include <array>

// How far each number's appearances stand from what chance predicts, in standard deviations of
// a binomial count (n draws, rate 2/7).
namespace HeatMapValues {

double standardisedDeviation(int appearances, int draws);
// The number of draws the statistics cover (first clamped to 0, never negative).
int periodLength(const StudyPeriod& period);
// Index 0 unused.
std::array<double, 71> deviations(const NumberStats& stats, int draws);

} // namespace HeatMapValues
