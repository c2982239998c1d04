// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

// The ready-made groups of the grid: a row of ten ("Colonnes") and the seven numbers sharing a
// last digit ("Finales"). The command clears the grid, ticks these numbers in ascending order
// and runs the performance report on them.
namespace GridPresets {

// Menu items C1(0..6), captions "1-10" .. "61-70": the numbers 10i+1 .. 10i+10. Empty outside 0..6.
std::vector<int> colonnes(int index);
QString colonnesCaption(int index);

// Menu items F0(1..10), captions "1" .. "9", then "0" for index 10: the numbers i + 10t for
// t = 0..6 (index 10 gives 10, 20, .. 70). Empty outside 1..10.
std::vector<int> finales(int index);
QString finalesCaption(int index);

} // namespace GridPresets
