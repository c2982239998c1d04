// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Inclusive list indices of the draws counted by the statistics.
struct StudyPeriod {
    int first = 0;
    int last = -1;
};
