// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawMatrix.h"

#include <cstdint>
#include <vector>

// A number's presence over a run of list indices, copied out of the matrix so that bit 0 is the
// run's first draw. Indices past the matrix hold no number.
namespace DrawBits {

inline int wordsFor(int draws)
{
    return draws > 0 ? (draws + 63) / 64 : 0;
}

// Whether draw `draw` holds `number`, a number outside the matrix's game never.
inline bool holds(const DrawMatrix& matrix, int number, int draw)
{
    return number >= 1 && number <= matrix.formula().numbers && matrix.contains(number, draw);
}

// Writes wordsFor(to - from + 1) words to dst; from must be >= 0.
void extract(const DrawMatrix& matrix, int number, int from, int to, std::uint64_t* dst);

// How many draws of [from, to] hold the number (from clamped to 0).
int countInRange(const DrawMatrix& matrix, int number, int from, int to);

} // namespace DrawBits
