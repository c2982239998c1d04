// SPDX-License-Identifier: GPL-3.0-or-later
// The odds of the game and their report, against sums of exact whole-number odds.
#include "chance/ChanceText.h"
#include "chance/KenoOdds.h"
#include "support/ChanceSupport.h"

using ChanceSupport::odds;

TEST(KenoOddsTest, ExpectedReturnOfThePayTable)
{
    EXPECT_NEAR(KenoOdds::row(1).expectedReturn, 2.0 / 7.0, 1e-12); // one number pays its stake back
    for (int k = 2; k <= 10; ++k) {
        double expected = 0;
        for (int m = 0; m <= k; ++m)
            expected += odds(k, m) * TestSupport::pay(k, m);
        EXPECT_NEAR(KenoOdds::row(k).expectedReturn, expected, 1e-12) << k;
    }
    const KenoOddsRow ten = KenoOdds::row(10);
    EXPECT_NEAR(ten.anyPrize, 0.13544148336, 1e-10);
    EXPECT_NEAR(ten.profit, 0.10954745508, 1e-10); // 0 matched pays back the stake only
    EXPECT_NEAR(KenoOdds::row(2).variance, 2.609467227344624, 1e-10);
    EXPECT_NEAR(KenoOdds::row(9).anyPrize - KenoOdds::row(9).profit, 0.26451773325 - 0.06814478252, 1e-10);
}

TEST(KenoOddsTest, ReportLines)
{
    const QStringList lines = KenoOdds::report();
    EXPECT_EQ(lines[0], QStringLiteral("Cotes du Keno : 20 numéros tirés sur 70, mise 1 €uro par tirage"));
    const qsizetype two = lines.indexOf(QStringLiteral("2 numéros joués"));
    ASSERT_GT(two, 0);
    EXPECT_EQ(lines.mid(two - 1, 7),
              (QStringList{QString(), QStringLiteral("2 numéros joués"),
                           QStringLiteral("  0 bon(s) : probabilité 0,507 (1 sur 2,0), gain 0"),
                           QStringLiteral("  1 bon(s) : probabilité 0,414 (1 sur 2,4), gain 0"),
                           QStringLiteral("  2 bon(s) : probabilité 0,079 (1 sur 12,7), gain 6"),
                           QStringLiteral("  retour moyen par €uro misé 0,4720"),
                           QStringLiteral("  chance d'un gain 7,87 %, d'un bénéfice 7,87 %")}));
    // Two significant digits: C(20,5) / C(70,5) = 1/780.6 and C(20,7) C(50,2) / C(70,9) = 1/684.8
    // no longer both read 0,001; large figures grouped (C(70,10) / C(20,10) = 2147181.1).
    EXPECT_TRUE(lines.contains(QStringLiteral("  5 bon(s) : probabilité 0,0013 (1 sur 781), gain 100")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  7 bon(s) : probabilité 0,0015 (1 sur 685), gain 20")));
    const QString sep = ChanceText::groupSeparator();
    EXPECT_TRUE(lines.contains(QStringLiteral("  10 bon(s) : probabilité 4,7e-07 (1 sur 2") + sep + QStringLiteral("147") + sep
                               + QStringLiteral("181), gain 200") + sep + QStringLiteral("000")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  retour moyen par €uro misé 0,5464")));
    // One number is no stake: its block speaks of appearances, never of a gain or a profit.
    const qsizetype one = lines.indexOf(QStringLiteral("1 numéro joué"));
    ASSERT_GT(one, 0);
    const QStringList oneBlock = lines.mid(one, two - 1 - one);
    EXPECT_EQ(oneBlock,
              (QStringList{
                  QStringLiteral("1 numéro joué"), QStringLiteral("  0 bon(s) : probabilité 0,714 (1 sur 1,4), montant 0"),
                  QStringLiteral("  1 bon(s) : probabilité 0,286 (1 sur 3,5), montant 1"),
                  QStringLiteral("  sorties moyennes par tirage 0,2857"), QStringLiteral("  chance que le numéro sorte 28,57 %"),
                  QStringLiteral("  (avec un numéro, le montant 1 compte les sorties : ce n'est ni un gain "
                                 "ni un bénéfice)")}));
}

namespace {

// The block of k numbers played: its heading to the line before the next blank.
QStringList blockOf(const QStringList& lines, int k)
{
    const qsizetype at = lines.indexOf(QString::number(k) + QStringLiteral(" numéros joués"));
    if (at < 0)
        return {};
    qsizetype end = lines.indexOf(QString(), at);
    return lines.mid(at, (end < 0 ? lines.size() : end) - at);
}

} // namespace

TEST(KenoOddsTest, NewGameOddsSayWhichAmountsTheTableLacks)
{
    const Formula& current = Formula::current();
    const QStringList lines = KenoOdds::report(current);
    EXPECT_EQ(lines[0], QStringLiteral("Cotes du Keno : 16 numéros tirés sur 56, mise 1 €uro par tirage"));
    for (const QString& line : lines)
        EXPECT_LE(line.size(), ChanceText::kLineWidth) << line.toStdString();
    // A player ticks 4 to 10 numbers: one block for each, none for fewer.
    EXPECT_EQ(ChanceSupport::countContaining(lines, QStringLiteral(" joué")), 7);
    EXPECT_TRUE(blockOf(lines, 3).isEmpty());
    ASSERT_FALSE(blockOf(lines, 10).isEmpty());

    const QStringList seven = blockOf(lines, 7);
    ASSERT_GE(seven.size(), 1 + 8 + 2);
    // Only 5, 6 and 7 of 7 have a published amount: 5, 90 and 3 000 euros.
    const QString unknown = QStringLiteral("inconnu");
    const QStringList amounts = {unknown,
                                 unknown,
                                 unknown,
                                 unknown,
                                 unknown,
                                 QStringLiteral("5"),
                                 QStringLiteral("90"),
                                 QStringLiteral("3") + ChanceText::groupSeparator() + QStringLiteral("000")};
    for (int m = 0; m <= 7; ++m) {
        const QString& line = seven[m + 1];
        EXPECT_TRUE(ChanceSupport::agrees(ChanceSupport::printed(line, u"probabilité "), ChanceSupport::odds(7, m, 56, 16)))
            << line.toStdString();
        EXPECT_TRUE(line.endsWith(QStringLiteral(", gain ") + amounts[m])) << line.toStdString();
    }
    EXPECT_EQ(seven.mid(9).join(QLatin1Char(' ')).simplified(),
              QStringLiteral("Gains inconnus pour 0, 1, 2, 3 ou 4 numéros trouvés sur 7 : la table des gains de ce jeu est "
                             "incomplète. retour moyen et chances de gain : non calculés sans ces gains"));
    // An unknown amount is never taken for 0: no return is printed for a row that lacks one.
    EXPECT_EQ(ChanceSupport::countContaining(lines, QStringLiteral("retour moyen par")), 0);
    EXPECT_FALSE(KenoOdds::row(7, current).known);
    EXPECT_EQ(KenoOdds::row(7, current).expectedReturn, 0.0);
    EXPECT_TRUE(blockOf(lines, 10)
                    .join(QLatin1Char(' '))
                    .simplified()
                    .contains(QStringLiteral("Gains inconnus pour 0, 1, 2, 3, 4, 5, 6, 7, 8 ou 9 numéros trouvés sur 10 :")));
}

TEST(KenoOddsTest, NewGameReturnOfAFullTableIsTheSumOfItsExactOdds)
{
    const Formula full = ChanceSupport::newGameWithFullTable();
    for (int k = 4; k <= 10; ++k) {
        double expected = 0, second = 0, any = 0;
        for (int m = 0; m <= k; ++m) {
            const double pay = m >= 2 ? m * m - 1 : 0;
            const double p = ChanceSupport::odds(k, m, 56, 16);
            expected += p * pay, second += p * pay * pay, any += pay > 0 ? p : 0;
        }
        const KenoOddsRow r = KenoOdds::row(k, full);
        ASSERT_TRUE(r.known) << k;
        EXPECT_NEAR(r.expectedReturn, expected, 1e-12) << k;
        EXPECT_NEAR(r.variance, second - expected * expected, 1e-10) << k;
        EXPECT_NEAR(r.anyPrize, any, 1e-12) << k;
    }
    EXPECT_TRUE(KenoOdds::report(full).contains(QStringLiteral("  retour moyen par €uro misé ")
                                                + ChanceText::decimal(KenoOdds::row(7, full).expectedReturn, 4)));
}
