// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/KenoOdds.h"

#include "chance/ChanceMath.h"
#include "chance/ChanceText.h"
#include "chance/UnknownPay.h"

namespace KenoOdds {

KenoOddsRow row(int k, const Formula& formula)
{
    KenoOddsRow r;
    r.k = k;
    r.known = formula.payTable.rowKnown(k);
    double second = 0;
    for (int m = 0; m <= PayTable::kMaxTicked && m <= k; ++m) {
        const double p = ChanceMath::kenoMatchProbability(k, m, formula);
        const std::optional<qint64> amount = formula.payTable.amount(k, m);
        r.probability[static_cast<size_t>(m)] = p;
        r.amount[static_cast<size_t>(m)] = amount;
        if (!r.known)
            continue;
        const double pay = static_cast<double>(*amount);
        r.expectedReturn += p * pay;
        second += p * pay * pay;
        if (pay > 0)
            r.anyPrize += p;
        if (pay > 1)
            r.profit += p;
    }
    r.variance = r.known ? second - r.expectedReturn * r.expectedReturn : 0;
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

void rowLines(QStringList& lines, const KenoOddsRow& r, const Formula& formula)
{
    const int k = r.k;
    lines << QString();
    lines << QString::number(k) + (k == 1 ? QStringLiteral(" numéro joué") : QStringLiteral(" numéros joués"));
    for (int m = 0; m <= k; ++m) {
        const double p = r.probability[static_cast<size_t>(m)];
        lines << QStringLiteral("  ") + QString::number(m) + QStringLiteral(" bon(s) : probabilité ") + ChanceText::probability(p)
                + QStringLiteral(" (") + oneIn(p) + QLatin1Char(')') + amountText(r, m);
    }
    if (!r.known) {
        // The return and the chances of a gain rest on every amount of the row.
        lines << UnknownPay::sentence(k, UnknownPay::matches(formula, k), QStringLiteral("  "));
        lines << QStringLiteral("  retour moyen et chances de gain : non calculés sans ces gains");
        return;
    }
    if (k == 1) {
        oneNumberLines(lines, r);
        return;
    }
    lines << QStringLiteral("  retour moyen par €uro misé ") + ChanceText::decimal(r.expectedReturn, 4);
    lines << QStringLiteral("  chance d'un gain ") + ChanceText::percent(r.anyPrize, 2) + QStringLiteral(", d'un bénéfice ")
            + ChanceText::percent(r.profit, 2);
}

} // namespace

QStringList report(const Formula& formula)
{
    QStringList lines;
    lines << QStringLiteral("Cotes du Keno : %1 numéros tirés sur %2, mise 1 €uro par tirage")
                 .arg(formula.drawn)
                 .arg(formula.numbers);
    for (int k = formula.minTicked; k <= formula.maxTicked; ++k)
        rowLines(lines, row(k, formula), formula);
    return lines;
}

} // namespace KenoOdds
