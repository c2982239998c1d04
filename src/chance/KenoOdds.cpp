// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/KenoOdds.h"

#include "chance/BoundedMean.h"
#include "chance/ChanceMath.h"
#include "chance/ChanceText.h"
#include "chance/UnknownPay.h"
#include "history/MultiplierFile.h"
#include "history/Multipliers.h"
#include "output/Plural.h"

#include <algorithm>
#include <cmath>
#include <tuple>

MultiplierCounts MultiplierCounts::of(const Wager& wager, int draws)
{
    MultiplierCounts result;
    result.counts = Multipliers::frequencies(wager.multipliers, 0, draws - 1);
    result.unknown = std::max(0, draws - result.known());
    return result;
}

int MultiplierCounts::known() const
{
    int n = 0;
    for (const auto& [value, count] : counts)
        n += count;
    return n;
}

double MultiplierCounts::mean() const
{
    double sum = 0;
    for (const auto& [value, count] : counts)
        sum += static_cast<double>(value) * count;
    return known() > 0 ? sum / known() : 0.0;
}

std::pair<double, double> MultiplierCounts::meanInterval() const
{
    return meanInterval([](int value) { return static_cast<double>(value); });
}

// Any multiplier the operator draws may be the next one, seen or not: the interval is the
// one of a mean bounded by f's least and largest value over them.
std::pair<double, double> MultiplierCounts::meanInterval(const std::function<double(int)>& f) const
{
    std::map<double, int> seen;
    for (const auto& [value, count] : counts)
        seen[f(value)] += count;
    double least = f(MultiplierFile::kLeast), most = least;
    for (int value = MultiplierFile::kLeast; value <= MultiplierFile::kMost; ++value) {
        least = std::min(least, f(value));
        most = std::max(most, f(value));
    }
    return BoundedMean::interval(seen, least, most);
}

std::pair<double, double> MultiplierCounts::shareInterval(int value) const
{
    const auto found = counts.find(value);
    return BoundedMean::wilson(found == counts.end() ? 0 : found->second, known());
}

namespace KenoOdds {

namespace {

// The law of what the winnings are multiplied by: 1 without the option, the observed
// multipliers with it; empty when the option is taken and none is known.
std::map<int, double> factorLaw(const Stake& stake, const MultiplierCounts& multipliers)
{
    if (!stake.multiplier)
        return {{1, 1.0}};
    std::map<int, double> law;
    const int n = multipliers.known();
    for (const auto& [value, count] : multipliers.counts)
        law[value] = static_cast<double>(count) / n;
    return law;
}

} // namespace

KenoOddsRow row(int k, const Formula& formula)
{
    return row(k, formula, formula.payTable, Stake());
}

namespace {

// The chance that the table pays more than the draw costs when the winnings are multiplied by
// `factor` (a row whose amounts are all known).
double profitChance(const KenoOddsRow& r, const PayTable& table, const Stake& stake, int factor)
{
    double chance = 0;
    for (int m = 0; m <= r.k; ++m)
        if (*table.amount(r.k, m) * stake.euros * factor > stake.cost())
            chance += r.probability[static_cast<size_t>(m)];
    return chance;
}

// The figures of a row whose amounts are known, with the option's intervals from the counts.
void figures(KenoOddsRow& r, const PayTable& table, const Stake& stake, const MultiplierCounts& multipliers)
{
    double paid = 0, second = 0;
    for (int m = 0; m <= r.k; ++m) {
        const double p = r.probability[static_cast<size_t>(m)], pay = static_cast<double>(*table.amount(r.k, m));
        paid += p * pay;
        second += p * pay * pay;
        r.anyPrize += pay > 0 ? p : 0;
    }
    double meanFactor = 0, factorSecond = 0;
    for (const auto& [value, q] : factorLaw(stake, multipliers)) {
        meanFactor += value * q;
        factorSecond += static_cast<double>(value) * value * q;
        r.profit += q * profitChance(r, table, stake, value);
    }
    const double perEuro = paid * stake.euros / static_cast<double>(stake.cost());
    r.expectedReturn = perEuro * meanFactor;
    const double mean = paid * stake.euros * meanFactor;
    r.variance = second * stake.euros * stake.euros * factorSecond - mean * mean;
    std::tie(r.returnLow, r.returnHigh) = std::pair{r.expectedReturn, r.expectedReturn};
    std::tie(r.profitLow, r.profitHigh) = std::pair{r.profit, r.profit};
    if (!stake.multiplier)
        return;
    const auto [low, high] = multipliers.meanInterval();
    std::tie(r.returnLow, r.returnHigh) = std::pair{perEuro * low, perEuro * high};
    std::tie(r.profitLow, r.profitHigh)
        = multipliers.meanInterval([&](int value) { return profitChance(r, table, stake, value); });
}

} // namespace

KenoOddsRow row(int k, const Formula& formula, const PayTable& table, const Stake& played, const MultiplierCounts& multipliers)
{
    // One number is no stake: its amount counts appearances, for one euro and no multiplier.
    const Stake stake = k == 1 ? Stake() : played;
    KenoOddsRow r;
    r.k = k;
    r.known = table.rowKnown(k) && !factorLaw(stake, multipliers).empty();
    for (int m = 0; m <= PayTable::kMaxTicked && m <= k; ++m) {
        const std::optional<qint64> amount = table.amount(k, m);
        r.probability[static_cast<size_t>(m)] = ChanceMath::kenoMatchProbability(k, m, formula);
        r.amount[static_cast<size_t>(m)] = amount ? std::optional<qint64>(*amount * stake.euros) : std::nullopt;
    }
    if (r.known)
        figures(r, table, stake, multipliers);
    return r;
}

namespace {

QString oneIn(double p)
{
    const double n = 1.0 / p;
    return QStringLiteral("1 sur ") + (n >= 100 ? ChanceText::grouped(qRound64(n)) : ChanceText::decimal(n, 1));
}

// One number is not a stake: its amount 1 counts the number's appearances, so its lines speak
// of appearances, never of a gain.
void oneNumberLines(QStringList& lines, const KenoOddsRow& r)
{
    lines << QStringLiteral("  sorties moyennes par tirage ") + ChanceText::decimal(r.expectedReturn, 4);
    lines << QStringLiteral("  chance que le numéro sorte ") + ChanceText::percent(r.anyPrize, 2);
    lines << QStringLiteral("  (avec un numéro, le montant 1 compte les sorties : ce n'est ni un gain ni un bénéfice)");
}

QString amountText(const KenoOddsRow& r, int m)
{
    const std::optional<qint64> amount = r.amount[static_cast<size_t>(m)];
    return (r.k == 1 ? QStringLiteral(", montant ") : QStringLiteral(", gain "))
        + (amount ? ChanceText::grouped(*amount) : QStringLiteral("inconnu"));
}

// The return with the option: its interval comes from the multipliers' counts.
QString returnLine(const KenoOddsRow& r, const Stake& stake)
{
    QString line = QStringLiteral("  retour moyen par €uro misé ") + ChanceText::decimal(r.expectedReturn, 4);
    if (stake.multiplier)
        line += QStringLiteral(" (intervalle à 95 % : ") + ChanceText::decimal(r.returnLow, 4) + QStringLiteral(" à ")
            + ChanceText::decimal(r.returnHigh, 4) + QLatin1Char(')');
    return line;
}

void rowLines(QStringList& lines, const KenoOddsRow& r, const PayTable& table, const Stake& stake)
{
    const int k = r.k;
    lines << QString();
    lines << QString::number(k) + (k == 1 ? QStringLiteral(" numéro joué") : QStringLiteral(" numéros joués"));
    for (int m = 0; m <= k; ++m) {
        const double p = r.probability[static_cast<size_t>(m)];
        lines << QStringLiteral("  ") + QString::number(m) + QStringLiteral(" bon(s) : probabilité ") + ChanceText::probability(p)
                + QStringLiteral(" (") + oneIn(p) + QLatin1Char(')') + amountText(r, m);
    }
    if (!table.rowKnown(k)) {
        // The return and the chances of a gain rest on every amount of the row.
        lines << UnknownPay::sentence(k, UnknownPay::matches(table, k), QStringLiteral("  "));
        lines << QStringLiteral("  retour moyen et chances de gain : non calculés sans ces gains");
        return;
    }
    if (!r.known) {
        lines << QStringLiteral("  retour moyen et chances de gain : non calculés sans multiplicateur connu");
        return;
    }
    if (k == 1) {
        oneNumberLines(lines, r);
        return;
    }
    lines << returnLine(r, stake);
    lines << QStringLiteral("  chance d'un gain ") + ChanceText::percent(r.anyPrize, 2) + QStringLiteral(", d'un bénéfice ")
            + ChanceText::percent(r.profit, 2);
    // The chance of a profit rests on the multiplier only when some multiplier changes it.
    if (stake.multiplier && r.profitLow < r.profitHigh)
        lines << QStringLiteral("  chance d'un bénéfice : intervalle à 95 % : ") + ChanceText::percent(r.profitLow, 2)
                + QStringLiteral(" à ") + ChanceText::percent(r.profitHigh, 2);
}

QString stakeText(const Stake& stake)
{
    if (stake.isPlain())
        return QStringLiteral("mise 1 €uro par tirage");
    if (!stake.multiplier)
        return QStringLiteral("mise %1 €uros par tirage").arg(stake.euros);
    return QStringLiteral("mise ") + stake.label();
}

QString tirages(int n)
{
    return Plural::count(n, QStringLiteral("tirage"), QStringLiteral("tirages"));
}

// « ×2 : 3 tirages, 30,00 % (intervalle à 95 % : 10,78 % à 60,32 %) »
QString shareLine(const MultiplierCounts& multipliers, int value, int count)
{
    const auto [low, high] = multipliers.shareInterval(value);
    return QStringLiteral("  ×%1 : ").arg(value) + tirages(count) + QStringLiteral(", ")
        + ChanceText::percent(static_cast<double>(count) / multipliers.known(), 2) + QStringLiteral(" (intervalle à 95 % : ")
        + ChanceText::percent(low, 2) + QStringLiteral(" à ") + ChanceText::percent(high, 2) + QLatin1Char(')');
}

// What the option's figures rest on: the multipliers seen in the history, which the operator
// does not publish the odds of.
QStringList multiplierLines(const MultiplierCounts& multipliers, const Stake& stake)
{
    const QString cost
        = QStringLiteral("Option : %1 €uros par tirage (mise doublée), gains multipliés par le multiplicateur").arg(stake.cost());
    const int n = multipliers.known();
    if (n == 0)
        return {cost, QStringLiteral("Aucun multiplicateur connu dans l'historique : le retour avec l'option n'est pas"),
                QStringLiteral("calculé, car l'opérateur ne publie pas les probabilités du multiplicateur.")};
    QStringList lines{cost, QStringLiteral("Multiplicateurs observés sur ") + tirages(n) + QStringLiteral(" :")};
    for (const auto& [value, count] : multipliers.counts)
        lines << shareLine(multipliers, value, count);
    const auto [low, high] = multipliers.meanInterval();
    lines << QStringLiteral("Multiplicateur moyen ") + ChanceText::decimal(multipliers.mean(), 4)
            + QStringLiteral(", intervalle à 95 % : ") + ChanceText::decimal(low, 4) + QStringLiteral(" à ")
            + ChanceText::decimal(high, 4);
    lines << QStringLiteral("L'opérateur ne publie pas les probabilités du multiplicateur : elles sont estimées ici");
    lines << QStringLiteral("par ses fréquences observées dans l'historique.");
    if (multipliers.unknown > 0)
        lines << tirages(multipliers.unknown) + QStringLiteral(" sans multiplicateur connu, ")
                + Plural::agree(multipliers.unknown, QStringLiteral("laissé"), QStringLiteral("laissés"))
                + QStringLiteral(" hors de cette estimation");
    return lines;
}

} // namespace

QStringList report(const Formula& formula)
{
    return report(formula, Wager(formula.payTable), 0);
}

QStringList report(const Formula& formula, const Wager& wager, int draws)
{
    QStringList lines;
    lines << QStringLiteral("Cotes du Keno : %1 numéros tirés sur %2, ").arg(formula.drawn).arg(formula.numbers)
            + stakeText(wager.stake);
    const MultiplierCounts multipliers = MultiplierCounts::of(wager, draws);
    if (wager.stake.multiplier)
        lines << multiplierLines(multipliers, wager.stake);
    for (int k = formula.minTicked; k <= formula.maxTicked; ++k)
        rowLines(lines, row(k, formula, wager.table, wager.stake, multipliers), wager.table, wager.stake);
    return lines;
}

} // namespace KenoOdds
