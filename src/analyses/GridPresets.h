// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QString>
#include <vector>

// The ready-made groups of the grid: one row of the grid ("Colonnes") and the numbers sharing a
// last digit ("Finales"), for the game of `formula`. The command clears the grid, ticks these
// numbers in ascending order and runs the performance report on them.
namespace GridPresets {

// How many rows the grid has: menu items C1(0..rows - 1).
int colonnesCount(const Formula& formula = Formula::classic());

// Menu items C1(i), captioned with the first and last number of row i ("1-10", "11-20" .. for
// rows of ten, "1-8", "9-16" .. for rows of eight): the numbers of row i. Empty outside 0..colonnesCount() - 1.
std::vector<int> colonnes(int index, const Formula& formula = Formula::classic());
QString colonnesCaption(int index, const Formula& formula = Formula::classic());

// Menu items F0(1..10), captions "1" .. "9", then "0" for index 10: the numbers i, i + 10, ..
// up to formula.numbers (index 10 gives 10, 20, ..). Empty outside 1..10.
std::vector<int> finales(int index, const Formula& formula = Formula::classic());
QString finalesCaption(int index);

} // namespace GridPresets
