// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/UnknownPay.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(UnknownPay, TheAmountsLackingAreThoseOfTheTableInForce)
{
    const Formula& current = Formula::current();
    EXPECT_EQ(UnknownPay::matches(current, 7), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(UnknownPay::matches(Formula::classic(), 7).empty());

    // A player's table: the amounts filled no longer lack, the one cleared does.
    PayTable table = current.payTable;
    table.amounts[7][0] = table.amounts[7][1] = table.amounts[7][2] = 0;
    table.amounts[7][3] = 1;
    table.amounts[7][6] = std::nullopt;
    EXPECT_EQ(UnknownPay::matches(table, 7), (std::vector<int>{4, 6}));
    EXPECT_EQ(UnknownPay::sentence(7, UnknownPay::matches(table, 7)).join(QLatin1Char(' ')).simplified(),
              QStringLiteral("Gains inconnus pour 4 ou 6 numéros trouvés sur 7 : la table des gains de ce jeu est incomplète."));
    table.amounts[7][4] = 2;
    table.amounts[7][6] = 90;
    EXPECT_TRUE(UnknownPay::matches(table, 7).empty());
    EXPECT_TRUE(UnknownPay::sentence(7, {}).isEmpty());
    EXPECT_EQ(UnknownPay::sentence(9, {9}).join(QLatin1Char(' ')).simplified(),
              QStringLiteral("Gain inconnu pour 9 numéros trouvés sur 9 : la table des gains de ce jeu est incomplète."));
}
