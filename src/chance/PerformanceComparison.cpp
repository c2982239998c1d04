// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/PerformanceComparison.h"

#include "chance/ChanceMath.h"
#include "chance/FigureText.h"
#include "chance/TotalLaw.h"
#include "forecast/Performance.h"

#include <algorithm>
#include <set>

namespace PerformanceComparison {

namespace {

constexpr double kRisk = 0.05;

// Below this the upper tail, 1 − P(total < x), is lost in the rounding of the law.
constexpr long double kSmallestP = 1e-10L;

QString pText(long double p)
{
    return p < kSmallestP ? QStringLiteral("< 1e-10") : FigureText::probability(static_cast<double>(p));
}

// "= 0,436", or "< 1e-10" past what the law's digits tell.
QString pRelation(long double p)
{
    return p < kSmallestP ? pText(p) : QStringLiteral("= ") + pText(p);
}

// One total set against its exact law: its band and its two-sided p.
struct Test {
    qint64 observed = 0;
    TotalLaw::Band band;
    long double p = 1;
    long double corrected = 1;

    Test(const TotalLaw& law, qint64 total) : observed(total), band(law.band())
    {
        const double below = law.cdf(total);
        const double above = 1.0 - law.cdf(total - 1);
        p = std::min(1.0L, 2.0L * std::max(0.0L, static_cast<long double>(std::min(below, above))));
    }
    bool inside() const { return observed >= band.low && observed <= band.high; }
    bool rejected() const { return corrected < kRisk; }
    QString verdictLine(const QString& inText, const QString& outText) const
    {
        return (inside() ? inText : outText) + QStringLiteral(" : p ") + pRelation(p) + QStringLiteral(", corrigé ")
            + pText(corrected);
    }
};

// Holm over the two tests, so that chance alone makes either of them fail at most 5 times in
// 100, not 10.
void correct(Test& a, Test& b)
{
    const std::vector<long double> adjusted = ChanceMath::holmAdjust({a.p, b.p});
    a.corrected = adjusted[0];
    b.corrected = adjusted[1];
}

QString verdict(const Test& won, const Test& matched)
{
    QString text = QStringLiteral("Verdict : ");
    if (!won.rejected() && !matched.rejected())
        return text + QStringLiteral("compatible avec le hasard");
    text += QStringLiteral("pas compatible avec le hasard (");
    if (won.rejected() && matched.rejected())
        return text + QStringLiteral("retour et sorties)");
    return text + (won.rejected() ? QStringLiteral("retour)") : QStringLiteral("sorties)"));
}

QString staked(int draws)
{
    // One euro a draw: "1 €uro misé", "3 €uros misés".
    return FigureText::euros(draws) + (draws < 2 ? QStringLiteral(" misé") : QStringLiteral(" misés"));
}

} // namespace

QStringList lines(const DrawMatrix& matrix, const StudyPeriod& period, const std::vector<int>& ticked)
{
    std::set<int> chosen;
    for (int n : ticked)
        if (n >= 1 && n <= 70)
            chosen.insert(n);
    const int k = static_cast<int>(chosen.size());
    const int first = std::max(0, period.first);
    const int draws = std::max(0, period.last - first + 1);
    if (k < 2 || k > 10 || draws == 0)
        return {};
    qint64 won = 0, matched = 0;
    for (int d = first; d <= period.last; ++d) {
        int m = 0;
        for (int s : chosen)
            if (matrix.contains(s, d))
                ++m;
        won += Performance::pay(k, m);
        matched += m;
    }
    const TotalLaw payout = TotalLaw::payout(k, draws);
    const TotalLaw matches = TotalLaw::matches(k, draws);
    Test wonTest(payout, won), matchedTest(matches, matched);
    correct(wonTest, matchedTest);

    QStringList out;
    out << QString();
    out << QStringLiteral("Comparaison avec le hasard");
    out << QStringLiteral("Retour réel ") + FigureText::euros(static_cast<double>(won)) + QStringLiteral(" pour ") + staked(draws)
            + QStringLiteral(", soit ") + FigureText::decimal(static_cast<double>(won) / draws, 3) + QStringLiteral(" par €uro");
    out << QStringLiteral("Retour attendu ") + FigureText::euros(payout.mean()) + QStringLiteral(", soit ")
            + FigureText::decimal(payout.mean() / draws, 3) + QStringLiteral(" par €uro ; retour médian ")
            + FigureText::euros(static_cast<double>(payout.median()));
    out << QStringLiteral("Intervalle à 95 % (loi exacte du total) : ") + FigureText::whole(wonTest.band.low)
            + QStringLiteral(" à ") + FigureText::euros(static_cast<double>(wonTest.band.high));
    out << wonTest.verdictLine(QStringLiteral("Le retour réel est dans l'intervalle"),
                               QStringLiteral("Le retour réel est hors de l'intervalle"));
    out << QStringLiteral("Numéros sortis ") + FigureText::whole(matched) + QStringLiteral(" fois, attendu ")
            + FigureText::decimal(matches.mean(), 1) + QStringLiteral(", intervalle à 95 % : ")
            + FigureText::whole(matchedTest.band.low) + QStringLiteral(" à ") + FigureText::whole(matchedTest.band.high);
    out << matchedTest.verdictLine(QStringLiteral("Les sorties sont dans l'intervalle"),
                                   QStringLiteral("Les sorties sont hors de l'intervalle"));
    out << QStringLiteral("Risque de 5 % pour les deux tests ensemble : p corrigé par la méthode de Holm");
    out << verdict(wonTest, matchedTest);
    return out;
}

} // namespace PerformanceComparison
