#include "chance/HasardReport.h"

#include "chance/ChanceMath.h"
#include "chance/ChanceText.h"
#include "chance/HeatMapValues.h"
#include "output/NumberFormat.h"

#include <cmath>

namespace HasardReport {

namespace {

constexpr double kMissShare = 1.0 - ChanceMath::kDrawShare; // 5/7
constexpr int kDegrees = 69;

QString num(int n)
{
    return QStringLiteral("Num ") + NumberFormat::apply(n, u" 00");
}

} // namespace

double uniformityStatistic(const NumberStats& stats, int draws)
{
    if (draws <= 0)
        return 0.0;
    const double p = ChanceMath::kDrawShare;
    const double expected = draws * p;
    double squares = 0;
    for (int n = 1; n <= 70; ++n) {
        const double d = stats.appearances[static_cast<size_t>(n)] - expected;
        squares += d * d;
    }
    return squares / (draws * p * (1.0 - p) * 70.0 / 69.0);
}

QStringList lines(const NumberStats& stats, const StudyPeriod& period)
{
    QStringList out;
    const int n = HeatMapValues::periodLength(period);
    if (n == 0) {
        out << QStringLiteral("Aucun tirage dans la période d'étude");
        return out;
    }
    const double p = ChanceMath::kDrawShare;
    const double expected = n * p;
    const ChanceMath::Band band = ChanceMath::binomialBand(n, p);
    const QString bandText = QString::number(band.low) + QStringLiteral(" à ") + QString::number(band.high);

    out << QStringLiteral("Le hasard sur ") + QString::number(n)
            + (n == 1 ? QStringLiteral(" tirage") : QStringLiteral(" tirages"));
    out << QStringLiteral("Sorties attendues par numéro : ") + ChanceText::decimal(expected, 1)
            + QStringLiteral(" (tirages × 20 / 70), bande à 95 % : ") + bandText;
    out << QString();
    int outside = 0;
    for (int x = 1; x <= 70; ++x) {
        const int a = stats.appearances[static_cast<size_t>(x)];
        const bool out_ = a < band.low || a > band.high;
        if (out_)
            ++outside;
        out << num(x) + QStringLiteral(" Sorti ") + NumberFormat::apply(a, u"0000") + QStringLiteral(" attendu ")
                + ChanceText::decimal(expected, 1) + QStringLiteral(" bande ") + bandText + QStringLiteral(" écart réduit ")
                + ChanceText::signedDecimal(HeatMapValues::standardisedDeviation(a, n), 2)
                + (out_ ? QStringLiteral(" hors bande") : QString());
    }
    out << QString();
    const double byChance = 70.0 * ChanceMath::binomialOutsideShare(n, p, band);
    out << QString::number(outside)
            + (outside <= 1 ? QStringLiteral(" numéro hors bande") : QStringLiteral(" numéros hors bande"))
            + QStringLiteral(" ; le hasard seul en met ") + ChanceText::decimal(byChance, 1)
            + QStringLiteral(" en moyenne (environ 5 % des 70)");

    const double chi = uniformityStatistic(stats, n);
    const double pValue = ChanceMath::chiSquareUpperTail(chi, kDegrees);
    const double critical = ChanceMath::chiSquareQuantile(kDegrees, 0.95);
    out << QString();
    out << QStringLiteral("Test du khi-deux d'uniformité des 70 sorties (69 degrés de liberté, tirages sans remise)");
    out << QStringLiteral("khi-deux ") + ChanceText::decimal(chi, 2) + QStringLiteral(", seuil à 5 % ")
            + ChanceText::decimal(critical, 2) + QStringLiteral(", p = ") + ChanceText::probability(pValue);
    out << (pValue < 0.05 ? QStringLiteral("Les sorties ne sont pas compatibles avec le hasard")
                          : QStringLiteral("Les sorties sont compatibles avec le hasard"));

    out << QString();
    out << QStringLiteral("Ecarts : chance d'un écart actuel au moins aussi long (5/7)^écart, ")
            + QStringLiteral("chance d'un écart max au moins aussi long sur la période");
    out << QStringLiteral("Ecart max attendu pour un numéro sur ") + QString::number(n) + QStringLiteral(" tirages : ")
            + ChanceText::decimal(ChanceMath::expectedLongestRun(n, kMissShare), 1);
    for (int x = 1; x <= 70; ++x) {
        const int g = stats.currentGap[static_cast<size_t>(x)];
        const int big = stats.largestGap[static_cast<size_t>(x)];
        out << num(x) + QStringLiteral(" écart ") + NumberFormat::apply(g, u"000") + QStringLiteral(" chance ")
                + ChanceText::percent(std::pow(kMissShare, g), 2) + QStringLiteral(" écart max ")
                + NumberFormat::apply(big, u"000") + QStringLiteral(" chance ")
                + ChanceText::percent(ChanceMath::longestRunAtLeast(n, kMissShare, big), 2);
    }
    return out;
}

} // namespace HasardReport
