#include "chance/PerformanceComparison.h"

#include "chance/ChanceMath.h"
#include "chance/ChanceText.h"
#include "chance/KenoOdds.h"
#include "forecast/Performance.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace PerformanceComparison {

Interval expectedTotal(int k, int draws)
{
    const KenoOddsRow r = KenoOdds::row(k);
    Interval i;
    i.expected = draws * r.expectedReturn;
    const double half = ChanceMath::normalQuantile(0.975) * std::sqrt(draws * r.variance);
    i.low = std::max(0.0, i.expected - half);
    i.high = i.expected + half;
    return i;
}

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
    qint64 won = 0;
    for (int d = first; d <= period.last; ++d) {
        int m = 0;
        for (int s : chosen)
            if (matrix.contains(s, d))
                ++m;
        won += Performance::pay(k, m);
    }
    const Interval i = expectedTotal(k, draws);
    const bool inside = won >= i.low && won <= i.high;
    QStringList out;
    out << QString();
    out << QStringLiteral("Comparaison avec le hasard");
    out << QStringLiteral("Retour réel ") + QString::number(won) + QStringLiteral(" €uros pour ") + QString::number(draws)
            + QStringLiteral(" misés, soit ") + ChanceText::decimal(static_cast<double>(won) / draws, 3)
            + QStringLiteral(" par €uro");
    out << QStringLiteral("Retour attendu ") + ChanceText::decimal(i.expected, 1) + QStringLiteral(" €uros, soit ")
            + ChanceText::decimal(i.expected / draws, 3) + QStringLiteral(" par €uro");
    out << QStringLiteral("Intervalle à 95 % : ") + ChanceText::decimal(i.low, 1) + QStringLiteral(" à ")
            + ChanceText::decimal(i.high, 1) + QStringLiteral(" €uros");
    out << (inside ? QStringLiteral("Le retour réel est dans l'intervalle : compatible avec le hasard")
                   : QStringLiteral("Le retour réel est hors de l'intervalle : pas compatible avec le hasard"));
    return out;
}

} // namespace PerformanceComparison
