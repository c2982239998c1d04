// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"
#include "history/StudyPeriod.h"
#include "stats/NumberStats.h"

#include <array>

// How far each number's appearances stand from what chance predicts, in standard deviations of
// a binomial count (n draws, rate drawn / numbers of the game).
namespace HeatMapValues {

double standardisedDeviation(int appearances, int draws, const Formula& formula = Formula::classic());
// The number of draws the statistics cover (first clamped to 0, never negative).
int periodLength(const StudyPeriod& period);
// Index 0 unused, and every index past the game's numbers.
std::array<double, Formula::kMaxNumber + 1> deviations(const NumberStats& stats, int draws,
                                                       const Formula& formula = Formula::classic());

} // namespace HeatMapValues
