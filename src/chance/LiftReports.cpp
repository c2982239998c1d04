#include "chance/LiftReports.h"

#include "chance/ChanceMath.h"
#include "chance/ChanceText.h"
#include "output/NumberFormat.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace LiftReports {

namespace {

bool holdsAll(const DrawMatrix& matrix, int d, const QList<int>& chosen)
{
    return std::all_of(chosen.begin(), chosen.end(), [&](int c) { return matrix.contains(c, d); });
}

QString chosenText(const QList<int>& chosen)
{
    QString text;
    for (int c : chosen)
        text += NumberFormat::apply(c, u" 00");
    return text;
}

// One line per tested number, the least compatible first, then the count of flagged numbers.
void testLines(QStringList& out, const std::vector<int>& numbers, const std::array<int, 71>& counts, int trials, double rate)
{
    std::vector<double> p;
    for (int x : numbers)
        p.push_back(ChanceMath::binomialTwoSidedP(counts[static_cast<size_t>(x)], trials, rate));
    const std::vector<double> adjusted = ChanceMath::holmAdjust(p);
    std::vector<size_t> order(numbers.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return adjusted[a] < adjusted[b]; });
    int flagged = 0;
    for (size_t i : order) {
        const int x = numbers[i];
        const int c = counts[static_cast<size_t>(x)];
        const bool compatible = adjusted[i] >= kLevel;
        if (!compatible)
            ++flagged;
        out << QStringLiteral("Num ") + NumberFormat::apply(x, u" 00") + QStringLiteral(" Sorti ")
                + NumberFormat::apply(c, u"0000") + QStringLiteral(" fois ")
                + ChanceText::percent(static_cast<double>(c) / trials) + QStringLiteral(" p = ") + ChanceText::probability(p[i])
                + QStringLiteral(" corrigé ") + ChanceText::probability(adjusted[i])
                + (compatible ? QStringLiteral(" compatible avec le hasard") : QStringLiteral(" pas compatible avec le hasard"));
    }
    out << QString();
    out << QString::number(flagged)
            + (flagged <= 1 ? QStringLiteral(" numéro pas compatible avec le hasard")
                            : QStringLiteral(" numéros pas compatibles avec le hasard"))
            + QStringLiteral(" (seuil 5 %, correction de Holm sur ") + QString::number(numbers.size())
            + QStringLiteral(" numéros)");
}

} // namespace

AnalysisReport partners(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen)
{
    AnalysisReport r;
    QStringList& out = r.lines;
    out << QStringLiteral("Partenaires - hasard :") + chosenText(chosen);
    if (chosen.isEmpty()) {
        out << QStringLiteral("Cochez au moins un numéro");
        r.exported = false;
        return r;
    }
    std::array<int, 71> counts{};
    int matching = 0;
    for (int d = std::max(0, period.first); d <= period.last; ++d) {
        if (!holdsAll(matrix, d, chosen))
            continue;
        ++matching;
        for (int x = 1; x <= 70; ++x)
            if (matrix.contains(x, d))
                ++counts[static_cast<size_t>(x)];
    }
    if (matching == 0 || chosen.size() >= 20) {
        out << (matching == 0 ? QStringLiteral(" Cette combinaison n'est jamais sortie")
                              : QStringLiteral("Vingt numéros choisis : il ne reste aucun partenaire à tester"));
        r.exported = false;
        return r;
    }
    const int k = static_cast<int>(chosen.size());
    const double rate = (20.0 - k) / (70.0 - k);
    out << QStringLiteral("Tirages avec tous les numéros choisis : ") + QString::number(matching);
    out << QStringLiteral("Taux attendu par le hasard : (20 - ") + QString::number(k) + QStringLiteral(") / (70 - ")
            + QString::number(k) + QStringLiteral(") = ") + ChanceText::percent(rate);
    out << QString();
    std::vector<int> numbers;
    for (int x = 1; x <= 70; ++x)
        if (!chosen.contains(x))
            numbers.push_back(x);
    testLines(out, numbers, counts, matching, rate);
    return r;
}

AnalysisReport announcer(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen, int drawCount)
{
    AnalysisReport r;
    QStringList& out = r.lines;
    out << QStringLiteral("Annonceur - hasard :") + chosenText(chosen);
    std::array<int, 71> counts{};
    int hits = 0;
    const int last = std::min(period.last + 1, drawCount - 2);
    for (int d = std::max(0, period.first); d <= last; ++d) {
        if (!holdsAll(matrix, d, chosen))
            continue;
        ++hits;
        for (int x = 1; x <= 70; ++x)
            if (matrix.contains(x, d + 1))
                ++counts[static_cast<size_t>(x)];
    }
    if (hits == 0) {
        out << QStringLiteral(" Cette combinaison n'est jamais sortie avant un autre tirage");
        r.exported = false;
        return r;
    }
    const double rate = ChanceMath::kDrawShare;
    out << QStringLiteral("Tirages suivant la combinaison : ") + QString::number(hits);
    out << QStringLiteral("Taux attendu par le hasard : 20 / 70 = ") + ChanceText::percent(rate);
    out << QString();
    std::vector<int> numbers(70);
    std::iota(numbers.begin(), numbers.end(), 1);
    testLines(out, numbers, counts, hits, rate);
    return r;
}

} // namespace LiftReports
