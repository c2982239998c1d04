// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/PerformanceComparison.h"

#include "chance/ChanceMath.h"
#include "chance/FigureText.h"
#include "chance/TotalLaw.h"
#include "chance/UnknownPay.h"

#include <algorithm>
#include <map>
#include <optional>
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

QString staked(qint64 euros)
{
    // "1 €uro misé", "3 €uros misés".
    return FigureText::euros(static_cast<double>(euros)) + (euros < 2 ? QStringLiteral(" misé") : QStringLiteral(" misés"));
}

// What the ticked set did over the period: the amount the table pays (nullopt as soon as one
// draw's amount is unknown) and its matches.
struct Played {
    std::optional<qint64> won = 0;
    qint64 matched = 0;
};

Played play(const DrawMatrix& matrix, const Wager& wager, int first, int last, const std::set<int>& chosen)
{
    const int k = static_cast<int>(chosen.size());
    Played p;
    for (int d = first; d <= last; ++d) {
        int m = 0;
        for (int s : chosen)
            if (matrix.contains(s, d))
                ++m;
        const std::optional<qint64> amount = wager.win(k, m, d);
        p.won = p.won && amount ? std::optional<qint64>(*p.won + *amount) : std::nullopt;
        p.matched += m;
    }
    return p;
}

QString realLine(qint64 won, qint64 euros)
{
    return QStringLiteral("Retour réel ") + FigureText::euros(static_cast<double>(won)) + QStringLiteral(" pour ") + staked(euros)
        + QStringLiteral(", soit ") + FigureText::decimal(static_cast<double>(won) / euros, 3) + QStringLiteral(" par €uro");
}

QStringList returnLines(const TotalLaw& payout, const Test& wonTest, qint64 won, qint64 euros)
{
    QStringList out;
    out << realLine(won, euros);
    out << QStringLiteral("Retour attendu ") + FigureText::euros(payout.mean()) + QStringLiteral(", soit ")
            + FigureText::decimal(payout.mean() / euros, 3) + QStringLiteral(" par €uro ; retour médian ")
            + FigureText::euros(static_cast<double>(payout.median()));
    out << QStringLiteral("Intervalle à 95 % (loi exacte du total) : ") + FigureText::whole(wonTest.band.low)
            + QStringLiteral(" à ") + FigureText::euros(static_cast<double>(wonTest.band.high));
    out << wonTest.verdictLine(QStringLiteral("Le retour réel est dans l'intervalle"),
                               QStringLiteral("Le retour réel est hors de l'intervalle"));
    return out;
}

QStringList matchLines(const TotalLaw& matches, const Test& matchedTest, qint64 matched)
{
    return {QStringLiteral("Numéros sortis ") + FigureText::whole(matched) + QStringLiteral(" fois, attendu ")
                + FigureText::decimal(matches.mean(), 1) + QStringLiteral(", intervalle à 95 % : ")
                + FigureText::whole(matchedTest.band.low) + QStringLiteral(" à ") + FigureText::whole(matchedTest.band.high),
            matchedTest.verdictLine(QStringLiteral("Les sorties sont dans l'intervalle"),
                                    QStringLiteral("Les sorties sont hors de l'intervalle"))};
}

// Without every amount of the row, the return is neither counted nor tested (nor tested when its
// law would take more memory than a law may): the matches are, alone, so they need no correction.
QStringList matchesOnly(const QStringList& why, const TotalLaw& matches, qint64 matched)
{
    Test matchedTest(matches, matched);
    matchedTest.corrected = matchedTest.p;
    QStringList out = why;
    out << matchLines(matches, matchedTest, matched);
    out << QStringLiteral("Verdict : ")
            + (matchedTest.rejected() ? QStringLiteral("pas compatible avec le hasard (sorties)")
                                      : QStringLiteral("compatible avec le hasard"));
    return out;
}

// Why the return is not tested: an amount the table lacks, or, the row whole, a law that would
// take more memory than a law may.
QStringList untested(const Wager& wager, int k, std::optional<qint64> won, qint64 staked)
{
    if (won && wager.table.rowKnown(k))
        return {realLine(*won, staked),
                QStringLiteral("Retour non comparé au hasard : sa loi exacte demanderait trop de mémoire")};
    return UnknownPay::sentence(k, UnknownPay::matches(wager.table, k))
        << QStringLiteral("Retour réel et retour attendu : non calculés sans ces gains");
}

// The stake played and the draws whose multiplier is unknown, when the stake is not 1 € alone.
QStringList stakeLines(const Wager& wager, int first, int last)
{
    if (wager.stake.isPlain())
        return {};
    QStringList out{QStringLiteral("Mise ") + wager.stake.label() + QStringLiteral(" par tirage")};
    const QString unknown = wager.unknownMultipliersLine(first, last);
    if (!unknown.isEmpty())
        out << unknown;
    if (wager.stake.multiplier)
        out << QStringLiteral("Loi du hasard : chaque tirage joué avec son propre multiplicateur");
    return out;
}

// The law of the total for the stake played: with the option, every draw is paid times its own
// multiplier (an unknown one counted as 1), as it is for the player, so the law adds up one
// group of plays for each multiplier.
std::optional<TotalLaw> payoutOf(const Formula& formula, const Wager& wager, int k, int first, int last)
{
    const int draws = last - first + 1;
    const std::map<int, int> factors = wager.stake.multiplier ? wager.factorCounts(first, last) : std::map<int, int>();
    return TotalLaw::payout(formula, wager.table, k, draws, wager.stake.euros, factors);
}

} // namespace

QStringList lines(const DrawMatrix& matrix, const StudyPeriod& period, const std::vector<int>& ticked)
{
    return lines(matrix, period, ticked, Wager(matrix.formula().payTable));
}

QStringList lines(const DrawMatrix& matrix, const StudyPeriod& period, const std::vector<int>& ticked, const Wager& wager)
{
    const Formula& formula = matrix.formula();
    std::set<int> chosen;
    for (int n : ticked)
        if (n >= 1 && n <= formula.numbers)
            chosen.insert(n);
    const int k = static_cast<int>(chosen.size());
    const int first = std::max(0, period.first);
    const int draws = std::max(0, period.last - first + 1);
    // One number is no stake.
    if (k < std::max(2, formula.minTicked) || k > formula.maxTicked || draws == 0)
        return {};
    const Played played = play(matrix, wager, first, period.last, chosen);
    const TotalLaw matches = TotalLaw::matches(k, draws, formula);
    const std::optional<TotalLaw> payout = payoutOf(formula, wager, k, first, period.last);

    QStringList out;
    out << QString();
    out << QStringLiteral("Comparaison avec le hasard");
    out << stakeLines(wager, first, period.last);
    if (!payout || !played.won)
        return out << matchesOnly(untested(wager, k, played.won, qint64{draws} * wager.stake.cost()), matches, played.matched);
    Test wonTest(*payout, *played.won), matchedTest(matches, played.matched);
    correct(wonTest, matchedTest);
    out << returnLines(*payout, wonTest, *played.won, qint64{draws} * wager.stake.cost());
    out << matchLines(matches, matchedTest, played.matched);
    out << QStringLiteral("Risque de 5 % pour les deux tests ensemble : p corrigé par la méthode de Holm");
    out << verdict(wonTest, matchedTest);
    return out;
}

} // namespace PerformanceComparison
