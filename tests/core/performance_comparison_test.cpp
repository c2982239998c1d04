// The comparison of a ticked set's return with chance: its lines on a small case, and a set
// never drawn found out by its matches when its return alone looks ordinary.
#include "chance/PerformanceComparison.h"
#include "support/TestSupport.h"

#include <numeric>

using namespace TestSupport;

TEST(PerformanceComparisonTest, ActualAgainstExpectedReturn)
{
    // 1 and 2 played on three draws: 6 euros won on the first only.
    const DrawMatrix m = matrixOf({{1, 2, 30}, {1, 40}, {50}});
    const QStringList expected = {QString(),
                                  QStringLiteral("Comparaison avec le hasard"),
                                  QStringLiteral("Retour réel 6 €uros pour 3 misés, soit 2,000 par €uro"),
                                  QStringLiteral("Retour attendu 1,4 €uro, soit 0,472 par €uro ; retour médian 0 €uro"),
                                  QStringLiteral("Intervalle à 95 % (loi exacte du total) : 0 à 6 €uros"),
                                  QStringLiteral("Le retour réel est dans l'intervalle"),
                                  QStringLiteral("Numéros sortis 3 fois, attendu 1,7, intervalle à 95 % : 0 à 4"),
                                  QStringLiteral("Les sorties sont dans l'intervalle"),
                                  QStringLiteral("Verdict (deux tests, chacun au risque de 5 %) : compatible avec le hasard")};
    EXPECT_EQ(PerformanceComparison::lines(m, {0, 2}, {2, 1, 1, 99}), expected);
    // Nothing staked: nothing added.
    EXPECT_TRUE(PerformanceComparison::lines(m, {0, 2}, {1}).isEmpty());
    EXPECT_TRUE(PerformanceComparison::lines(m, {0, 2}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}).isEmpty());
    EXPECT_TRUE(PerformanceComparison::lines(m, {2, 1}, {1, 2}).isEmpty());
    // Twenty draws winning 6 every time is far above what chance gives.
    Draws lucky(20, std::vector<int>{1, 2});
    EXPECT_EQ(PerformanceComparison::lines(matrixOf(lucky), {-3, 19}, {1, 2}).last(),
              QStringLiteral("Verdict (deux tests, chacun au risque de 5 %) : pas compatible avec le hasard"));
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
        EXPECT_EQ(lines.last(), QStringLiteral("Verdict (deux tests, chacun au risque de 5 %) : pas compatible avec le hasard"))
            << k;
        EXPECT_TRUE(lines.contains(QStringLiteral("Les sorties sont hors de l'intervalle"))) << k;
    }
}
