// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/HasardReport.h"

#include "chance/ChanceMath.h"
#include "chance/ChanceText.h"
#include "chance/HeatMapValues.h"
#include "output/NumberFormat.h"
#include "output/Plural.h"

#include <cmath>
#include <map>
#include <numeric>
#include <vector>

namespace HasardReport {

namespace {

constexpr double kLevel = 0.05;

QString num(int n)
{
    return QStringLiteral("Num ") + NumberFormat::apply(n, u" 00");
}

// The chance that a number misses a draw, as a fraction in its lowest terms ("5/7").
QString missFraction(const Formula& f)
{
    const int missed = f.numbers - f.drawn;
    const int common = std::gcd(missed, f.numbers);
    return QString::number(missed / common) + QLatin1Char('/') + QString::number(f.numbers / common);
}

} // namespace

double uniformityStatistic(const NumberStats& stats, int draws, const Formula& formula)
{
    if (draws <= 0)
        return 0.0;
    const double p = ChanceMath::drawShare(formula);
    const double expected = draws * p;
    double squares = 0;
    for (int n = 1; n <= formula.numbers; ++n) {
        const double d = stats.appearances[static_cast<size_t>(n)] - expected;
        squares += d * d;
    }
    const double numbers = formula.numbers;
    return squares / (draws * p * (1.0 - p) * numbers / (numbers - 1.0));
}

namespace {

// The verdict of the numbers' corrected tests.
QStringList flaggedLines(const QStringList& flagged, int numbers)
{
    QStringList out;
    out << QStringLiteral("Test de chaque numéro : loi binomiale exacte, p corrigé (Holm, %1 numéros)").arg(numbers);
    if (flagged.isEmpty())
        out << QStringLiteral("Au risque de 5 %, chaque numéro est compatible avec le hasard");
    else if (flagged.size() == 1)
        out << QStringLiteral("Au risque de 5 %, ce numéro n'est pas compatible avec le hasard : ") + flagged.first();
    else
        out << ChanceText::wrapped(QStringLiteral("Au risque de 5 %, ces numéros ne sont pas compatibles avec le hasard : "),
                                   flagged, QStringLiteral(", "));
    return out;
}

// One line per number against the binomial band, then how many leave it and which fail the
// corrected test.
QStringList numberLines(const NumberStats& stats, int n, const Formula& formula)
{
    QStringList out;
    const int numbers = formula.numbers;
    const double p = ChanceMath::drawShare(formula);
    const ChanceMath::Band band = ChanceMath::binomialBand(n, p);
    std::vector<long double> pValues;
    for (int x = 1; x <= numbers; ++x)
        pValues.push_back(ChanceMath::binomialTwoSidedP(stats.appearances[static_cast<size_t>(x)], n, p));
    const std::vector<long double> adjusted = ChanceMath::holmAdjust(pValues);
    int outside = 0;
    QStringList flagged;
    for (int x = 1; x <= numbers; ++x) {
        const size_t i = static_cast<size_t>(x);
        const int a = stats.appearances[i];
        const bool out_ = a < band.low || a > band.high;
        if (out_)
            ++outside;
        if (adjusted[i - 1] < kLevel)
            flagged << NumberFormat::apply(x, u"00");
        // The expected count and the band are those of every number, given once above.
        out << num(x) + QStringLiteral(" Sorti ") + NumberFormat::apply(a, u"0000") + QStringLiteral(" écart réduit ")
                + ChanceText::signedDecimal(HeatMapValues::standardisedDeviation(a, n, formula), 2) + QStringLiteral(" p = ")
                + ChanceText::pValue(pValues[i - 1]) + QStringLiteral(" corrigé ") + ChanceText::pValue(adjusted[i - 1])
                + (out_ ? QStringLiteral(" hors bande") : QString());
    }
    out << QString();
    // How many numbers leave the band under chance alone: every number times the band's
    // outside probability.
    const double outsideShare = ChanceMath::binomialOutsideShare(n, p, band);
    out << QString::number(outside)
            + Plural::agree(outside, QStringLiteral(" numéro hors bande"), QStringLiteral(" numéros hors bande"))
            + QStringLiteral(" ; le hasard seul en met ") + ChanceText::decimal(numbers * outsideShare, 1)
            + QStringLiteral(" en moyenne (") + ChanceText::percentProbability(outsideShare)
            + QStringLiteral(" des %1)").arg(numbers);
    out << QString();
    out << flaggedLines(flagged, numbers);
    return out;
}

// The chi-square test of the counts of every number together.
QStringList uniformityLines(const NumberStats& stats, int n, const Formula& formula)
{
    QStringList out;
    const int numbers = formula.numbers;
    const int degrees = numbers - 1;
    const double expected = n * ChanceMath::drawShare(formula);
    const double chi = uniformityStatistic(stats, n, formula);
    const double pValue = ChanceMath::chiSquareUpperTail(chi, degrees);
    const double critical = ChanceMath::chiSquareQuantile(degrees, 0.95);
    out << QString();
    out << QStringLiteral("Test du khi-deux d'uniformité des %1 sorties (%2 degrés de liberté, tirages sans remise)")
               .arg(numbers)
               .arg(degrees);
    out << QStringLiteral("khi-deux ") + ChanceText::grouped(chi, 2) + QStringLiteral(", seuil à 5 % ")
            + ChanceText::grouped(critical, 2) + QStringLiteral(", p = ") + ChanceText::probability(pValue);
    // Below about 5 expected per number the statistic's law is far from the chi-square's.
    if (expected < 5.0)
        out << QStringLiteral("Attention : ") + ChanceText::decimal(expected, 1)
                + QStringLiteral(" sorties attendues par numéro, moins de 5 :")
            << QStringLiteral("la période est trop courte, ce test n'est pas fiable");
    out << (pValue < kLevel
                ? QStringLiteral("Au risque de 5 %, les %1 sorties ensemble ne sont pas compatibles avec le hasard").arg(numbers)
                : QStringLiteral("Au risque de 5 %, les %1 sorties ensemble sont compatibles avec le hasard").arg(numbers));
    out << QStringLiteral("Sous le seul hasard, chacun de ces deux tests se trompe au plus 5 fois sur 100,")
        << QStringLiteral("l'un ou l'autre au plus 10 fois sur 100");
    return out;
}

// The chance of each number's current and largest gap.
QStringList gapLines(const NumberStats& stats, int n, const QString& drawsText, const Formula& formula)
{
    QStringList out;
    const double missShare = 1.0 - ChanceMath::drawShare(formula);
    out << QString();
    out << QStringLiteral("Ecarts : chance d'un écart actuel au moins aussi long (") + missFraction(formula)
            + QStringLiteral(")^écart,")
        << QStringLiteral("chance d'un écart max au moins aussi long sur la période");
    out << QStringLiteral("Ecart max attendu pour un numéro sur ") + drawsText + QStringLiteral(" : ")
            + ChanceText::decimal(ChanceMath::expectedLongestRun(n, missShare), 1);
    // Many numbers share a largest gap: each length is worked out once.
    std::map<int, long double> largestGapChance;
    for (int x = 1; x <= formula.numbers; ++x) {
        const int g = stats.currentGap[static_cast<size_t>(x)];
        const int big = stats.largestGap[static_cast<size_t>(x)];
        auto [chance, fresh] = largestGapChance.try_emplace(big, 0.0L);
        if (fresh)
            chance->second = ChanceMath::longestRunAtLeast(n, missShare, big);
        out << num(x) + QStringLiteral(" écart ") + NumberFormat::apply(g, u"000") + QStringLiteral(" chance ")
                + ChanceText::percentProbability(std::pow(static_cast<long double>(missShare), g)) + QStringLiteral(" écart max ")
                + NumberFormat::apply(big, u"000") + QStringLiteral(" chance ") + ChanceText::percentProbability(chance->second);
    }
    return out;
}

} // namespace

QStringList lines(const NumberStats& stats, const StudyPeriod& period, const Formula& formula)
{
    QStringList out;
    const int n = HeatMapValues::periodLength(period);
    if (n == 0) {
        out << QStringLiteral("Aucun tirage dans la période d'étude");
        return out;
    }
    const double p = ChanceMath::drawShare(formula);
    const ChanceMath::Band band = ChanceMath::binomialBand(n, p);
    const QString bandText = ChanceText::grouped(band.low) + QStringLiteral(" à ") + ChanceText::grouped(band.high);
    const QString drawsText = ChanceText::grouped(n) + Plural::agree(n, QStringLiteral(" tirage"), QStringLiteral(" tirages"));

    out << QStringLiteral("Le hasard sur ") + drawsText;
    out << QStringLiteral("Sorties attendues par numéro : ") + ChanceText::grouped(n * p, 1)
            + QStringLiteral(" (tirages × %1 / %2), bande à 95 % : ").arg(formula.drawn).arg(formula.numbers) + bandText;
    out << QString();
    out << numberLines(stats, n, formula) << uniformityLines(stats, n, formula) << gapLines(stats, n, drawsText, formula);
    return out;
}

} // namespace HasardReport
