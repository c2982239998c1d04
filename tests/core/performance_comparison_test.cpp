// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison of a ticked set's return with chance: its lines on a small case, and a set
// never drawn found out by its matches when its return alone looks ordinary.
#include "chance/PerformanceComparison.h"
#include "support/ChanceSupport.h"

#include <boost/math/distributions/binomial.hpp>
#include <numeric>
#include <random>

using namespace ChanceSupport;
using namespace TestSupport;

TEST(PerformanceComparisonTest, ActualAgainstExpectedReturn)
{
    // 1 and 2 played on three draws: 6 euros won on the first only.
    const DrawMatrix m = matrixOf({{1, 2, 30}, {1, 40}, {50}});
    // p: twice the upper tail, 1 − (1 − 190/2415)³ for the return; Holm doubles the smaller p.
    const QStringList expected = {QString(),
                                  QStringLiteral("Comparaison avec le hasard"),
                                  QStringLiteral("Retour réel 6 €uros pour 3 €uros misés, soit 2,000 par €uro"),
                                  QStringLiteral("Retour attendu 1,4 €uro, soit 0,472 par €uro ; retour médian 0 €uro"),
                                  QStringLiteral("Intervalle à 95 % (loi exacte du total) : 0 à 6 €uros"),
                                  QStringLiteral("Le retour réel est dans l'intervalle : p = 0,436, corrigé 0,872"),
                                  QStringLiteral("Numéros sortis 3 fois, attendu 1,7, intervalle à 95 % : 0 à 4"),
                                  QStringLiteral("Les sorties sont dans l'intervalle : p = 0,456, corrigé 0,872"),
                                  QStringLiteral("Risque de 5 % pour les deux tests ensemble : p corrigé par la méthode de Holm"),
                                  QStringLiteral("Verdict : compatible avec le hasard")};
    EXPECT_EQ(PerformanceComparison::lines(m, {0, 2}, {2, 1, 1, 99}), expected);
    // Nothing staked: nothing added.
    EXPECT_TRUE(PerformanceComparison::lines(m, {0, 2}, {1}).isEmpty());
    EXPECT_TRUE(PerformanceComparison::lines(m, {0, 2}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}).isEmpty());
    EXPECT_TRUE(PerformanceComparison::lines(m, {2, 1}, {1, 2}).isEmpty());
    // Twenty draws winning 6 every time is far above what chance gives.
    Draws lucky(20, std::vector<int>{1, 2});
    EXPECT_EQ(PerformanceComparison::lines(matrixOf(lucky), {-3, 19}, {1, 2}).last(),
              QStringLiteral("Verdict : pas compatible avec le hasard (retour et sorties)"));
    // One euro staked on one draw, nothing won: the singular, and "0 €uro".
    EXPECT_EQ(PerformanceComparison::lines(m, {2, 2}, {1, 2})[2],
              QStringLiteral("Retour réel 0 €uro pour 1 €uro misé, soit 0,000 par €uro"));
}

TEST(PerformanceComparisonTest, SetNeverDrawnIsNotCompatibleWithChance)
{
    // 2,000 draws of 31..50: no number of 1..k is ever drawn. From 8 numbers up such a set is
    // paid for every draw, and its return alone would look ordinary: its matches give it away.
    std::vector<int> drawn(20);
    std::iota(drawn.begin(), drawn.end(), 31);
    const DrawMatrix m = matrixOf(Draws(2000, drawn));
    std::vector<int> set = {1};
    for (int k = 2; k <= 10; ++k) {
        set.push_back(k);
        const QStringList lines = PerformanceComparison::lines(m, {0, 1999}, set);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines.last().startsWith(QStringLiteral("Verdict : pas compatible avec le hasard"))) << k;
        EXPECT_TRUE(lines[7].startsWith(QStringLiteral("Les sorties sont hors de l'intervalle : p < 1e-10"))) << k;
    }
}

TEST(PerformanceComparisonTest, ChanceAloneIsCalledNotCompatibleAtMostFiveTimesInAHundred)
{
    // Random sets of 2 to 10 numbers played on random histories: every verdict "pas compatible"
    // is a false alarm. The two tests together may raise one at most 5 % of the time (a little
    // less, the laws being discrete); each test alone at 5 %, either of them would be wrong up to
    // 10 % of the time. A rate of 5 % over 1,500 runs stays at or below the quantile 99.9 %.
    namespace bm = boost::math;
    constexpr int kRuns = 1500, kDraws = 100;
    std::mt19937 rng(20261207);
    int alarms = 0, outsideEither = 0;
    for (int run = 0; run < kRuns; ++run) {
        const DrawMatrix m = matrixOf(randomDraws(kDraws, 7000u + static_cast<unsigned>(run)));
        std::vector<int> pool(70);
        std::iota(pool.begin(), pool.end(), 1);
        std::shuffle(pool.begin(), pool.end(), rng);
        pool.resize(static_cast<size_t>(2 + run % 9));
        const QStringList lines = PerformanceComparison::lines(m, {0, kDraws - 1}, pool);
        ASSERT_FALSE(lines.isEmpty());
        alarms += lines.last().contains(QStringLiteral("pas compatible avec le hasard")) ? 1 : 0;
        outsideEither += countContaining(lines, QStringLiteral("hors de l'intervalle")) > 0 ? 1 : 0;
    }
    const bm::binomial_distribution<double> atTheRisk(kRuns, 0.05);
    EXPECT_LE(alarms, bm::quantile(atTheRisk, 0.999)) << alarms;
    // Not a verdict that never speaks; and the bands, each at 5 %, are left more often than that
    // (8 % here): the verdict is the corrected one.
    EXPECT_GT(alarms, 0);
    EXPECT_GT(outsideEither, alarms);
}

namespace {

// The 95 % band of the total matches of 7 numbers over n draws of the new game, from the test's
// own draw-by-draw convolution of the exact odds: the first total where more than 2.5 % lies at
// or below, and the first where 97.5 % does.
std::pair<int, int> newGameMatchesBand(int n)
{
    std::vector<long double> law{1.0L};
    for (int play = 0; play < n; ++play) {
        std::vector<long double> next(law.size() + 7, 0.0L);
        for (size_t x = 0; x < law.size(); ++x)
            for (int m = 0; m <= 7; ++m)
                next[x + static_cast<size_t>(m)] += law[x] * odds(7, m, 56, 16);
        law.swap(next);
    }
    int low = -1, high = -1;
    long double c = 0;
    for (size_t x = 0; x < law.size() && high < 0; ++x) {
        c += law[x];
        if (low < 0 && c > 0.025L)
            low = static_cast<int>(x);
        if (c >= 0.975L)
            high = static_cast<int>(x);
    }
    return {low, high};
}

} // namespace

TEST(PerformanceComparisonTest, NewGameMatchesAreTestedAndTheUnknownReturnIsSaidNotCounted)
{
    constexpr int kDraws = 300;
    const Draws draws = newGameDraws(kDraws, 21);
    const DrawMatrix m = newGameMatrix(draws);
    int matched = 0;
    for (const auto& d : draws)
        for (int n = 1; n <= 7; ++n)
            matched += has(d, n) ? 1 : 0;
    const auto [low, high] = newGameMatchesBand(kDraws);
    // 60 is no number of the game: the set is 1..7.
    const QStringList lines = PerformanceComparison::lines(m, {0, kDraws - 1}, {7, 6, 5, 4, 3, 2, 1, 60});
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines.mid(0, 2), (QStringList{QString(), QStringLiteral("Comparaison avec le hasard")}));
    // 7 × 16 / 56 = 2 matches a draw.
    const QString matchesLine
        = QStringLiteral("Numéros sortis %1 fois, attendu 600,0, intervalle à 95 % : %2 à %3").arg(matched).arg(low).arg(high);
    const qsizetype at = lines.indexOf(matchesLine);
    ASSERT_GT(at, 2) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines.mid(2, at - 2).join(QLatin1Char(' ')).simplified(),
              QStringLiteral("Gains inconnus pour 0, 1, 2, 3 ou 4 numéros trouvés sur 7 : la table des gains de ce jeu est "
                             "incomplète. Retour réel et retour attendu : non calculés sans ces gains"));
    EXPECT_EQ(countContaining(lines, QStringLiteral("Retour réel ")), 1); // no return counted with 0 for the unknown
    const bool inside = matched >= low && matched <= high;
    EXPECT_TRUE(lines[at + 1].startsWith(inside ? QStringLiteral("Les sorties sont dans l'intervalle : p ")
                                                : QStringLiteral("Les sorties sont hors de l'intervalle : p ")));
    EXPECT_EQ(lines.last(),
              inside ? QStringLiteral("Verdict : compatible avec le hasard")
                     : QStringLiteral("Verdict : pas compatible avec le hasard (sorties)"));

    // Every draw holding the whole set: the matches give it away, alone.
    std::vector<int> first16(16);
    std::iota(first16.begin(), first16.end(), 1);
    const Draws lucky(kDraws, first16);
    EXPECT_EQ(PerformanceComparison::lines(newGameMatrix(lucky), {0, kDraws - 1}, {1, 2, 3, 4, 5, 6, 7}).last(),
              QStringLiteral("Verdict : pas compatible avec le hasard (sorties)"));
    // Three numbers, or eleven, are no ticket of the game: nothing is added.
    EXPECT_TRUE(PerformanceComparison::lines(m, {0, kDraws - 1}, {1, 2, 3}).isEmpty());
    EXPECT_TRUE(PerformanceComparison::lines(m, {0, kDraws - 1}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}).isEmpty());
}
