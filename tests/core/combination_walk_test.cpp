// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/CombinationWalk.h"
#include "output/NumberFormat.h"
#include "support/TestSupport.h"

TEST(CombinationWalk, LineLayouts)
{
    EXPECT_EQ(CombinationWalk::text({5, 12, 33}), QStringLiteral(" 5 12 33"));
    EXPECT_EQ(CombinationWalk::mostFrequentLine(QStringLiteral(" 5 12"), 7), QStringLiteral(" 5 12    7"));
    EXPECT_EQ(CombinationWalk::gapLine(QStringLiteral(" 5 12 33"), 3, 12), QStringLiteral(" 5 12 33   3  12"));
    EXPECT_EQ(CombinationWalk::gapLine(QStringLiteral(" 1"), 1, -2), QStringLiteral(" 1   1 -2"));
    EXPECT_EQ(CombinationWalk::combinationCount(30, 6), 593775.0);
    EXPECT_EQ(CombinationWalk::combinationCount(70, 4), 916895.0);
    EXPECT_EQ(CombinationWalk::combinationCount(3, 4), 0.0);
    EXPECT_TRUE(CombinationWalk::isSize(2) && CombinationWalk::isSize(10));
    EXPECT_FALSE(CombinationWalk::isSize(1) || CombinationWalk::isSize(11));

    EXPECT_EQ(CombinationWalk::stoppedLine(4962236, 12103014),
              QStringLiteral("Recherche arrêtée : 41 % des combinaisons examinées"));
    EXPECT_EQ(CombinationWalk::stoppedLine(99, 100), QStringLiteral("Recherche arrêtée : 99 % des combinaisons examinées"));
    // Millions examined out of billions are not "0 %": a decimal under 1 %, rounded down.
    EXPECT_EQ(CombinationWalk::stoppedLine(7383743, 1646492110),
              QStringLiteral("Recherche arrêtée : 0,4 % des combinaisons examinées"));
    EXPECT_EQ(CombinationWalk::stoppedLine(99, 10000), QStringLiteral("Recherche arrêtée : 0,9 % des combinaisons examinées"));
    EXPECT_EQ(CombinationWalk::stoppedLine(1, 396704524216LL),
              QStringLiteral("Recherche arrêtée : moins de 0,1 % des combinaisons examinées"));
    EXPECT_EQ(CombinationWalk::stoppedLine(0, 100), QStringLiteral("Recherche arrêtée : 0 % des combinaisons examinées"));
    EXPECT_TRUE(CombinationWalk::isStoppedLine(CombinationWalk::stoppedLine(1, 396704524216LL)));
    EXPECT_FALSE(CombinationWalk::isStoppedLine(QStringLiteral(" 1 2 3    7")));
    CombinationWalk::Progress p{.combination = {}, .examined = 999, .total = 1000, .elapsed = std::chrono::milliseconds(999)};
    EXPECT_EQ(CombinationWalk::progressText(p),
              QStringLiteral("999 combinaisons examinées sur 1") + NumberFormat::groupSeparator() + QStringLiteral("000 (99 %)"));
    // Half done in 65 s: as long again.
    p.examined = 500;
    p.elapsed = std::chrono::seconds(65);
    EXPECT_TRUE(CombinationWalk::progressText(p).endsWith(QStringLiteral("(50 %), reste environ 1 min 05 s")));
    p.examined = 1;
    p.elapsed = std::chrono::seconds(1);
    EXPECT_TRUE(CombinationWalk::progressText(p).endsWith(QStringLiteral("(0,1 %), reste environ 16 min 39 s")));
    p.total = 3600001;
    EXPECT_TRUE(CombinationWalk::progressText(p).endsWith(QStringLiteral("reste environ 41 j 16 h")));
}
