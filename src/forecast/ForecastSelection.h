// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forecast/ForecastCriteria.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"
#include "stats/NumberStats.h"

#include <QStringList>
#include <array>

// The forecast selection: every number checked against its appearances over the recent, average
// and general windows ending at the current draw and against its current gap, then grouped by
// how many of the four criteria it meets.
//
// Around the call, the command clears the left result list, hides the right one (keeping its
// lines), sets the left one's width to 5600, leaves the title and caption labels as they were,
// fills the left list with `lines` and runs the export step. It then leaves `period` in place
// with `stats` computed over it and the statistics marked valid: later reports work on the
// general window.
struct ForecastSelectionResult {
    QStringList lines;
    StudyPeriod period;
    NumberStats stats;
    std::array<int, Formula::kMaxNumber + 1> criteriaMet{}; // how many of the four criteria each number meets
};

// The criteria as the selection reads them from the label texts: the windows and appearance
// bounds of the recent, average and general forms, and the gap bounds.
struct SelectionBounds {
    std::array<int, 3> window{}, low{}, high{};
    double gapLow = 0, gapHigh = 0;
};

namespace ForecastSelection {

// `selectedIndex` is the selected item of the draw list (-1 when none): the current draw is the
// one just before it. The criteria are read from the label texts as they stand. Every number of
// the matrix's game is checked.
ForecastSelectionResult run(const DrawMatrix& matrix, int selectedIndex, const ForecastCriteria& criteria);

SelectionBounds bounds(const ForecastCriteria& criteria);

using NumberValues = std::array<int, Formula::kMaxNumber + 1>;

// How many criteria each number of `formula` meets, from its appearances in the three windows
// and its gap.
NumberValues criteriaMet(const std::array<const NumberValues*, 3>& appearances, const NumberValues& gaps,
                         const SelectionBounds& bounds, const Formula& formula = Formula::classic());

} // namespace ForecastSelection
