// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The eleven scroll bars of the criteria window. The value is the bar's number (HScroll1 is 1),
// which is also its line in the criteria file.
enum class CriterionBar {
    RecentDraws = 1, // HScroll1, lblrecent2
    AverageDraws = 2, // HScroll2, lblMoyen2
    GeneralDraws = 3, // HScroll3, lblGen2
    GapMin = 4, // HScroll4, lblEcartsMin2
    GapMax = 5, // HScroll5, lblEcartsMax2
    RecentMin = 6, // HScroll6, lblRecMin
    RecentMax = 7, // HScroll7, lblrecmax
    AverageMin = 8, // HScroll8, lblMoyMin
    AverageMax = 9, // HScroll9, lblMoyMax
    GeneralMin = 10, // HScroll10, lblGenMin
    GeneralMax = 11, // HScroll11, lblGenMax
};

constexpr int kCriterionBarCount = 11;

constexpr int barIndex(CriterionBar bar)
{
    return static_cast<int>(bar);
}
