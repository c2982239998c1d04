// SPDX-License-Identifier: GPL-3.0-or-later
// The report of each number against chance: literal lines on a small hand-made case, exact
// p-values far in the tails, and the rate of false alarms on uniform histories.
#include "chance/ChanceText.h"
#include "chance/HasardReport.h"
#include "support/ChanceSupport.h"

#include <boost/math/distributions/binomial.hpp>

using namespace ChanceSupport;
using namespace TestSupport;

namespace {

QStringList hasardOf(const Draws& draws)
{
    StudyPeriod period = whole(draws);
    return HasardReport::lines(computeStats(matrixOf(draws), period), period);
}

} // namespace

TEST(HasardReportTest, SevenDrawsLineByLine)
{
    // 7 draws: 2 appearances expected per number; number 1 came out 5 times, 2 never, 3 once.
    NumberStats s;
    s.appearances.fill(2), s.currentGap.fill(1), s.largestGap.fill(3);
    s.appearances[1] = 5, s.appearances[2] = 0, s.appearances[3] = 1;
    s.currentGap[1] = 0, s.largestGap[1] = 2, s.currentGap[2] = 7, s.largestGap[2] = 7;
    const QStringList lines = HasardReport::lines(s, {0, 6});
    ASSERT_EQ(lines.size(), 3 + 70 + 2 + 3 + 8 + 4 + 70);
    // Out of 7^7 = 823543: P(X >= 5) = 19168, P(X = 0) = 78125, P(X <= 1) = 296875; each p is
    // twice the smaller tail, and 70 × the smallest already exceeds 1.
    EXPECT_EQ(lines.mid(0, 6) + lines.mid(72, 3) + lines.mid(77, 1) + lines.mid(79, 7) + lines.mid(87, 5) + lines.mid(93, 1),
              (QStringList{
                  QStringLiteral("Le hasard sur 7 tirages"),
                  QStringLiteral("Sorties attendues par numéro : 2,0 (tirages × 20 / 70), bande à 95 % : 0 à 4"),
                  QString(),
                  QStringLiteral("Num  01 Sorti 0005 écart réduit +2,51 p = 0,047 corrigé 1,000 hors bande"),
                  QStringLiteral("Num  02 Sorti 0000 écart réduit -1,67 p = 0,190 corrigé 1,000"),
                  QStringLiteral("Num  03 Sorti 0001 écart réduit -0,84 p = 0,721 corrigé 1,000"),
                  // lines 72 to 74; 70 × 19168 / 823543 = 1.63, the share 2.33 %.
                  QStringLiteral("Num  70 Sorti 0002 écart réduit +0,00 p = 1,000 corrigé 1,000"),
                  QString(),
                  QStringLiteral("1 numéro hors bande ; le hasard seul en met 1,6 en moyenne (2,33 % des 70)"),
                  QStringLiteral("Au risque de 5 %, chaque numéro est compatible avec le hasard"), // line 77
                  // lines 79 to 85; (9 + 4 + 1) / (7 · 2/7 · 5/7 · 70/69) = 9.66
                  QStringLiteral("Test du khi-deux d'uniformité des 70 sorties (69 degrés de liberté, tirages sans remise)"),
                  QStringLiteral("khi-deux 9,66, seuil à 5 % 89,39, p = 1,000"),
                  QStringLiteral("Attention : 2,0 sorties attendues par numéro, moins de 5 :"),
                  QStringLiteral("la période est trop courte, ce test n'est pas fiable"),
                  QStringLiteral("Au risque de 5 %, les 70 sorties ensemble sont compatibles avec le hasard"),
                  QStringLiteral("Sous le seul hasard, chacun de ces deux tests se trompe au plus 5 fois sur 100,"),
                  QStringLiteral("l'un ou l'autre au plus 10 fois sur 100"),
                  // lines 87 to 91, and 93
                  QStringLiteral("Ecarts : chance d'un écart actuel au moins aussi long (5/7)^écart,"),
                  QStringLiteral("chance d'un écart max au moins aussi long sur la période"),
                  QStringLiteral("Ecart max attendu pour un numéro sur 7 tirages : 3,7"),
                  QStringLiteral("Num  01 écart 000 chance 100,00 % écart max 002 chance 95,22 %"),
                  QStringLiteral("Num  02 écart 007 chance 9,49 % écart max 007 chance 9,49 %"),
                  QStringLiteral("Num  04 écart 001 chance 71,43 % écart max 003 chance 74,30 %"),
              }));
    // One draw: singular, and no warning once 18 draws give 5,1 expected.
    EXPECT_EQ(HasardReport::lines(NumberStats{}, {0, 0})[0], QStringLiteral("Le hasard sur 1 tirage"));
    EXPECT_EQ(HasardReport::lines(NumberStats{}, {5, 4}), QStringList{QStringLiteral("Aucun tirage dans la période d'étude")});
    EXPECT_EQ(countContaining(HasardReport::lines(s, {0, 17}), QStringLiteral("Attention")), 0);
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

    // Half the numbers far out, every p in scientific form: the lines still fit their pane.
    for (int n = 1; n <= 35; ++n)
        s.appearances[static_cast<size_t>(n)] = n % 2 ? 900 : 250;
    for (const QString& line : HasardReport::lines(s, {0, 1999}))
        EXPECT_LE(line.size(), ChanceText::kLineWidth) << line.toStdString();
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
        EXPECT_TRUE(
            hasardOf(draws).contains(QStringLiteral("Au risque de 5 %, ce numéro n'est pas compatible avec le hasard : 07")))
            << seed;
    }
}

namespace {

// The exact binomial law of n draws at rate p, term by term (the test's own recurrence).
std::vector<long double> binomialTerms(int n, long double p)
{
    std::vector<long double> law(static_cast<size_t>(n) + 1);
    law[0] = std::pow(1 - p, n);
    for (int x = 0; x < n; ++x)
        law[static_cast<size_t>(x) + 1] = law[static_cast<size_t>(x)] * (n - x) / (x + 1) * p / (1 - p);
    return law;
}

} // namespace

TEST(HasardReportTest, NewGameBandAndTestsOnASixteenOfFiftySixHistory)
{
    constexpr int kDraws = 400;
    const Draws draws = newGameDraws(kDraws, 11);
    const DrawMatrix matrix = newGameMatrix(draws);
    StudyPeriod period = whole(draws);
    const QStringList lines = HasardReport::lines(computeStats(matrix, period), period, Formula::current());

    // The band read from the exact law of 400 draws at 16/56: at most 2.5 % below, 2.5 % above.
    const std::vector<long double> law = binomialTerms(kDraws, 16.0L / 56);
    std::vector<long double> below(law.size() + 1, 0.0L); // below[x] = P(X < x)
    for (size_t x = 0; x < law.size(); ++x)
        below[x + 1] = below[x] + law[x];
    int low = 0, high = kDraws;
    while (below[static_cast<size_t>(low) + 1] <= 0.025L)
        ++low;
    while (high > 0 && 1 - below[static_cast<size_t>(high)] <= 0.025L)
        --high;
    const long double outsideShare = below[static_cast<size_t>(low)] + (1 - below[static_cast<size_t>(high) + 1]);
    EXPECT_EQ(
        lines[1],
        QStringLiteral("Sorties attendues par numéro : 114,3 (tirages × 16 / 56), bande à 95 % : %1 à %2").arg(low).arg(high));

    // Every number of 1..56 once, with its own count and the band's verdict; nothing past 56.
    std::array<int, 57> count{};
    for (const auto& d : draws)
        for (int n : d)
            ++count[static_cast<size_t>(n)];
    int outside = 0;
    for (int n = 1; n <= 56; ++n) {
        const QString& line = lines[2 + n];
        const bool out = count[static_cast<size_t>(n)] < low || count[static_cast<size_t>(n)] > high;
        outside += out ? 1 : 0;
        EXPECT_TRUE(line.startsWith(QStringLiteral("Num  %1 Sorti %2 ")
                                        .arg(n, 2, 10, QLatin1Char('0'))
                                        .arg(count[static_cast<size_t>(n)], 4, 10, QLatin1Char('0'))))
            << line.toStdString();
        EXPECT_EQ(line.endsWith(QStringLiteral(" hors bande")), out) << line.toStdString();
    }
    EXPECT_EQ(countContaining(lines, QStringLiteral("Num  57")), 0);
    EXPECT_EQ(countContaining(lines, QStringLiteral("Num ")), 2 * 56);
    const QString outsideLine = lines[2 + 56 + 2];
    EXPECT_TRUE(outsideLine.startsWith(QString::number(outside) + QStringLiteral(" numéro"))) << outsideLine.toStdString();
    EXPECT_NEAR(static_cast<double>(printed(outsideLine, u"en met ")), 56 * static_cast<double>(outsideShare), 0.051);
    EXPECT_TRUE(outsideLine.endsWith(QStringLiteral(" des 56)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Test de chaque numéro : loi binomiale exacte, p corrigé (Holm, 56 numéros)")));

    // The chi-square of the 56 counts with 55 degrees, scaled for draws without replacement.
    const double p = 16.0 / 56, expected = kDraws * p;
    double squares = 0;
    for (int n = 1; n <= 56; ++n)
        squares += (count[static_cast<size_t>(n)] - expected) * (count[static_cast<size_t>(n)] - expected);
    const qsizetype chiAt = lines.indexOf(
        QStringLiteral("Test du khi-deux d'uniformité des 56 sorties (55 degrés de liberté, tirages sans remise)"));
    ASSERT_GT(chiAt, 0);
    EXPECT_NEAR(static_cast<double>(printed(lines[chiAt + 1], u"khi-deux ")), squares / (kDraws * p * (1 - p) * 56 / 55), 0.0051);
    EXPECT_TRUE(lines[chiAt + 1].contains(QStringLiteral("seuil à 5 % 73,31"))) << lines[chiAt + 1].toStdString();

    // A gap of g draws has chance (40/56)^g = (5/7)^g.
    EXPECT_TRUE(lines.contains(QStringLiteral("Ecarts : chance d'un écart actuel au moins aussi long (5/7)^écart,")));
    int lastSeen = -1;
    for (int d = 0; d < kDraws; ++d)
        if (has(draws[static_cast<size_t>(d)], 1))
            lastSeen = d;
    const int gap = kDraws - 1 - lastSeen;
    const QString gapLine = lines[lines.size() - 56];
    EXPECT_TRUE(gapLine.startsWith(QStringLiteral("Num  01 écart %1").arg(gap, 3, 10, QLatin1Char('0'))))
        << gapLine.toStdString();
    EXPECT_NEAR(static_cast<double>(printed(gapLine, u" chance ")) / (100 * std::pow(40.0 / 56, gap)), 1.0, 0.01);
}

TEST(HasardReportTest, NewGameBandHoldsWhatASimulationOfSixteenOfFiftySixDrawsGives)
{
    // 1000 histories of 400 draws, each draw 16 of 56 numbers: the share of counts outside the
    // band printed is the share the report says chance gives.
    constexpr int kRuns = 1000, kDraws = 400;
    StudyPeriod period{0, kDraws - 1};
    const QStringList lines = HasardReport::lines(NumberStats{}, period, Formula::current());
    const QString bandText = lines[1].section(QStringLiteral("bande à 95 % : "), 1);
    const int low = bandText.section(QStringLiteral(" à "), 0, 0).toInt();
    const int high = bandText.section(QStringLiteral(" à "), 1, 1).toInt();
    ASSERT_LT(low, high);
    const double said = static_cast<double>(printed(lines[2 + 56 + 2], u"en moyenne (")) / 100;
    int outside = 0;
    for (int run = 0; run < kRuns; ++run) {
        std::array<int, 57> count{};
        for (const auto& d : newGameDraws(kDraws, 1000u + static_cast<unsigned>(run)))
            for (int n : d)
                ++count[static_cast<size_t>(n)];
        for (int n = 1; n <= 56; ++n)
            outside += count[static_cast<size_t>(n)] < low || count[static_cast<size_t>(n)] > high ? 1 : 0;
    }
    const double share = static_cast<double>(outside) / (kRuns * 56);
    EXPECT_LE(said, 0.05);
    // 56 000 counts: the share's standard deviation is below 0,1 %.
    EXPECT_NEAR(share, said, 0.004) << outside;
}
