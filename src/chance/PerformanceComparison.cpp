#include "chance/PerformanceComparison.h"

#include "chance/FigureText.h"
#include "chance/TotalLaw.h"
#include "forecast/Performance.h"

#include <algorithm>
#include <set>

namespace PerformanceComparison {

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
    const TotalLaw::Band pay = payout.band();
    const TotalLaw matches = TotalLaw::matches(k, draws);
    const TotalLaw::Band match = matches.band();
    const bool wonInside = won >= pay.low && won <= pay.high;
    const bool matchedInside = matched >= match.low && matched <= match.high;

    QStringList out;
    out << QString();
    out << QStringLiteral("Comparaison avec le hasard");
    out << QStringLiteral("Retour réel ") + FigureText::euros(static_cast<double>(won)) + QStringLiteral(" pour ")
            + FigureText::whole(draws) + QStringLiteral(" misés, soit ")
            + FigureText::decimal(static_cast<double>(won) / draws, 3) + QStringLiteral(" par €uro");
    out << QStringLiteral("Retour attendu ") + FigureText::euros(payout.mean()) + QStringLiteral(", soit ")
            + FigureText::decimal(payout.mean() / draws, 3) + QStringLiteral(" par €uro ; retour médian ")
            + FigureText::euros(static_cast<double>(payout.median()));
    out << QStringLiteral("Intervalle à 95 % (loi exacte du total) : ") + FigureText::whole(pay.low) + QStringLiteral(" à ")
            + FigureText::euros(static_cast<double>(pay.high));
    out << (wonInside ? QStringLiteral("Le retour réel est dans l'intervalle")
                      : QStringLiteral("Le retour réel est hors de l'intervalle"));
    out << QStringLiteral("Numéros sortis ") + FigureText::whole(matched) + QStringLiteral(" fois, attendu ")
            + FigureText::decimal(matches.mean(), 1) + QStringLiteral(", intervalle à 95 % : ") + FigureText::whole(match.low)
            + QStringLiteral(" à ") + FigureText::whole(match.high);
    out << (matchedInside ? QStringLiteral("Les sorties sont dans l'intervalle")
                          : QStringLiteral("Les sorties sont hors de l'intervalle"));
    QString verdict = QStringLiteral("Verdict (deux tests, chacun au risque de 5 %) : ");
    if (wonInside && matchedInside)
        verdict += QStringLiteral("compatible avec le hasard");
    else
        verdict += QStringLiteral("pas compatible avec le hasard");
    out << verdict;
    return out;
}

} // namespace PerformanceComparison
