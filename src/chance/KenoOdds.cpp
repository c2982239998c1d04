// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/KenoOdds.h"

#include "chance/ChanceMath.h"
#include "chance/ChanceText.h"
#include "chance/UnknownPay.h"
#include "history/Multipliers.h"

#include <algorithm>
#include <cmath>

// The mean of the multiplier from n draws whose counts are n_i of values v_i: the estimate is the
// sample mean, whose variance the multinomial counts give as (sum v_i² n_i / n − mean²) / n; its
// 95 % interval is the normal one around it (the delta method on the mean), never below the
// smallest multiplier nor above the largest one.
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
    const int n = known();
    if (n == 0)
        return {0.0, 0.0};
    const double mu = mean();
    double second = 0;
    for (const auto& [value, count] : counts)
        second += static_cast<double>(value) * value * count / n;
    const double half = 1.959963984540054 * std::sqrt(std::max(0.0, second - mu * mu) / n);
    const double lowest = counts.begin()->first, highest = counts.rbegin()->first;
    return {std::max(lowest, mu - half), std::min(highest, mu + half)};
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

KenoOddsRow row(int k, const Formula& formula, const PayTable& table, const Stake& played, const MultiplierCounts& multipliers)
{
    // One number is no stake: its amount counts appearances, for one euro and no multiplier.
    const Stake stake = k == 1 ? Stake() : played;
    const std::map<int, double> law = factorLaw(stake, multipliers);
    KenoOddsRow r;
    r.k = k;
    r.known = table.rowKnown(k) && !law.empty();
    double paid = 0, second = 0, meanFactor = 0, factorSecond = 0;
    for (const auto& [value, q] : law) {
        meanFactor += value * q;
        factorSecond += static_cast<double>(value) * value * q;
    }
    const double euros = stake.euros, cost = static_cast<double>(stake.cost());
    for (int m = 0; m <= PayTable::kMaxTicked && m <= k; ++m) {
        const double p = ChanceMath::kenoMatchProbability(k, m, formula);
        const std::optional<qint64> amount = table.amount(k, m);
        r.probability[static_cast<size_t>(m)] = p;
        r.amount[static_cast<size_t>(m)] = amount ? std::optional<qint64>(*amount * stake.euros) : std::nullopt;
        if (!r.known)
            continue;
        const double pay = static_cast<double>(*amount);
        paid += p * pay;
        second += p * pay * pay;
        if (pay > 0)
            r.anyPrize += p;
        for (const auto& [value, q] : law)
            if (pay * euros * value > cost)
                r.profit += p * q;
    }
    if (!r.known)
        return r;
    r.expectedReturn = paid * meanFactor * euros / cost;
    const double mean = paid * euros * meanFactor;
    r.variance = second * euros * euros * factorSecond - mean * mean;
    const auto [low, high] = stake.multiplier ? multipliers.meanInterval() : std::pair{meanFactor, meanFactor};
    r.returnLow = paid * low * euros / cost;
    r.returnHigh = paid * high * euros / cost;
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
}

QString stakeText(const Stake& stake)
{
    if (stake.isPlain())
        return QStringLiteral("mise 1 €uro par tirage");
    if (!stake.multiplier)
        return QStringLiteral("mise %1 €uros par tirage").arg(stake.euros);
    return QStringLiteral("mise ") + stake.label();
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
    QStringList seen;
    for (const auto& [value, count] : multipliers.counts)
        seen << QStringLiteral("×%1 : %2").arg(value).arg(count);
    const auto [low, high] = multipliers.meanInterval();
    QStringList lines{cost};
    lines << QStringLiteral("Multiplicateurs observés sur %1 tirages : ").arg(n) + seen.join(QStringLiteral(", "));
    lines << QStringLiteral("Multiplicateur moyen ") + ChanceText::decimal(multipliers.mean(), 4)
            + QStringLiteral(", intervalle à 95 % : ") + ChanceText::decimal(low, 4) + QStringLiteral(" à ")
            + ChanceText::decimal(high, 4);
    lines << QStringLiteral("L'opérateur ne publie pas les probabilités du multiplicateur : elles sont estimées ici");
    lines << QStringLiteral("par ses fréquences observées dans l'historique.");
    if (multipliers.unknown > 0)
        lines << QStringLiteral("%1 %2 sans multiplicateur connu, %3 hors de cette estimation")
                     .arg(multipliers.unknown)
                     .arg(multipliers.unknown > 1 ? QStringLiteral("tirages") : QStringLiteral("tirage"))
                     .arg(multipliers.unknown > 1 ? QStringLiteral("laissés") : QStringLiteral("laissé"));
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
