// The chance reports: literal lines on small hand-made cases, and their behaviour on generated
// histories, uniform or with a planted dependency.
#include "chance/ChanceText.h"
#include "chance/HasardReport.h"
#include "chance/HeatMapValues.h"
#include "chance/KenoOdds.h"
#include "chance/LiftReports.h"
#include "chance/PerformanceComparison.h"

#include <boost/math/distributions/binomial.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <random>
#include <vector>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using Draws = std::vector<std::vector<int>>;

// The matrix of these draws and one empty trailing column, as the list holds them.
DrawMatrix matrixOf(const Draws& draws)
{
    DrawMatrix m;
    m.resize(static_cast<int>(draws.size()) + 1);
    for (size_t d = 0; d < draws.size(); ++d)
        for (int n : draws[d])
            m.set(n, static_cast<int>(d), true);
    return m;
}

// Twenty distinct numbers of 1..70, each equally likely.
std::vector<int> randomDraw(std::mt19937& rng)
{
    std::vector<int> pool(70);
    std::iota(pool.begin(), pool.end(), 1);
    for (int i = 0; i < 20; ++i) {
        std::uniform_int_distribution<int> pick(i, 69);
        std::swap(pool[static_cast<size_t>(i)], pool[static_cast<size_t>(pick(rng))]);
    }
    pool.resize(20);
    return pool;
}

Draws randomDraws(int count, unsigned seed)
{
    std::mt19937 rng(seed);
    Draws draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(randomDraw(rng));
    return draws;
}

bool has(const std::vector<int>& draw, int n)
{
    return std::find(draw.begin(), draw.end(), n) != draw.end();
}

// Puts n into the draw in place of a number other than `keep`.
void plant(std::vector<int>& draw, int n, int keep)
{
    if (has(draw, n))
        return;
    for (int& x : draw)
        if (x != keep) {
            x = n;
            return;
        }
}

StudyPeriod whole(const Draws& draws)
{
    return {0, static_cast<int>(draws.size()) - 1};
}

int countContaining(const QStringList& lines, const QString& text)
{
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(text); }));
}

// Slips n into about `share` of the draws without it, in place of a number other than `keep`.
void plantOften(Draws& draws, int n, double share, unsigned seed, int keep)
{
    std::mt19937 rng(seed);
    std::bernoulli_distribution slip(share);
    for (auto& d : draws)
        if (!has(d, n) && slip(rng))
            plant(d, n, keep);
}

QStringList hasardOf(const Draws& draws)
{
    const DrawMatrix m = matrixOf(draws);
    StudyPeriod period = whole(draws);
    return HasardReport::lines(computeStats(m, period), period);
}

// The figure a line prints after `marker` ("0,047", "1,7e-22").
long double printed(const QString& line, QStringView marker)
{
    const qsizetype at = line.indexOf(marker);
    if (at < 0)
        return -1;
    const QString text = line.mid(at + marker.size()).section(QLatin1Char(' '), 0, 0).replace(QLatin1Char(','), QLatin1Char('.'));
    return std::strtold(text.toStdString().c_str(), nullptr);
}

// A printed probability agrees with the exact one to the digits it shows: three decimals, four
// below 0,01, two significant digits below 0,001.
bool agrees(long double shown, long double exact)
{
    exact = std::min(exact, 1.0L);
    const long double tolerance = exact < 0.001L ? 0.051L * exact : exact < 0.01L ? 0.00005L : 0.0005L;
    return std::abs(shown - exact) <= tolerance * 1.0001L;
}

struct TestedCounts {
    int count = 0; // in the tested draws
    int total = 0; // in all draws
};

// For each number, its count in the draws `tested` picks and in all draws; [0] holds the number
// of tested draws and of draws.
std::vector<TestedCounts> countsBeside(const Draws& draws, bool (*tested)(size_t, const Draws&))
{
    std::vector<TestedCounts> counts(71);
    for (size_t d = 0; d < draws.size(); ++d) {
        const bool in = tested(d, draws);
        counts[0].count += in;
        ++counts[0].total;
        for (int x : draws[d]) {
            counts[static_cast<size_t>(x)].count += in;
            ++counts[static_cast<size_t>(x)].total;
        }
    }
    return counts;
}

// Every line's p against Fisher's noncentral hypergeometric law with odds ratio psi (1: the
// plain hypergeometric): P(m) ∝ C(tested, m) C(others, total − m) psi^m.
void expectPValues(const QStringList& lines, const std::vector<TestedCounts>& counts, long double psi)
{
    const int tested = counts[0].count, others = counts[0].total - counts[0].count;
    auto logChoose = [](int n, int k) { return std::lgamma(n + 1.0L) - std::lgamma(k + 1.0L) - std::lgamma(n - k + 1.0L); };
    int checked = 0;
    for (const QString& line : lines) {
        if (!line.startsWith(QStringLiteral("Num ")))
            continue;
        const TestedCounts c = counts[static_cast<size_t>(line.mid(5, 2).toInt())];
        std::vector<long double> logWeights;
        const int low = std::max(0, c.total - others), high = std::min(tested, c.total);
        for (int m = low; m <= high; ++m)
            logWeights.push_back(logChoose(tested, m) + logChoose(others, c.total - m) + m * std::log(psi));
        const long double top = *std::max_element(logWeights.begin(), logWeights.end());
        long double sum = 0, lower = 0, upper = 0;
        for (int m = low; m <= high; ++m) {
            const long double w = std::exp(logWeights[static_cast<size_t>(m - low)] - top);
            sum += w;
            lower += m <= c.count ? w : 0;
            upper += m >= c.count ? w : 0;
        }
        EXPECT_TRUE(agrees(printed(line, u" p = "), 2 * std::min(lower, upper) / sum)) << line.toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 69);
}

} // namespace

TEST(HasardReportTest, SevenDrawsLineByLine)
{
    // 7 draws: 2 appearances expected per number; number 1 came out 5 times, 2 never, 3 once.
    NumberStats s;
    for (int n = 1; n <= 70; ++n) {
        s.appearances[static_cast<size_t>(n)] = 2;
        s.currentGap[static_cast<size_t>(n)] = 1;
        s.largestGap[static_cast<size_t>(n)] = 3;
    }
    s.appearances[1] = 5;
    s.appearances[2] = 0;
    s.appearances[3] = 1;
    s.currentGap[1] = 0;
    s.largestGap[1] = 2;
    s.currentGap[2] = 7;
    s.largestGap[2] = 7;
    const QStringList lines = HasardReport::lines(s, {0, 6});
    ASSERT_EQ(lines.size(), 3 + 70 + 2 + 3 + 6 + 3 + 70);
    EXPECT_EQ(lines[0], QStringLiteral("Le hasard sur 7 tirages"));
    EXPECT_EQ(lines[1], QStringLiteral("Sorties attendues par numéro : 2,0 (tirages × 20 / 70), bande à 95 % : 0 à 4"));
    EXPECT_EQ(lines[2], QString());
    // Out of 7^7 = 823543: P(X >= 5) = 19168, P(X = 0) = 78125, P(X <= 1) = 296875; each p is
    // twice the smaller tail, and 70 × the smallest already exceeds 1.
    EXPECT_EQ(lines[3],
              QStringLiteral("Num  01 Sorti 0005 attendu 2,0 bande 0 à 4 écart réduit +2,51 p = 0,047 corrigé 1,000 hors bande"));
    EXPECT_EQ(lines[4], QStringLiteral("Num  02 Sorti 0000 attendu 2,0 bande 0 à 4 écart réduit -1,67 p = 0,190 corrigé 1,000"));
    EXPECT_EQ(lines[5], QStringLiteral("Num  03 Sorti 0001 attendu 2,0 bande 0 à 4 écart réduit -0,84 p = 0,721 corrigé 1,000"));
    EXPECT_EQ(lines[72], QStringLiteral("Num  70 Sorti 0002 attendu 2,0 bande 0 à 4 écart réduit +0,00 p = 1,000 corrigé 1,000"));
    EXPECT_EQ(lines[73], QString());
    // 70 × 19168 / 823543 = 1.63, the share 2.33 %.
    EXPECT_EQ(lines[74], QStringLiteral("1 numéro hors bande ; le hasard seul en met 1,6 en moyenne (2,33 % des 70)"));
    EXPECT_EQ(lines[77], QStringLiteral("Au risque de 5 %, chaque numéro est compatible avec le hasard"));
    EXPECT_EQ(lines[79],
              QStringLiteral("Test du khi-deux d'uniformité des 70 sorties (69 degrés de liberté, tirages sans remise)"));
    // (9 + 4 + 1) / (7 · 2/7 · 5/7 · 70/69) = 9.66
    EXPECT_EQ(lines[80], QStringLiteral("khi-deux 9,66, seuil à 5 % 89,39, p = 1,000"));
    EXPECT_EQ(lines[81],
              QStringLiteral("Attention : 2,0 sorties attendues par numéro, moins de 5 : la période est trop courte, "
                             "ce test n'est pas fiable"));
    EXPECT_EQ(lines[82], QStringLiteral("Au risque de 5 %, les 70 sorties ensemble sont compatibles avec le hasard"));
    EXPECT_EQ(lines[86], QStringLiteral("Ecart max attendu pour un numéro sur 7 tirages : 3,7"));
    EXPECT_EQ(lines[87], QStringLiteral("Num  01 écart 000 chance 100,00 % écart max 002 chance 95,22 %"));
    EXPECT_EQ(lines[88], QStringLiteral("Num  02 écart 007 chance 9,49 % écart max 007 chance 9,49 %"));
    EXPECT_EQ(lines[90], QStringLiteral("Num  04 écart 001 chance 71,43 % écart max 003 chance 74,30 %"));
    // One draw: singular, and no warning once 18 draws give 5,1 expected.
    EXPECT_EQ(HasardReport::lines(NumberStats{}, {0, 0})[0], QStringLiteral("Le hasard sur 1 tirage"));
    EXPECT_EQ(countContaining(HasardReport::lines(s, {0, 17}), QStringLiteral("Attention")), 0);
}

TEST(HasardReportTest, EmptyPeriodAndUniformityStatistic)
{
    EXPECT_EQ(HasardReport::lines(NumberStats{}, {5, 4}), QStringList{QStringLiteral("Aucun tirage dans la période d'étude")});
    NumberStats s;
    for (int n = 1; n <= 70; ++n)
        s.appearances[static_cast<size_t>(n)] = 2;
    EXPECT_EQ(HasardReport::uniformityStatistic(s, 7), 0.0);
    s.appearances[1] = 4;
    s.appearances[2] = 0;
    EXPECT_NEAR(HasardReport::uniformityStatistic(s, 7), 8.0 * 69.0 / 100.0, 1e-12);
}

TEST(HasardReportTest, ANumberFarOutIsNamedWhenTheChiSquareSeesNothing)
{
    // 2000 draws, 571.4 expected: number 1 at 699 (+6.3 standard deviations), the others
    // sharing the rest (40 at 570, 29 at 569), a chi-square near 39 of 69 degrees.
    NumberStats s;
    for (int n = 2; n <= 70; ++n)
        s.appearances[static_cast<size_t>(n)] = n <= 41 ? 570 : 569;
    s.appearances[1] = 699;
    QStringList lines = HasardReport::lines(s, {0, 1999});
    EXPECT_TRUE(lines.contains(QStringLiteral("Au risque de 5 %, ce numéro n'est pas compatible avec le hasard : 01")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Au risque de 5 %, les 70 sorties ensemble sont compatibles avec le hasard")));
    EXPECT_EQ(countContaining(lines, QStringLiteral("Attention")), 0);
    namespace bm = boost::math;
    const bm::binomial_distribution<long double> law(2000, 2.0L / 7);
    long double p = 2 * bm::cdf(bm::complement(law, 698));
    EXPECT_TRUE(agrees(printed(lines[3], u" p = "), p)) << lines[3].toStdString();
    EXPECT_TRUE(agrees(printed(lines[3], u" corrigé "), 70 * p)) << lines[3].toStdString();
    EXPECT_TRUE(agrees(printed(lines[4], u" p = "), 2 * bm::cdf(law, 570))) << lines[4].toStdString();

    // Far out: 1000 of 2000 is about 1e-87, printed as such, not as zero.
    s.appearances[1] = 1000;
    lines = HasardReport::lines(s, {0, 1999});
    p = 2 * bm::cdf(bm::complement(law, 999));
    ASSERT_LT(p, 1e-80L);
    EXPECT_TRUE(agrees(printed(lines[3], u" p = "), p)) << lines[3].toStdString();
    EXPECT_TRUE(agrees(printed(lines[3], u" corrigé "), 70 * p)) << lines[3].toStdString();
}

TEST(HasardReportTest, FalseAlarmsAtTheStatedRiskAndAPlantedNumberAlwaysFound)
{
    // 400 uniform histories: each test says "pas compatible" on about 5 % of them (at most, the
    // counts being discrete); a rate of 5 % gives a count in [8, 35] 99.9 % of the time.
    namespace bm = boost::math;
    constexpr int kRuns = 400, kDraws = 250;
    const bm::binomial_distribution<double> alarms(kRuns, 0.05);
    int perNumber = 0, chiSquare = 0, outside = 0;
    double outsideShare = 0;
    for (int run = 0; run < kRuns; ++run) {
        const QStringList lines = hasardOf(randomDraws(kDraws, 1000u + static_cast<unsigned>(run)));
        perNumber += lines.contains(QStringLiteral("Au risque de 5 %, chaque numéro est compatible avec le hasard")) ? 0 : 1;
        chiSquare += countContaining(lines, QStringLiteral("ensemble ne sont pas compatibles"));
        outside += countContaining(lines, QStringLiteral(" hors bande")) - 1; // less the closing line
        if (run == 0) {
            // P(outside the band) from the band the report states.
            const QStringList band = lines[1].section(QStringLiteral(": "), -1).split(QStringLiteral(" à "));
            const bm::binomial_distribution<double> count(kDraws, 2.0 / 7);
            outsideShare = bm::cdf(count, band[0].toInt() - 1) + bm::cdf(bm::complement(count, band[1].toInt()));
        }
    }
    EXPECT_GE(perNumber, bm::quantile(alarms, 0.0005));
    EXPECT_LE(perNumber, bm::quantile(alarms, 0.9995));
    EXPECT_GE(chiSquare, bm::quantile(alarms, 0.0005));
    EXPECT_LE(chiSquare, bm::quantile(alarms, 0.9995));
    // Numbers outside the band: 70 × the share per report, within 4 standard errors.
    EXPECT_NEAR(outside / double(kRuns), 70 * outsideShare, 4 * std::sqrt(70 * outsideShare / kRuns));

    // Number 7 slipped into a quarter of the draws without it: about 46 % instead of 28.6 %.
    for (unsigned seed = 1; seed <= 20; ++seed) {
        Draws draws = randomDraws(kDraws, 5000u + seed);
        plantOften(draws, 7, 0.25, seed, 0);
        const QStringList lines = hasardOf(draws);
        EXPECT_TRUE(lines.contains(QStringLiteral("Au risque de 5 %, ce numéro n'est pas compatible avec le hasard : 07")))
            << seed;
    }
}

TEST(KenoOddsTest, ExpectedReturnOfThePayTable)
{
    // Exact sums of C(20,m)·C(50,k−m)/C(70,k) × pay.
    const double expected[11] = {0,
                                 2.0 / 7.0,
                                 76.0 / 161.0,
                                 1520.0 / 2737.0,
                                 105450.0 / 183379.0,
                                 1127650.0 / 2017169.0,
                                 869250.0 / 1542541.0,
                                 480225.0 / 881452.0,
                                 6653935.0 / 12103014.0,
                                 1793343815.0 / 3251676428.0,
                                 108385666625.0 / 198352262108.0};
    for (int k = 1; k <= 10; ++k)
        EXPECT_NEAR(KenoOdds::row(k).expectedReturn, expected[k], 1e-12) << k;
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
    EXPECT_EQ(lines[two - 1], QString());
    EXPECT_EQ(lines[two + 1], QStringLiteral("  0 bon(s) : probabilité 0,507 (1 sur 2,0), gain 0"));
    EXPECT_EQ(lines[two + 2], QStringLiteral("  1 bon(s) : probabilité 0,414 (1 sur 2,4), gain 0"));
    EXPECT_EQ(lines[two + 3], QStringLiteral("  2 bon(s) : probabilité 0,079 (1 sur 12,7), gain 6"));
    EXPECT_EQ(lines[two + 4], QStringLiteral("  retour moyen par €uro misé 0,4720"));
    EXPECT_EQ(lines[two + 5], QStringLiteral("  chance d'un gain 7,87 %, d'un bénéfice 7,87 %"));
    // Two significant digits: C(20,5) / C(70,5) = 1/780.6 and C(20,7) C(50,2) / C(70,9) = 1/684.8
    // no longer both read 0,001; large figures grouped (C(70,10) / C(20,10) = 2147181.1).
    EXPECT_TRUE(lines.contains(QStringLiteral("  5 bon(s) : probabilité 0,0013 (1 sur 781), gain 100")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  7 bon(s) : probabilité 0,0015 (1 sur 685), gain 20")));
    const QString sep = ChanceText::groupSeparator();
    EXPECT_TRUE(lines.contains(QStringLiteral("  10 bon(s) : probabilité 4,7e-07 (1 sur 2") + sep + QStringLiteral("147") + sep
                               + QStringLiteral("181), gain 200") + sep + QStringLiteral("000")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  retour moyen par €uro misé 0,5464")));
    EXPECT_TRUE(lines.contains(QStringLiteral("1 numéro joué")));
}

TEST(ChanceTextTest, HalvesAsWrittenAndTwoSignificantDigits)
{
    // Halves round up as written, whatever the binary double holds (2.675 is 2.67499999...).
    EXPECT_EQ(ChanceText::decimal(0.125, 2), QStringLiteral("0,13"));
    EXPECT_EQ(ChanceText::decimal(2.675, 2), QStringLiteral("2,68"));
    EXPECT_EQ(ChanceText::decimal(-0.125, 2), QStringLiteral("-0,13"));
    EXPECT_EQ(ChanceText::decimal(0.0449, 1), QStringLiteral("0,0"));
    EXPECT_EQ(ChanceText::decimal(-0.04, 1), QStringLiteral("0,0"));
    EXPECT_EQ(ChanceText::decimal(9.95, 1), QStringLiteral("10,0"));
    EXPECT_EQ(ChanceText::decimal(1234.5, 0), QStringLiteral("1235"));
    EXPECT_EQ(ChanceText::percent(0.00125, 1), QStringLiteral("0,1 %"));
    EXPECT_EQ(ChanceText::percent(0.0145, 1), QStringLiteral("1,5 %"));
    EXPECT_EQ(ChanceText::signedDecimal(0.0, 2), QStringLiteral("+0,00"));
    const QString sep = ChanceText::groupSeparator();
    EXPECT_EQ(ChanceText::grouped(4842.15, 1), QStringLiteral("4") + sep + QStringLiteral("842,2"));
    EXPECT_EQ(ChanceText::grouped(qint64{16947}), QStringLiteral("16") + sep + QStringLiteral("947"));
    EXPECT_EQ(ChanceText::grouped(qint64{947}), QStringLiteral("947"));
    EXPECT_NE(sep, QStringLiteral(","));

    EXPECT_EQ(ChanceText::probability(0.507), QStringLiteral("0,507"));
    EXPECT_EQ(ChanceText::probability(0.0795), QStringLiteral("0,080"));
    EXPECT_EQ(ChanceText::probability(1.0 / 781), QStringLiteral("0,0013"));
    EXPECT_EQ(ChanceText::probability(1.7e-22), QStringLiteral("1,7e-22"));
    EXPECT_EQ(ChanceText::probability(0.000999), QStringLiteral("1,0e-03"));
    EXPECT_EQ(ChanceText::probability(1.25e-400L), QStringLiteral("1,3e-400"));
    EXPECT_EQ(ChanceText::probability(1.0), QStringLiteral("1,000"));
    EXPECT_EQ(ChanceText::pValue(0.5), QStringLiteral("0,500"));
    EXPECT_EQ(ChanceText::pValue(0), QStringLiteral("< 1e-4900")); // a tail below a long double
    EXPECT_EQ(ChanceText::percentProbability(0.0949), QStringLiteral("9,49 %"));
    EXPECT_EQ(ChanceText::percentProbability(0.000095), QStringLiteral("0,0095 %"));
    EXPECT_EQ(ChanceText::percentProbability(2.4e-15), QStringLiteral("2,4e-13 %"));
}

TEST(PerformanceComparisonTest, ActualAgainstExpectedReturn)
{
    // 1 and 2 played on three draws: 6 euros won on the first only.
    const DrawMatrix m = matrixOf({{1, 2, 30}, {1, 40}, {50}});
    const QStringList expected = {
        QString(),
        QStringLiteral("Comparaison avec le hasard"),
        QStringLiteral("Retour réel 6 €uros pour 3 misés, soit 2,000 par €uro"),
        QStringLiteral("Retour attendu 1,4 €uro, soit 0,472 par €uro ; retour médian 0 €uro"),
        QStringLiteral("Intervalle à 95 % (loi exacte du total) : 0 à 6 €uros"),
        QStringLiteral("Le retour réel est dans l'intervalle"),
        QStringLiteral("Numéros sortis 3 fois, attendu 1,7, intervalle à 95 % : 0 à 4"),
        QStringLiteral("Les sorties sont dans l'intervalle"),
        QStringLiteral("Verdict (deux tests, chacun au risque de 5 %) : compatible avec le hasard"),
    };
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

TEST(HeatMapValuesTest, StandardisedDeviation)
{
    EXPECT_NEAR(HeatMapValues::standardisedDeviation(5, 7), 3.0 / std::sqrt(10.0 / 7.0), 1e-12);
    EXPECT_EQ(HeatMapValues::standardisedDeviation(0, 0), 0.0);
    NumberStats s;
    s.appearances[70] = 200;
    const auto z = HeatMapValues::deviations(s, 700);
    EXPECT_NEAR(z[70], 0.0, 1e-12);
    EXPECT_NEAR(z[1], -200.0 / std::sqrt(700.0 * 10.0 / 49.0), 1e-12);
    EXPECT_EQ(HeatMapValues::periodLength({-4, 9}), 10);
    EXPECT_EQ(HeatMapValues::periodLength({5, 3}), 0);
}

TEST(LiftReportsTest, PlantedPartnerIsNotCompatibleWithChance)
{
    Draws draws = randomDraws(600, 11);
    int matching = 0;
    for (auto& d : draws)
        if (has(d, 5)) {
            plant(d, 6, 5);
            ++matching;
        }
    const AnalysisReport r = LiftReports::partners(matrixOf(draws), whole(draws), {5});
    EXPECT_EQ(r.lines[0], QStringLiteral("Partenaires - hasard : 05"));
    EXPECT_EQ(r.lines[1], QStringLiteral("Tirages avec tous les numéros choisis : %1 sur 600").arg(matching));
    EXPECT_EQ(r.lines[2],
              QStringLiteral("Chaque numéro est comparé à son propre taux dans les %1 autres tirages de la période "
                             "(test exact de Fisher) ;")
                  .arg(600 - matching));
    // The least compatible first: 6, in every matching draw.
    EXPECT_TRUE(
        r.lines[6].startsWith(QStringLiteral("Num  06 Sorti %1 fois 100,0 % ailleurs ").arg(matching, 4, 10, QLatin1Char('0'))))
        << r.lines[6].toStdString();
    EXPECT_TRUE(r.lines[6].endsWith(QStringLiteral(" pas compatible avec le hasard")));
    const long double p6 = printed(r.lines[6], u" p = ");
    EXPECT_GT(p6, 0.0L);
    EXPECT_LT(p6, 1e-6L);
    EXPECT_EQ(countContaining(r.lines, QStringLiteral("Num  05")), 0);
    EXPECT_EQ(countContaining(r.lines, QStringLiteral("Num ")), 69);
    EXPECT_EQ(r.lines.last(),
              QStringLiteral(
                  "Au risque de 5 % (correction de Holm sur 69 numéros), 1 numéro n'est pas compatible avec le hasard : 06"));
    EXPECT_TRUE(r.exported);
    // Every p-value against Fisher's noncentral hypergeometric law: beside 5 chance leaves a
    // number 19 places of 69, elsewhere 20 of 69, an odds ratio of (19/50) / (20/49).
    const std::vector<TestedCounts> counts = countsBeside(draws, [](size_t d, const Draws& all) { return has(all[d], 5); });
    expectPValues(r.lines, counts, (19.0L / 50) / (20.0L / 49));
}

TEST(LiftReportsTest, PlantedFollowerIsNotCompatibleWithChance)
{
    Draws draws = randomDraws(600, 12);
    for (size_t d = 0; d + 1 < draws.size(); ++d)
        if (has(draws[d], 5))
            plant(draws[d + 1], 7, 0);
    int hits = 0;
    for (size_t d = 0; d + 1 < draws.size(); ++d)
        hits += has(draws[d], 5) ? 1 : 0;
    const AnalysisReport r = LiftReports::announcer(matrixOf(draws), whole(draws), {5}, static_cast<int>(draws.size()));
    EXPECT_EQ(r.lines[1], QStringLiteral("Tirages suivant la combinaison dans la période : %1 sur 600").arg(hits));
    EXPECT_TRUE(r.lines[6].startsWith(QStringLiteral("Num  07 Sorti %1 fois 100,0 %").arg(hits, 4, 10, QLatin1Char('0'))));
    EXPECT_TRUE(r.lines[6].endsWith(QStringLiteral(" pas compatible avec le hasard")));
    const long double p7 = printed(r.lines[6], u" p = ");
    EXPECT_GT(p7, 0.0L);
    EXPECT_LT(p7, 1e-6L);
    // All seventy are tested, the ticked one included, each by Fisher's exact test.
    EXPECT_EQ(countContaining(r.lines, QStringLiteral("Num ")), 70);
    const std::vector<TestedCounts> counts
        = countsBeside(draws, [](size_t d, const Draws& all) { return d > 0 && has(all[d - 1], 5); });
    expectPValues(r.lines, counts, 1.0L);
}

TEST(LiftReportsTest, ANumberDrawnOftenEverywhereIsNoPartnerOfAnUnrelatedSet)
{
    // 7 slipped into a third of the draws without it, whatever else they hold: it is over-drawn
    // beside 5 and after 10, but no more than elsewhere.
    for (unsigned seed = 1; seed <= 3; ++seed) {
        Draws draws = randomDraws(1000, 300u + seed);
        plantOften(draws, 7, 0.33, seed, 5);
        const DrawMatrix m = matrixOf(draws);
        for (const AnalysisReport& r :
             {LiftReports::partners(m, whole(draws), {5}), LiftReports::announcer(m, whole(draws), {10}, 1000)}) {
            const auto line = std::find_if(r.lines.begin(), r.lines.end(),
                                           [](const QString& l) { return l.startsWith(QStringLiteral("Num  07 ")); });
            ASSERT_NE(line, r.lines.end());
            EXPECT_FALSE(line->contains(QStringLiteral("pas compatible"))) << seed << ' ' << line->toStdString();
        }
    }
}

TEST(LiftReportsTest, TheAnnouncerCountsOnlyTriggersFollowedInsideThePeriod)
{
    // 5 in draws 10 and 19 only; the list goes on after the period, as after a click.
    Draws draws = randomDraws(30, 21);
    for (size_t d = 0; d < draws.size(); ++d) {
        std::replace(draws[d].begin(), draws[d].end(), 5, has(draws[d], 4) ? (has(draws[d], 3) ? 2 : 3) : 4);
        if (d == 10 || d == 19)
            plant(draws[d], 5, 0);
    }
    const DrawMatrix m = matrixOf(draws);
    AnalysisReport r = LiftReports::announcer(m, {0, 19}, {5}, 30);
    EXPECT_EQ(r.lines[1], QStringLiteral("Tirages suivant la combinaison dans la période : 1 sur 20"));
    r = LiftReports::announcer(m, {0, 11}, {5}, 30);
    EXPECT_EQ(r.lines[1], QStringLiteral("Tirages suivant la combinaison dans la période : 1 sur 12"));
    r = LiftReports::announcer(m, {0, 10}, {5}, 30);
    EXPECT_EQ(r.lines.last(), QStringLiteral(" Cette combinaison n'est jamais sortie avant un autre tirage de la période"));
    EXPECT_FALSE(r.exported);
}

TEST(LiftReportsTest, UniformHistoriesFlagAboutTheExpectedShare)
{
    int reportsFlagged = 0, rawBelow = 0, tests = 0;
    constexpr int kRuns = 20;
    for (int run = 0; run < kRuns; ++run) {
        const Draws draws = randomDraws(400, 200u + static_cast<unsigned>(run));
        const DrawMatrix m = matrixOf(draws);
        for (const AnalysisReport& r :
             {LiftReports::partners(m, whole(draws), {run + 1}), LiftReports::announcer(m, whole(draws), {run + 1}, 400)}) {
            if (countContaining(r.lines, QStringLiteral("pas compatible avec le hasard")) > 1)
                ++reportsFlagged;
            for (const QString& line : r.lines) {
                const qsizetype at = line.indexOf(QStringLiteral(" p = "));
                if (at < 0)
                    continue;
                ++tests;
                const QString value
                    = line.mid(at + 5).section(QLatin1Char(' '), 0, 0).replace(QLatin1Char(','), QLatin1Char('.'));
                if (value.toDouble() < 0.05)
                    ++rawBelow;
            }
        }
    }
    // Uncorrected, about 5 % of the tests (a little less: the counts are discrete); corrected,
    // about one report in twenty flags anything.
    EXPECT_EQ(tests, kRuns * (69 + 70));
    EXPECT_GT(rawBelow / double(tests), 0.02);
    EXPECT_LT(rawBelow / double(tests), 0.07);
    EXPECT_LE(reportsFlagged, 5);
}

TEST(LiftReportsTest, NothingToTest)
{
    const Draws draws = randomDraws(50, 3);
    const DrawMatrix m = matrixOf(draws);
    AnalysisReport r = LiftReports::partners(m, whole(draws), {});
    EXPECT_EQ(r.lines, (QStringList{QStringLiteral("Partenaires - hasard :"), QStringLiteral("Cochez au moins un numéro")}));
    EXPECT_FALSE(r.exported);
    r = LiftReports::partners(m, whole(draws), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_EQ(r.lines.last(), QStringLiteral(" Cette combinaison n'est jamais sortie"));
    // A set seen only in the newest draw has no following draw to test.
    Draws last = draws;
    last.push_back({61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    r = LiftReports::announcer(matrixOf(last), whole(last), {61, 62, 63, 64, 65, 66, 67, 68, 69, 70}, 51);
    EXPECT_EQ(r.lines.last(), QStringLiteral(" Cette combinaison n'est jamais sortie avant un autre tirage de la période"));
    EXPECT_FALSE(r.exported);
}
