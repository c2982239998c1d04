// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/GridPresets.h"
#include "support/NewGameSupport.h"
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

TEST(GridPresets, NewGameRowsOfEightAndShortDigits)
{
    const Formula& game = Formula::current();
    EXPECT_EQ(GridPresets::colonnesCount(), 7);
    ASSERT_EQ(GridPresets::colonnesCount(game), 7);
    EXPECT_EQ(GridPresets::colonnesCaption(0, game), QStringLiteral("1-8"));
    EXPECT_EQ(GridPresets::colonnesCaption(6, game), QStringLiteral("49-56"));
    EXPECT_EQ(GridPresets::colonnesCaption(7, game), QString());
    EXPECT_EQ(GridPresets::colonnes(6, game), std::vector<int>({49, 50, 51, 52, 53, 54, 55, 56}));
    EXPECT_TRUE(GridPresets::colonnes(7, game).empty());
    // Every number is in exactly one row and one last digit.
    std::array<int, 57> rows{}, digits{};
    for (int i = 0; i < 7; ++i)
        for (int n : GridPresets::colonnes(i, game))
            ++rows[static_cast<size_t>(n)];
    for (int d = 1; d <= 10; ++d)
        for (int n : GridPresets::finales(d, game)) {
            EXPECT_EQ(n % 10, d % 10);
            ++digits[static_cast<size_t>(n)];
        }
    for (int n = 1; n <= 56; ++n)
        EXPECT_TRUE(rows[static_cast<size_t>(n)] == 1 && digits[static_cast<size_t>(n)] == 1) << n;
    EXPECT_EQ(GridPresets::finales(1, game), std::vector<int>({1, 11, 21, 31, 41, 51}));
    EXPECT_EQ(GridPresets::finales(10, game), std::vector<int>({10, 20, 30, 40, 50}));
}
