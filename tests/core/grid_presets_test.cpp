// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/GridPresets.h"
#include "support/TestSupport.h"

TEST(GridPresets, RowsOfTenAndLastDigits)
{
    EXPECT_EQ(GridPresets::colonnes(6), std::vector<int>({61, 62, 63, 64, 65, 66, 67, 68, 69, 70}));
    EXPECT_EQ(GridPresets::colonnes(0), std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_TRUE(GridPresets::colonnes(7).empty());
    EXPECT_TRUE(GridPresets::colonnes(-1).empty());
    EXPECT_EQ(GridPresets::finales(10), std::vector<int>({10, 20, 30, 40, 50, 60, 70}));
    EXPECT_EQ(GridPresets::finales(1), std::vector<int>({1, 11, 21, 31, 41, 51, 61}));
    EXPECT_EQ(GridPresets::finales(9), std::vector<int>({9, 19, 29, 39, 49, 59, 69}));
    EXPECT_TRUE(GridPresets::finales(0).empty());
    EXPECT_TRUE(GridPresets::finales(11).empty());
    EXPECT_EQ(GridPresets::colonnesCaption(0), QStringLiteral("1-10"));
    EXPECT_EQ(GridPresets::colonnesCaption(6), QStringLiteral("61-70"));
    EXPECT_EQ(GridPresets::finalesCaption(1), QStringLiteral("1"));
    EXPECT_EQ(GridPresets::finalesCaption(10), QStringLiteral("0"));
}
