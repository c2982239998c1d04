// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <utility>

// 95 % intervals from counts that stay honest when the counts are few or all alike: a law seen
// three times at ×1 may still hold ×10, and one draw says little of a mean.
namespace BoundedMean {

// Wilson's score interval of a frequency: `count` times out of `n`.
std::pair<double, double> wilson(int count, int n);

// The interval of the mean of a quantity that can take any value in [least, most], from how
// many times each value was seen (value -> count); {least, most} when nothing was seen.
std::pair<double, double> interval(const std::map<double, int>& counts, double least, double most);

} // namespace BoundedMean
