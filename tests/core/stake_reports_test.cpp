// SPDX-License-Identifier: GPL-3.0-or-later
// The money reports played with a stake and the multiplier option, every amount set against a
// sum of exact whole-number odds worked out here, for both games.
#include "chance/Backtest.h"
#include "chance/FigureText.h"
#include "chance/KenoOdds.h"
#include "chance/PerformanceComparison.h"
#include "chance/TotalLaw.h"
#include "forecast/Performance.h"
#include "history/PayTables.h"
#include "shell/Settings.h"
#include "support/ChanceSupport.h"
#include "support/NewGameSupport.h"

#include <cmath>
#include <map>
#include <random>

using ChanceSupport::choose;

namespace {

// The two tables every case runs on: the classic one as shipped, and the new game's with every
// amount filled (m² − 1 from 2 matched on).
struct Game {
    Formula formula;
    PayTable table;
};

std::vector<Game> games()
{
    const Formula full = ChanceSupport::newGameWithFullTable();
    return {{Formula::classic(), PayTables().of(FormulaId::Keno20of70)}, {full, full.payTable}};
}

// E[amount] of k numbers: sum of C(D, m) C(N − D, k − m) a_m over C(N, k), the numerator a whole number.
long double exactMeanAmount(const Game& g, int k)
{
    unsigned long long numerator = 0;
    for (int m = 0; m <= k; ++m)
        numerator += choose(g.formula.drawn, m) * choose(g.formula.numbers - g.formula.drawn, k - m)
            * static_cast<unsigned long long>(*g.table.amount(k, m));
    return static_cast<long double>(numerator) / static_cast<long double>(choose(g.formula.numbers, k));
}

long double exactOdds(const Game& g, int k, int m)
{
    return static_cast<long double>(choose(g.formula.drawn, m) * choose(g.formula.numbers - g.formula.drawn, k - m))
        / static_cast<long double>(choose(g.formula.numbers, k));
}

// Multipliers seen ×1 five times, ×2 three times, ×3 and ×5 once: mean 19/10, E[F²] 51/10.
const std::map<int, int> kSeen{{1, 5}, {2, 3}, {3, 1}, {5, 1}};

MultiplierCounts seen(int unknown = 0)
{
    MultiplierCounts c;
    c.counts = kSeen;
    c.unknown = unknown;
    return c;
}

} // namespace

TEST(StakeReports, OddsForTheStakeAndTheOptionAgainstExactSums)
{
    const long double meanF = 19.0L / 10;
    // The multiplier's interval (checked against closed forms in bounded_mean_test) carried
    // through to the return: it holds the mean and, ×10 being possible though unseen, reaches
    // higher than the normal interval of the ten counts.
    const auto [lowF, highF] = seen().meanInterval();
    const long double half = 1.959963984540054L * std::sqrt((5.1L - meanF * meanF) / 10);
    EXPECT_GT(lowF, 1.0);
    EXPECT_LT(lowF, meanF);
    EXPECT_GT(highF, meanF + half);
    for (const Game& g : games()) {
        for (int k = std::max(2, g.formula.minTicked); k <= g.formula.maxTicked; ++k) {
            const long double meanA = exactMeanAmount(g, k);
            const KenoOddsRow three = KenoOdds::row(k, g.formula, g.table, Stake{3, false});
            EXPECT_NEAR(three.expectedReturn, meanA, 1e-12) << k; // per euro: the stake changes nothing
            EXPECT_EQ(three.amount[static_cast<size_t>(k)], *g.table.amount(k, k) * 3) << k;
            const KenoOddsRow option = KenoOdds::row(k, g.formula, g.table, Stake{2, true}, seen());
            ASSERT_TRUE(option.known);
            // Per euro of the doubled stake: E[a] E[F] / 2.
            EXPECT_NEAR(option.expectedReturn, meanA * meanF / 2, 1e-12) << k;
            EXPECT_NEAR(option.returnLow, meanA * lowF / 2, 1e-12) << k;
            EXPECT_NEAR(option.returnHigh, meanA * highF / 2, 1e-12) << k;
            // A profit: a_m × 2 € × F above the 4 € paid.
            long double profit = 0;
            for (int m = 0; m <= k; ++m)
                for (const auto& [f, count] : kSeen)
                    if (*g.table.amount(k, m) * 2 * f > 4)
                        profit += exactOdds(g, k, m) * count / 10;
            EXPECT_NEAR(option.profit, profit, 1e-12) << k;
            EXPECT_LE(option.profitLow, option.profit + 1e-12) << k;
            EXPECT_GE(option.profitHigh, option.profit - 1e-12) << k;
            EXPECT_EQ(three.profitLow, three.profit) << k; // without the option, nothing estimated
            EXPECT_EQ(three.returnHigh, three.expectedReturn) << k;
            EXPECT_EQ(option.amount[static_cast<size_t>(k)], *g.table.amount(k, k) * 2) << k;
        }
    }
}

TEST(StakeReports, OddsReportSaysWhatTheOptionRestsOn)
{
    const Formula& classic = Formula::classic();
    const PayTable& table = PayTables().of(FormulaId::Keno20of70);
    // 1 € alone reads as it always did, through the pay table in force.
    EXPECT_EQ(KenoOdds::report(classic, Wager(table), 0), KenoOdds::report(classic));

    // Ten draws known, two not: the law from the ten, the two said.
    const Wager wager(table, Stake{1, true}, {1, 1, 0, 2, 1, 3, 2, 0, 1, 5, 2, 1});
    const QStringList lines = KenoOdds::report(classic, wager, 12);
    EXPECT_EQ(lines[0], QStringLiteral("Cotes du Keno : 20 numéros tirés sur 70, mise 1 € avec l'option multiplicateur"));
    EXPECT_EQ(lines[1], QStringLiteral("Option : 2 €uros par tirage (mise doublée), gains multipliés par le multiplicateur"));
    // Each share with Wilson's interval: 5 of 10 from 23,66 % to 76,34 %, 1 of 10 from 1,79 %.
    EXPECT_EQ(lines.mid(2, 6),
              (QStringList{QStringLiteral("Multiplicateurs observés sur 10 tirages :"),
                           QStringLiteral("  ×1 : 5 tirages, 50,00 % (intervalle à 95 % : 23,66 % à 76,34 %)"),
                           QStringLiteral("  ×2 : 3 tirages, 30,00 % (intervalle à 95 % : 10,78 % à 60,32 %)"),
                           QStringLiteral("  ×3 : 1 tirage, 10,00 % (intervalle à 95 % : 1,79 % à 40,42 %)"),
                           QStringLiteral("  ×5 : 1 tirage, 10,00 % (intervalle à 95 % : 1,79 % à 40,42 %)"),
                           QStringLiteral("Multiplicateur moyen 1,9000, intervalle à 95 % : 1,4010 à 4,1480")}));
    EXPECT_TRUE(lines.contains(QStringLiteral("2 tirages sans multiplicateur connu, laissés hors de cette estimation")));
    EXPECT_TRUE(lines.join(QLatin1Char(' ')).contains(QStringLiteral("L'opérateur ne publie pas")));
    // E[a] = 0,4720 for 2 numbers: 0,4720 × 1,9 / 2, its ends 0,4720 × 1,4010 / 2 and × 4,1480 / 2.
    EXPECT_TRUE(lines.contains(QStringLiteral("  retour moyen par €uro misé 0,4484 (intervalle à 95 % : 0,3307 à 0,9790)")));
    // Two numbers profit with any multiplier: no interval; three with ×2 and more on 2 matched.
    EXPECT_FALSE(lines.contains(QStringLiteral("  chance d'un bénéfice : intervalle à 95 % : 7,87 % à 7,87 %")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  chance d'un bénéfice : intervalle à 95 % : 6,19 % à 15,33 %")));

    // No multiplier known: no return made up from nothing.
    const QStringList none = KenoOdds::report(classic, Wager(table, Stake{1, true}, {0, 0, 0}), 3);
    EXPECT_TRUE(none[2].startsWith(QStringLiteral("Aucun multiplicateur connu dans l'historique")));
    EXPECT_EQ(none.filter(QStringLiteral("retour moyen par €uro")).size(), 0);
    EXPECT_EQ(none.filter(QStringLiteral("non calculés sans multiplicateur connu")).size(), 9); // 2 to 10 numbers
    EXPECT_FALSE(KenoOdds::row(5, classic, table, Stake{1, true}).known);
    for (const QStringList& report : {lines, none, KenoOdds::report(classic, Wager(table, Stake{10, true}, {1}), 1)})
        for (const QString& line : report)
            EXPECT_LE(line.size(), 88) << line.toStdString();
}

TEST(StakeReports, TotalLawOfTheStakeTimesTheMultiplierAgainstItsConvolution)
{
    for (const Game& g : games()) {
        const int k = std::max(3, g.formula.minTicked), plays = 4;
        const std::map<int, int> factors{{1, 3}, {2, 1}};
        const std::optional<TotalLaw> law = TotalLaw::payout(g.formula, g.table, k, plays, 2, factors);
        ASSERT_TRUE(law);
        // Three plays of a_m × 2, one of a_m × 2 × 2, convolved one after the other: each play
        // paid with its own multiplier, as the draws were.
        std::map<qint64, long double> total{{0, 1.0L}};
        for (const auto& [f, count] : factors)
            for (int p = 0; p < count; ++p) {
                std::map<qint64, long double> next;
                for (const auto& [a, pa] : total)
                    for (int m = 0; m <= k; ++m)
                        next[a + *g.table.amount(k, m) * 2 * f] += pa * exactOdds(g, k, m);
                total = next;
            }
        long double cumulative = 0;
        for (const auto& [x, px] : total) {
            cumulative += px;
            EXPECT_NEAR(law->cdf(x), cumulative, 1e-12) << g.formula.key.toStdString() << " " << x;
        }
        EXPECT_NEAR(law->mean(), plays * 2 * exactMeanAmount(g, k) * 5 / 4, 1e-9);
    }
    // Over many draws the jackpot times each multiplier is set apart, all together: the law is
    // the one computed with the jackpot alone set apart, the figures more than 10 times faster.
    const Formula& classic = Formula::classic();
    std::vector<qint64> values;
    std::vector<double> probs;
    const std::map<int, int> seenOften{{1, 500}, {2, 300}, {3, 100}, {4, 50}, {5, 40}, {10, 10}};
    for (int m = 0; m <= 10; ++m)
        for (const auto& [f, count] : seenOften) {
            values.push_back(*classic.payTable.amount(10, m) * 5 * f);
            probs.push_back(static_cast<double>(exactOdds(games()[0], 10, m)) * count / 1000);
        }
    const TotalLaw together(values, probs, 2000, 6), alone(values, probs, 2000);
    for (qint64 x = 0; x <= 400000; x += 1235)
        EXPECT_NEAR(together.cdf(x), alone.cdf(x), 1e-12) << x;
    EXPECT_EQ(together.band().low, alone.band().low);
    EXPECT_EQ(together.band().high, alone.band().high);
    EXPECT_EQ(together.median(), alone.median());

    // An unknown amount never reads as 0.
    EXPECT_FALSE(TotalLaw::payout(Formula::current(), Formula::current().payTable, 7, 4, 2, {{2, 1}}));
}

namespace {

QStringList classicLines(const QList<QList<int>>& hits)
{
    QStringList lines;
    for (qsizetype i = 0; i < hits.size(); ++i)
        lines << TestSupport::drawWith(QDate(2020, 1, 1).addDays(i / 2), i % 2 == 0, hits[i], 51);
    return lines << QString();
}

} // namespace

TEST(StakeReports, PerformancePaysTheStakeTimesEachDrawsMultiplier)
{
    const QStringList liste = classicLines({{3, 7}, {3}, {3, 7}});
    DrawMatrix matrix;
    matrix.rebuild(liste);
    const PayTable& table = PayTables().of(FormulaId::Keno20of70); // 2 of 2 pay 6
    // 6 × 2 € × 2 on the first draw, nothing on the second, 6 × 2 € × 5 on the third.
    const Wager option(table, Stake{2, true}, {2, 0, 5, 0});
    const QStringList lines = Performance::evaluate(liste, matrix, {0, 2}, {3, 7}, option).lines;
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("24  €uros, Ecart 1")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("60  €uros, Ecart 1")));
    EXPECT_EQ(
        lines.mid(4, 6),
        (QStringList{QStringLiteral("Mise 2 € avec l'option multiplicateur, soit 4 €uros par tirage"),
                     QStringLiteral("1 tirage sans multiplicateur connu, compté avec ×1"), QStringLiteral("Enjeu total 12 €uros"),
                     QStringLiteral("Encaissé 84"), QString(), QStringLiteral("_____________ Bénefice  72")}));
    EXPECT_TRUE(lines.contains(QStringLiteral("  002  fois  2 numéros  : gains  84    02/01/2020  moyenne 1")));
    // Without the option the multipliers count for nothing, nor are the unknown ones told.
    const QStringList two
        = Performance::evaluate(liste, matrix, {0, 2}, {3, 7}, Wager(table, Stake{2, false}, {2, 0, 5, 0})).lines;
    EXPECT_EQ(two.mid(4, 3),
              (QStringList{QStringLiteral("Mise 2 €, soit 2 €uros par tirage"), QStringLiteral("Enjeu total 6 €uros"),
                           QStringLiteral("Encaissé 24")}));

    // The new game, its full table paying m² − 1: 3 matched pay 8, 5 matched 24; 5 € with the option.
    const NewGameSupport::Draws draws{{1, 2, 3, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52},
                                      {1, 2, 3, 4, 5, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50}};
    const Formula full = ChanceSupport::newGameWithFullTable();
    const QStringList newLines = Performance::evaluate(NewGameSupport::linesOf(draws), NewGameSupport::matrixOf(draws), {0, 1},
                                                       {1, 2, 3, 4, 5, 6, 7}, Wager(full.payTable, Stake{5, true}, {3, 0}))
                                     .lines;
    // 8 × 5 × 3 + 24 × 5 × 1 = 240 for 2 × 10 €.
    EXPECT_TRUE(newLines.contains(QStringLiteral("Enjeu total 20 €uros")));
    EXPECT_TRUE(newLines.contains(QStringLiteral("Encaissé 240")));
    EXPECT_TRUE(newLines.contains(QStringLiteral("1 tirage sans multiplicateur connu, compté avec ×1")));
}

TEST(StakeReports, ComparisonForTheStakePlayed)
{
    // 1 and 2 played on three draws: 6 × 3 € × 2 on the first; 3 × 6 € staked.
    const DrawMatrix m = TestSupport::matrixOf({{1, 2, 30}, {1, 40}, {50}});
    const Wager wager(PayTables().of(FormulaId::Keno20of70), Stake{3, true}, {2, 0, 3});
    const QStringList lines = PerformanceComparison::lines(m, {0, 2}, {1, 2}, wager);
    EXPECT_EQ(lines.mid(2, 3),
              (QStringList{QStringLiteral("Mise 3 € avec l'option multiplicateur par tirage"),
                           QStringLiteral("1 tirage sans multiplicateur connu, compté avec ×1"),
                           QStringLiteral("Loi du hasard : chaque tirage joué avec son propre multiplicateur")}));
    EXPECT_EQ(lines[5], QStringLiteral("Retour réel 36 €uros pour 18 €uros misés, soit 2,000 par €uro"));
    // Expected: 3 draws × 3 € × E[a] × (2 + 1 + 3) / 3, E[a] = 6 × 190 / 2415.
    const long double expected = 3 * 3 * (6.0L * 190 / 2415) * 2;
    EXPECT_EQ(lines[6].left(lines[6].indexOf(QLatin1Char(';'))),
              QStringLiteral("Retour attendu %1 €uros, soit %2 par €uro ")
                  .arg(QString::number(static_cast<double>(expected), 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')))
                  .arg(QString::number(static_cast<double>(expected / 18), 'f', 3).replace(QLatin1Char('.'), QLatin1Char(','))));

    // The new game's table as the player filled it reaches the comparison.
    const NewGameSupport::Draws draws{{1, 2, 3, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52}};
    const Formula full = ChanceSupport::newGameWithFullTable();
    const QStringList filled = PerformanceComparison::lines(NewGameSupport::matrixOf(draws), {0, 0}, {1, 2, 3, 4, 5, 6, 7},
                                                            Wager(full.payTable, Stake{2, false}));
    EXPECT_EQ(filled[3], QStringLiteral("Retour réel 16 €uros pour 2 €uros misés, soit 8,000 par €uro")); // 8 × 2 €
    // The shipped table lacks 0 to 4 of 7 (3 matched here): the return is said not counted,
    // never a sum that took the unknown amount for 0.
    const QStringList shipped = PerformanceComparison::lines(NewGameSupport::matrixOf(draws), {0, 0}, {1, 2, 3, 4, 5, 6, 7},
                                                             Wager(PayTables().of(FormulaId::Keno16of56), Stake{2, false}));
    EXPECT_EQ(shipped.filter(QStringLiteral("Retour réel")),
              QStringList{QStringLiteral("Retour réel et retour attendu : non calculés sans ces gains")});
    EXPECT_TRUE(
        shipped.join(QLatin1Char(' '))
            .simplified()
            .contains(QStringLiteral(
                "Gains inconnus pour 0, 1, 2, 3 ou 4 numéros trouvés sur 7 : la table des gains de ce jeu est incomplète.")));
}

TEST(StakeReports, ComparisonWithTheOptionIsTheLawOfTheDrawsAsPlayed)
{
    // 60 draws, each with its multiplier (some unknown, counted ×1): a random player on these
    // draws is paid times the same multipliers. The band and p of the law convolved here draw
    // by draw, not of a multiplier drawn at random at each draw.
    const TestSupport::Draws draws = TestSupport::randomDraws(60, 4242);
    std::mt19937 rng(99);
    std::vector<int> multipliers;
    for (int d = 0; d < 61; ++d)
        multipliers.push_back(std::array{0, 1, 1, 1, 2, 10}[rng() % 6]);
    const Game classic = games()[0];
    const std::vector<int> ticked{5, 17, 23, 42, 61};
    const Wager wager(classic.table, Stake{2, true}, multipliers);
    qint64 won = 0;
    std::map<qint64, long double> law{{0, 1.0L}};
    for (int d = 0; d < 60; ++d) {
        const int f = std::max(1, multipliers[static_cast<size_t>(d)]);
        int matched = 0;
        for (int n : ticked)
            matched += ChanceSupport::has(draws[static_cast<size_t>(d)], n) ? 1 : 0;
        won += *classic.table.amount(5, matched) * 2 * f;
        std::map<qint64, long double> next;
        for (const auto& [x, px] : law)
            for (int m = 0; m <= 5; ++m)
                next[x + *classic.table.amount(5, m) * 2 * f] += px * exactOdds(classic, 5, m);
        law.swap(next);
    }
    qint64 low = -1, high = -1;
    long double below = 0, atOrBelow = 0, c = 0;
    for (const auto& [x, px] : law) {
        c += px;
        low = low < 0 && c > 0.025L ? x : low;
        high = high < 0 && c >= 0.975L ? x : high;
        below += x < won ? px : 0.0L;
        atOrBelow += x <= won ? px : 0.0L;
    }
    const long double p = std::min(1.0L, 2 * std::min(atOrBelow, 1 - below));
    const QStringList lines = PerformanceComparison::lines(TestSupport::matrixOf(draws), {0, 59}, ticked, wager);
    EXPECT_TRUE(lines.contains(QStringLiteral("Loi du hasard : chaque tirage joué avec son propre multiplicateur")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Intervalle à 95 % (loi exacte du total) : ") + FigureText::whole(low)
                               + QStringLiteral(" à ") + FigureText::euros(static_cast<double>(high))))
        << low << " " << high << "\n"
        << lines.join(QLatin1Char('\n')).toStdString();
    const QStringList verdict = lines.filter(QStringLiteral("Le retour réel est"));
    ASSERT_EQ(verdict.size(), 1);
    EXPECT_TRUE(ChanceSupport::agrees(ChanceSupport::printed(verdict[0], u"p = "), p))
        << verdict[0].toStdString() << " " << static_cast<double>(p);
}

TEST(StakeReports, ReturnWhoseLawIsTooLargeIsToldNotTested)
{
    // Twenty multipliers, each of 50 draws, ten numbers at 10 € with the option: the jackpot
    // times each of them makes more combinations than a law may hold. The return is told, never
    // tested against a made-up law; the matches are still tested.
    const TestSupport::Draws draws = TestSupport::randomDraws(1000, 77);
    std::vector<int> multipliers;
    for (int d = 0; d < 1001; ++d)
        multipliers.push_back(d % 20 + 1);
    const Wager wager(games()[0].table, Stake{10, true}, multipliers);
    const DrawMatrix matrix = TestSupport::matrixOf(draws);
    const QStringList lines = PerformanceComparison::lines(matrix, {0, 999}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, wager);
    EXPECT_TRUE(lines.contains(QStringLiteral("Retour non comparé au hasard : sa loi exacte demanderait trop de mémoire")))
        << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(ChanceSupport::countContaining(lines, QStringLiteral("Retour réel ")), 1);
    EXPECT_EQ(ChanceSupport::countContaining(lines, QStringLiteral("Retour attendu")), 0);
    EXPECT_EQ(ChanceSupport::countContaining(lines, QStringLiteral("Numéros sortis")), 1);

    const BacktestResult r = Backtest::run(matrix, {0, 999}, ForecastCriteria(), {10, 1, 20}, wager);
    ASSERT_TRUE(r.rowKnown);
    EXPECT_TRUE(r.lawTooLarge);
    const QStringList report = Backtest::reportLines(r, {10, 1, 20}, QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_TRUE(
        report.contains(QStringLiteral("Hasard : la loi exacte du total demanderait trop de mémoire, elle n'est pas calculée")));
    EXPECT_EQ(ChanceSupport::countContaining(report, QStringLiteral("intervalle à 95 %")), 0);
    EXPECT_EQ(r.randomTotals.size(), 20u); // the random players need no law
}

TEST(StakeReports, BacktestStakesAndPaysEveryDrawAsPlayed)
{
    std::mt19937 rng(7);
    TestSupport::Draws draws;
    for (int d = 0; d < 150; ++d) {
        std::vector<int> pool(70);
        std::iota(pool.begin(), pool.end(), 1);
        std::shuffle(pool.begin(), pool.end(), rng);
        pool.resize(20);
        draws.push_back(pool);
    }
    std::vector<int> multipliers;
    for (int d = 0; d < 151; ++d)
        multipliers.push_back(d % 7 == 0 ? 0 : 1 + static_cast<int>(rng() % 5));
    const PayTable& table = PayTables().of(FormulaId::Keno20of70);
    const BacktestSettings settings{4, 1, 200};
    const DrawMatrix matrix = TestSupport::matrixOf(draws);
    const BacktestResult r
        = Backtest::run(matrix, {0, 149}, ForecastCriteria(), settings, Wager(table, Stake{2, true}, multipliers));
    ASSERT_EQ(r.played, 149);
    qint64 won = 0;
    int unknown = 0;
    std::map<int, int> factors;
    for (int i = 0; i < r.played; ++i) {
        const int d = r.firstDraw + i;
        int m = 0;
        for (int n : r.tickets[static_cast<size_t>(i)])
            m += ChanceSupport::has(draws[static_cast<size_t>(d)], n) ? 1 : 0;
        const int f = std::max(1, multipliers[static_cast<size_t>(d)]);
        won += *table.amount(4, m) * 2 * f;
        unknown += multipliers[static_cast<size_t>(d)] == 0 ? 1 : 0;
        ++factors[f];
    }
    EXPECT_EQ(r.forecast.staked, 149 * 4);
    EXPECT_EQ(r.forecast.won, won);
    long double meanF = 0;
    for (const auto& [f, count] : factors)
        meanF += static_cast<long double>(f) * count / 149;
    EXPECT_NEAR(r.expected, 149 * 2 * exactMeanAmount(games()[0], 4) * meanF, 1e-7);
    const QStringList lines = Backtest::reportLines(r, settings, QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_EQ(lines[3], QStringLiteral("Mise 2 € avec l'option multiplicateur, soit 4 €uros par tirage"));
    EXPECT_EQ(lines[4], QStringLiteral("%1 tirages sans multiplicateur connu, comptés avec ×1").arg(unknown));
    // The random players play the same draws with their multipliers: their mean is the law's.
    long double players = 0;
    for (qint64 t : r.randomTotals)
        players += t;
    EXPECT_NEAR(players / 200, r.expected, 0.15 * r.expected);
}

TEST(StakeReports, BacktestOfTheNewGameOnTheTableAsFilled)
{
    const NewGameSupport::Draws draws = NewGameSupport::randomDraws(120, 11);
    const Formula full = ChanceSupport::newGameWithFullTable();
    const BacktestResult r = Backtest::run(NewGameSupport::matrixOf(draws), {0, 119}, ForecastCriteria(), {7, 1, 0},
                                           Wager(full.payTable, Stake{5, false}, std::vector<int>(121, 3)));
    ASSERT_EQ(r.played, 119);
    qint64 won = 0;
    for (int i = 0; i < r.played; ++i) {
        int m = 0;
        for (int n : r.tickets[static_cast<size_t>(i)])
            m += ChanceSupport::has(draws[static_cast<size_t>(r.firstDraw + i)], n) ? 1 : 0;
        won += (m >= 2 ? m * m - 1 : 0) * 5; // without the option the multiplier 3 counts for nothing
    }
    EXPECT_EQ(r.forecast.staked, 119 * 5);
    EXPECT_EQ(r.forecast.won, won);
    EXPECT_NEAR(r.expected, 119 * 5 * exactMeanAmount(games()[1], 7), 1e-7);
    // The table shipped lacks amounts of 7: the same run gives no balance and never counts them as 0.
    const BacktestResult shipped = Backtest::run(NewGameSupport::matrixOf(draws), {0, 119}, ForecastCriteria(), {7, 1, 0},
                                                 Wager(PayTables().of(FormulaId::Keno16of56), Stake{5, false}));
    EXPECT_FALSE(shipped.rowKnown);
    int unknown = 0;
    for (int count : shipped.unknownDraws)
        unknown += count;
    EXPECT_GT(unknown, 0);
    EXPECT_TRUE(
        Backtest::reportLines(shipped, {7, 1, 0}, {}, {}).join(QLatin1Char('\n')).contains(QStringLiteral("bilan non calculé")));
}

TEST(StakeReports, SettingsKeepTheStakeAndRefuseAnyOther)
{
    QTemporaryDir tmp;
    const QString ini = Settings::iniPath(tmp.path());
    EXPECT_EQ(Settings(ini, false).stake(), Stake());
    ASSERT_TRUE(Settings(ini, true).setStake(Stake{5, true}));
    EXPECT_EQ(Settings(ini, false).stake(), (Stake{5, true}));
    TestSupport::writeFile(ini, "[Jeu]\nMise=4\nOptionMultiplicateur=oui\n");
    EXPECT_EQ(Settings(ini, false).stake(), Stake());
}

namespace {

// The new game's shipped amounts of 7, written here: 5, 6 and 7 matched pay 5, 90 and 3 000 €,
// the others are unknown.
std::optional<qint64> shippedSeven(int m)
{
    static const std::map<int, qint64> known{{5, 5}, {6, 90}, {7, 3000}};
    const auto found = known.find(m);
    return found == known.end() ? std::nullopt : std::optional<qint64>(found->second);
}

// New-game draws where 1..7 meet matched[d] numbers, the fillers from 41 on.
NewGameSupport::Draws sevenMatched(const std::vector<int>& matched)
{
    NewGameSupport::Draws draws;
    for (int m : matched) {
        std::vector<int> draw;
        for (int n = 1; n <= m; ++n)
            draw.push_back(n);
        for (int filler = 41; draw.size() < 16; ++filler)
            draw.push_back(filler);
        draws.push_back(draw);
    }
    return draws;
}

} // namespace

TEST(StakeReports, NewGamePerformanceOnTheShippedTableForEachStake)
{
    // 7, 6, 2 and 5 matched: 3 000, 90, unknown and 5 for one euro.
    const NewGameSupport::Draws draws = sevenMatched({7, 6, 2, 5});
    const PayTable shipped = PayTables().of(FormulaId::Keno16of56);
    for (int m = 0; m <= 7; ++m)
        ASSERT_EQ(shipped.amount(7, m), shippedSeven(m)) << m;
    for (const int euros : Stake::kEuros) {
        // Without the option the draws' multipliers count for nothing.
        const Wager wager(shipped, Stake{euros, false}, {3, 2, 0, 10, 0});
        const QStringList lines = Performance::evaluate(NewGameSupport::linesOf(draws), NewGameSupport::matrixOf(draws), {0, 3},
                                                        {1, 2, 3, 4, 5, 6, 7}, wager)
                                      .lines;
        const qint64 known = (3000 + 90 + 5) * euros;
        EXPECT_TRUE(lines[0].endsWith(QStringLiteral("%1  €uros, Ecart 1").arg(3000 * euros))) << lines[0].toStdString();
        EXPECT_TRUE(lines.contains(QStringLiteral("Enjeu total %1 €uros").arg(4 * euros)));
        EXPECT_TRUE(lines.contains(QStringLiteral("Encaissé au moins %1 (gains inconnus sur 1 tirage)").arg(known))) << euros;
        EXPECT_TRUE(lines.contains(QStringLiteral("Bénéfice ou perte inconnus")));
        EXPECT_EQ(ChanceSupport::countContaining(lines, QStringLiteral("sans multiplicateur")), 0);
        EXPECT_EQ(lines.contains(QStringLiteral("Mise %1 €, soit %1 €uros par tirage").arg(euros)), euros != 1) << euros;
    }
}

TEST(StakeReports, NewGameBacktestWithTheOptionOnAHandMadeHistory)
{
    // The first draw only opens the history; 1..7 then meet 7, 5, 6, 3 and 5 numbers, drawn
    // with ×2, no multiplier known, ×5, ×3 and ×10.
    const NewGameSupport::Draws draws = sevenMatched({0, 7, 5, 6, 3, 5});
    const std::vector<int> multipliers{4, 2, 0, 5, 3, 10, 0};
    const BacktestSettings settings{7, 1, 0};
    const BacktestResult r = Backtest::run(NewGameSupport::matrixOf(draws), {0, 5}, ForecastCriteria(), settings,
                                           Wager(PayTables().of(FormulaId::Keno16of56), Stake{2, true}, multipliers));
    ASSERT_EQ(r.played, 5);
    for (const std::vector<int>& ticket : r.tickets)
        EXPECT_EQ(ticket, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    // 3 000 × 2 € × 2, then 5 × 2 € × 1 (none known counts ×1), 90 × 2 € × 5, the unknown amount
    // of 3 matched set aside, 5 × 2 € × 10; 5 draws at 4 €.
    EXPECT_EQ(r.forecast.staked, 20);
    EXPECT_EQ(r.forecast.won, 12000 + 10 + 900 + 100);
    EXPECT_EQ(r.unknownDraws[3], 1);
    EXPECT_FALSE(r.rowKnown);
    const QStringList lines = Backtest::reportLines(r, settings, QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_EQ(lines[3], QStringLiteral("Mise 2 € avec l'option multiplicateur, soit 4 €uros par tirage"));
    EXPECT_EQ(lines[4], QStringLiteral("1 tirage sans multiplicateur connu, compté avec ×1"));
    EXPECT_TRUE(lines.join(QLatin1Char(' '))
                    .simplified()
                    .contains(QStringLiteral("Prévision : misé 20 €uros, gain inconnu sur 1 tirage : bilan non calculé")));
}
