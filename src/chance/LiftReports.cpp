// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/LiftReports.h"

#include "chance/ChanceMath.h"
#include "chance/ChanceText.h"
#include "output/NumberFormat.h"
#include "output/Plural.h"

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

// The report's first line(s): its name and the numbers ticked.
QStringList heading(const QString& name, const QList<int>& chosen)
{
    QStringList numbers;
    for (int c : chosen)
        numbers << NumberFormat::apply(c, u" 00");
    return ChanceText::wrapped(name, numbers, QString());
}

// Marks the line of a number not compatible with chance; a word would not fit in the pane.
const QString kFlag = QStringLiteral(" *");

struct Tested {
    int number = 0;
    int count = 0; // in the tested draws
    int total = 0; // in all the draws of the period
    long double p = 1;
    double expected = 0; // the count the tested draws should hold, given the total
};

// One line per tested number, the least compatible first, then the verdict.
void testLines(QStringList& out, const std::vector<Tested>& tests, int testedDraws, int otherDraws)
{
    std::vector<long double> p;
    for (const Tested& t : tests)
        p.push_back(t.p);
    const std::vector<long double> adjusted = ChanceMath::holmAdjust(p);
    std::vector<size_t> order(tests.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return adjusted[a] < adjusted[b]; });
    QStringList flagged;
    for (size_t i : order) {
        const Tested& t = tests[i];
        const bool compatible = adjusted[i] >= kLevel;
        if (!compatible)
            flagged << NumberFormat::apply(t.number, u"00");
        out << QStringLiteral("Num ") + NumberFormat::apply(t.number, u" 00") + QStringLiteral(" Sorti ")
                + NumberFormat::apply(t.count, u"0000") + QLatin1Char(' ')
                + ChanceText::percent(static_cast<double>(t.count) / testedDraws) + QStringLiteral(" ailleurs ")
                + ChanceText::percent(static_cast<double>(t.total - t.count) / otherDraws) + QStringLiteral(" attendu ")
                + ChanceText::percent(t.expected / testedDraws) + QStringLiteral(" p = ") + ChanceText::pValue(t.p)
                + QStringLiteral(" corrigé ") + ChanceText::pValue(adjusted[i]) + (compatible ? QString() : kFlag);
    }
    out << QString();
    out << QStringLiteral("Au risque de 5 % (correction de Holm sur ") + QString::number(tests.size())
            + QStringLiteral(" numéros) :");
    if (flagged.isEmpty())
        out << QStringLiteral("chaque numéro est compatible avec le hasard");
    else if (flagged.size() == 1)
        out << QStringLiteral("1 numéro n'est pas compatible avec le hasard : ") + flagged.first();
    else
        out << ChanceText::wrapped(QString::number(flagged.size())
                                       + QStringLiteral(" numéros ne sont pas compatibles avec le hasard : "),
                                   flagged, QStringLiteral(", "));
}

// How every line's verdict is reached, with its risk, and how a line says it.
QStringList riskLines(int tested)
{
    return {QStringLiteral("Verdict de chaque ligne au risque de 5 %, sur le p corrigé par la méthode de Holm"),
            QStringLiteral("pour ") + QString::number(tested) + QStringLiteral(" numéros ;") + kFlag
                + QStringLiteral(" : pas compatible avec le hasard")};
}

// A count of numbers spelt out, capitalised, as a sentence opens ("Seize").
QString inWords(int n)
{
    static const char* const words[]
        = {"Zéro", "Un",    "Deux",   "Trois",    "Quatre", "Cinq",  "Six",      "Sept",     "Huit",     "Neuf", "Dix",
           "Onze", "Douze", "Treize", "Quatorze", "Quinze", "Seize", "Dix-sept", "Dix-huit", "Dix-neuf", "Vingt"};
    return n >= 0 && n < static_cast<int>(std::size(words)) ? QString::fromUtf8(words[n]) : QString::number(n);
}

QStringList againstOwnRate(int otherDraws)
{
    return {QStringLiteral("Test exact de Fisher : chaque numéro est comparé à son propre taux"),
            QStringLiteral("dans les ") + ChanceText::grouped(otherDraws)
                + Plural::agree(otherDraws, QStringLiteral(" autre tirage de la période ;"),
                                QStringLiteral(" autres tirages de la période ;"))};
}

// Draws by how many of the chosen numbers they hold: those holding j of them leave D − j
// places (D drawn) to the N − k other numbers, so chance puts a given other number there with
// probability (D − j) / (N − k), less often beside the whole set than elsewhere.
struct PartnerCounts {
    std::vector<int> byHeld;
    std::array<int, DrawMatrix::kNumbers> beside{}, total{};
    int draws = 0;
};

PartnerCounts countPartners(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen)
{
    const int k = static_cast<int>(chosen.size());
    const Formula& f = matrix.formula();
    PartnerCounts c;
    c.byHeld.assign(static_cast<size_t>(std::min(k, f.drawn)) + 1, 0);
    for (int d = std::max(0, period.first); d <= period.last; ++d) {
        ++c.draws;
        int held = 0;
        for (int n : chosen)
            if (matrix.contains(n, d))
                ++held;
        ++c.byHeld[static_cast<size_t>(std::min(held, f.drawn))];
        for (int x = 1; x <= f.numbers; ++x)
            if (matrix.contains(x, d)) {
                ++c.total[static_cast<size_t>(x)];
                if (held == k)
                    ++c.beside[static_cast<size_t>(x)];
            }
    }
    return c;
}

// Every other number's rate beside the whole set, against what chance gives there.
std::vector<Tested> partnerTests(const PartnerCounts& c, const QList<int>& chosen, int matching, const Formula& f)
{
    const int k = static_cast<int>(chosen.size());
    const double drawn = f.drawn, others = f.numbers - k;
    std::vector<ChanceMath::ConditionalRateTest::Group> groups;
    for (int j = 0; j < k; ++j)
        groups.push_back({c.byHeld[static_cast<size_t>(j)], (drawn - j) / others});
    const ChanceMath::ConditionalRateTest test(groups, {matching, (drawn - k) / others});
    std::vector<Tested> tests;
    for (int x = 1; x <= f.numbers; ++x) {
        if (chosen.contains(x))
            continue;
        Tested t;
        t.number = x;
        t.count = c.beside[static_cast<size_t>(x)];
        t.total = c.total[static_cast<size_t>(x)];
        const ChanceMath::ConditionalRateTest::Result result = test.test(t.count, t.total);
        t.p = result.pTwoSided;
        t.expected = result.expected;
        tests.push_back(t);
    }
    return tests;
}

} // namespace

AnalysisReport partners(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen)
{
    AnalysisReport r;
    QStringList& out = r.lines;
    out << heading(QStringLiteral("Partenaires - hasard :"), chosen);
    if (chosen.isEmpty()) {
        out << QStringLiteral("Cochez au moins un numéro");
        r.exported = false;
        return r;
    }
    const Formula& f = matrix.formula();
    const int k = static_cast<int>(chosen.size());
    const PartnerCounts counts = countPartners(matrix, period, chosen);
    const int draws = counts.draws;
    const int matching = k <= f.drawn ? counts.byHeld[static_cast<size_t>(k)] : 0;
    if (matching == 0 || k >= f.drawn) {
        out << (matching == 0 ? QStringLiteral(" Cette combinaison n'est jamais sortie")
                              : inWords(f.drawn) + QStringLiteral(" numéros choisis : il ne reste aucun partenaire à tester"));
        r.exported = false;
        return r;
    }
    out << QStringLiteral("Tirages avec tous les numéros choisis : ") + ChanceText::grouped(matching) + QStringLiteral(" sur ")
            + ChanceText::grouped(draws);
    const int others = draws - matching;
    if (others == 0) {
        out << QStringLiteral("Aucun autre tirage dans la période : rien à quoi comparer");
        r.exported = false;
        return r;
    }
    out << againstOwnRate(others);
    out << QStringLiteral("attendu : son taux à côté des numéros choisis si seul le hasard les réunissait,");
    out << QStringLiteral("compte tenu des ") + QString::number(f.drawn - k) + QStringLiteral(" places sur ")
            + QString::number(f.numbers - k) + QStringLiteral(" qu'ils laissent aux autres numéros");
    out << riskLines(f.numbers - k);
    out << QString();
    testLines(out, partnerTests(counts, chosen, matching, f), matching, others);
    return r;
}

AnalysisReport announcer(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen, int drawCount)
{
    AnalysisReport r;
    QStringList& out = r.lines;
    out << heading(QStringLiteral("Annonceur - hasard :"), chosen);
    const Formula& f = matrix.formula();
    const int first = std::max(0, period.first);
    const int last = std::min(period.last, drawCount - 1);
    std::array<int, DrawMatrix::kNumbers> following{}, total{};
    int hits = 0;
    // A trigger counts only when the draw it announces lies in the period too.
    for (int d = first; d < last; ++d) {
        if (!holdsAll(matrix, d, chosen))
            continue;
        ++hits;
        for (int x = 1; x <= f.numbers; ++x)
            if (matrix.contains(x, d + 1))
                ++following[static_cast<size_t>(x)];
    }
    if (hits == 0) {
        out << QStringLiteral(" Cette combinaison n'est jamais sortie avant un autre tirage de la période");
        r.exported = false;
        return r;
    }
    const int draws = last - first + 1;
    for (int d = first; d <= last; ++d)
        for (int x = 1; x <= f.numbers; ++x)
            if (matrix.contains(x, d))
                ++total[static_cast<size_t>(x)];
    const int others = draws - hits; // the first draw of the period never follows a trigger
    out << QStringLiteral("Tirages suivant la combinaison dans la période : ") + ChanceText::grouped(hits)
            + QStringLiteral(" sur ") + ChanceText::grouped(draws);
    out << againstOwnRate(others);
    out << QStringLiteral("attendu : son taux sur toute la période, celui qu'il aurait après la combinaison");
    out << QStringLiteral("si seul le hasard jouait");
    out << riskLines(f.numbers);
    out << QString();
    std::vector<Tested> tests;
    for (int x = 1; x <= f.numbers; ++x) {
        Tested t;
        t.number = x;
        t.count = following[static_cast<size_t>(x)];
        t.total = total[static_cast<size_t>(x)];
        t.p = ChanceMath::fisherTwoSidedP(t.count, hits, t.total, draws);
        t.expected = static_cast<double>(hits) * t.total / draws;
        tests.push_back(t);
    }
    testLines(out, tests, hits, others);
    return r;
}

} // namespace LiftReports
