// SPDX-License-Identifier: GPL-3.0-or-later
// The odds of the game and their report, against sums of exact whole-number odds.
#include "chance/ChanceText.h"
#include "chance/KenoOdds.h"
#include "history/PayTables.h"
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

namespace {

// The amounts of 7 numbers on the new game's shipped table, written here (5, 6 and 7 matched:
// 5, 90 and 3 000 €), and the ones a player types for 0 to 4 matched: 0, 0, 0, 1 and 2 €.
constexpr std::array<qint64, 8> kSeven{0, 0, 0, 1, 2, 5, 90, 3000};

// The odds of m of 7 on the new game, as numerators over C(56, 7) = 231 917 400.
unsigned long long oddsNumerator(int m)
{
    return ChanceSupport::choose(16, m) * ChanceSupport::choose(40, 7 - m);
}

// The counts multipliers have been seen with: ×1 five times, ×2 three times, ×3 and ×5 once.
MultiplierCounts tenSeen()
{
    MultiplierCounts c;
    c.counts = {{1, 5}, {2, 3}, {3, 1}, {5, 1}};
    return c;
}

QString returnText(double value)
{
    return QStringLiteral("  retour moyen par €uro misé ") + ChanceText::decimal(value, 4);
}

} // namespace

TEST(KenoOddsTest, NewGameSevenNumbersOnTheShippedAmountsAgainstExactFractions)
{
    const Formula& current = Formula::current();
    const PayTable shipped = PayTables().of(FormulaId::Keno16of56);
    for (int m = 5; m <= 7; ++m)
        ASSERT_EQ(shipped.amount(7, m), kSeven[static_cast<size_t>(m)]) << m;
    const unsigned long long all = ChanceSupport::choose(56, 7);
    ASSERT_EQ(all, 231917400ull);
    for (int m = 0; m <= 7; ++m)
        EXPECT_NEAR(KenoOdds::row(7, current).probability[static_cast<size_t>(m)],
                    static_cast<double>(oddsNumerator(m)) / static_cast<double>(all), 1e-15);
    // As shipped, 0 to 4 of 7 have no amount: every stake, with or without the option, prints
    // the amounts it knows times the stake and no return.
    for (const int euros : Stake::kEuros)
        for (const bool option : {false, true}) {
            const QStringList lines = KenoOdds::report(current, Wager(shipped, Stake{euros, option}, {2, 1, 3}), 3);
            const QStringList seven = blockOf(lines, 7);
            ASSERT_GE(seven.size(), 9);
            for (int m = 5; m <= 7; ++m)
                EXPECT_TRUE(seven[m + 1].endsWith(QStringLiteral(", gain ")
                                                  + ChanceText::grouped(kSeven[static_cast<size_t>(m)] * euros)))
                    << seven[m + 1].toStdString();
            EXPECT_TRUE(seven.contains(QStringLiteral("  retour moyen et chances de gain : non calculés sans ces gains")));
            EXPECT_EQ(ChanceSupport::countContaining(lines, QStringLiteral("retour moyen par")), 0);
        }

    // Filled by the player: E[a] = Σ C(16, m) C(40, 7 − m) a_m / C(56, 7), per euro whatever the
    // stake; with the option the doubled stake and the mean multiplier 19/10 make it E[a] × 19/20.
    PayTable filled = shipped;
    unsigned long long paid = 0, profitPlain = 0, profitOption = 0;
    for (int m = 0; m <= 7; ++m) {
        const qint64 a = kSeven[static_cast<size_t>(m)];
        filled.amounts[7][static_cast<size_t>(m)] = a;
        paid += oddsNumerator(m) * static_cast<unsigned long long>(a);
        profitPlain += a > 1 ? oddsNumerator(m) : 0; // more than the stake back
        for (const auto& [f, count] : tenSeen().counts)
            profitOption += a * f > 2 ? oddsNumerator(m) * static_cast<unsigned long long>(count) : 0; // over 10 draws
    }
    // 51 178 400 × 1 + 17 981 600 × 2 + 3 407 040 × 5 + 320 320 × 90 + 11 440 × 3 000, which
    // Python's fractions reduce to 21 452 / 29 733 (0,72149 per euro; 0,68541 with the option).
    EXPECT_EQ(paid, 167325600ull);
    EXPECT_EQ(paid * 29733, 21452ull * all);
    const double plain = static_cast<double>(paid) / static_cast<double>(all);
    const double withOption = static_cast<double>(paid * 19) / static_cast<double>(all * 20);
    for (const int euros : Stake::kEuros) {
        const KenoOddsRow without = KenoOdds::row(7, current, filled, Stake{euros, false});
        ASSERT_TRUE(without.known);
        EXPECT_NEAR(without.expectedReturn, plain, 1e-12) << euros;
        EXPECT_NEAR(without.profit, static_cast<double>(profitPlain) / static_cast<double>(all), 1e-12) << euros;
        const KenoOddsRow with = KenoOdds::row(7, current, filled, Stake{euros, true}, tenSeen());
        EXPECT_NEAR(with.expectedReturn, withOption, 1e-12) << euros;
        EXPECT_NEAR(with.profit, static_cast<double>(profitOption) / static_cast<double>(all * 10), 1e-12) << euros;
        EXPECT_EQ(with.amount[7], 3000 * euros);
    }
    const QStringList lines = KenoOdds::report(current, Wager(filled, Stake{5, false}), 0);
    EXPECT_TRUE(blockOf(lines, 7).contains(returnText(plain)));
}

TEST(KenoOddsTest, OptionIntervalsStayHonestForOneDrawOrIdenticalOnes)
{
    const Formula& current = Formula::current();
    PayTable filled = PayTables().of(FormulaId::Keno16of56);
    for (int m = 0; m <= 7; ++m)
        filled.amounts[7][static_cast<size_t>(m)] = kSeven[static_cast<size_t>(m)];
    double paid = 0;
    std::array<double, 11> profit{}; // the chance of a profit at each multiplier, 3 € with the option
    for (int m = 0; m <= 7; ++m) {
        const double p = ChanceSupport::odds(7, m, 56, 16);
        paid += p * static_cast<double>(kSeven[static_cast<size_t>(m)]);
        for (int f = 1; f <= 10; ++f)
            profit[static_cast<size_t>(f)] += kSeven[static_cast<size_t>(m)] * 3 * f > 6 ? p : 0;
    }
    const double z2 = 1.959963984540054 * 1.959963984540054;
    // One draw seen, at ×10: the mean multiplier may be as low as 1 + 9 / (1 + z²), never 10 alone.
    MultiplierCounts one;
    one.counts = {{10, 1}};
    const KenoOddsRow r = KenoOdds::row(7, current, filled, Stake{3, true}, one);
    const double low = 1 + 9 / (1 + z2);
    EXPECT_NEAR(r.expectedReturn, paid * 10 / 2, 1e-12);
    EXPECT_NEAR(r.returnLow, paid * low / 2, 1e-9);
    EXPECT_NEAR(r.returnHigh, paid * 10 / 2, 1e-12);
    EXPECT_NEAR(r.profit, profit[10], 1e-12);
    EXPECT_NEAR(r.profitLow, profit[1] + (profit[10] - profit[1]) / (1 + z2), 1e-9);
    EXPECT_NEAR(r.profitHigh, profit[10], 1e-12);
    // Three at ×1: up to 1 + 9 z² / (3 + z²), and the profit's chance as far up.
    MultiplierCounts three;
    three.counts = {{1, 3}};
    const KenoOddsRow s = KenoOdds::row(7, current, filled, Stake{3, true}, three);
    EXPECT_NEAR(s.returnLow, paid / 2, 1e-12);
    EXPECT_NEAR(s.returnHigh, paid * (1 + 9 * z2 / (3 + z2)) / 2, 1e-9);
    EXPECT_NEAR(s.profitLow, profit[1], 1e-12);
    EXPECT_NEAR(s.profitHigh, profit[1] + (profit[10] - profit[1]) * z2 / (3 + z2), 1e-9);

    // The report: one draw is one « tirage », its share's interval Wilson's, 1/(1 + z²) to 1.
    const QStringList lines = KenoOdds::report(current, Wager(filled, Stake{3, true}, {10, 0}), 2);
    EXPECT_EQ(lines.mid(1, 3),
              (QStringList{QStringLiteral("Option : 6 €uros par tirage (mise doublée), gains multipliés par le multiplicateur"),
                           QStringLiteral("Multiplicateurs observés sur 1 tirage :"),
                           QStringLiteral("  ×10 : 1 tirage, 100,00 % (intervalle à 95 % : 20,65 % à 100,00 %)")}));
    EXPECT_TRUE(lines.contains(QStringLiteral("1 tirage sans multiplicateur connu, laissé hors de cette estimation")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Multiplicateur moyen 10,0000, intervalle à 95 % : ") + ChanceText::decimal(low, 4)
                               + QStringLiteral(" à 10,0000")));
    const QStringList seven = blockOf(lines, 7);
    EXPECT_TRUE(seven.contains(returnText(paid * 5) + QStringLiteral(" (intervalle à 95 % : ")
                               + ChanceText::decimal(paid * low / 2, 4) + QStringLiteral(" à ") + ChanceText::decimal(paid * 5, 4)
                               + QLatin1Char(')')));
    EXPECT_TRUE(seven.contains(QStringLiteral("  chance d'un bénéfice : intervalle à 95 % : ")
                               + ChanceText::percent(r.profitLow, 2) + QStringLiteral(" à ")
                               + ChanceText::percent(profit[10], 2)));
    for (const QString& line : lines)
        EXPECT_LE(line.size(), ChanceText::kLineWidth) << line.toStdString();
}
