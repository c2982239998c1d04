// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/KenoOdds.h"

#include "chance/ChanceMath.h"
#include "chance/ChanceText.h"
#include "forecast/Performance.h"

namespace KenoOdds {

KenoOddsRow row(int k)
{
    KenoOddsRow r;
    r.k = k;
    double second = 0;
    for (int m = 0; m <= 10 && m <= k; ++m) {
        const double p = ChanceMath::kenoMatchProbability(k, m);
        const double pay = static_cast<double>(Performance::pay(k, m));
        r.probability[static_cast<size_t>(m)] = p;
        r.expectedReturn += p * pay;
        second += p * pay * pay;
        if (pay > 0)
            r.anyPrize += p;
        if (pay > 1)
            r.profit += p;
    }
    r.variance = second - r.expectedReturn * r.expectedReturn;
    return r;
}

namespace {

QString oneIn(double p)
{
    const double n = 1.0 / p;
    return QStringLiteral("1 sur ") + (n >= 100 ? ChanceText::grouped(qRound64(n)) : ChanceText::decimal(n, 1));
}

} // namespace

namespace {

// One number is not a stake: its amount 1 counts the number's appearances, so its lines speak
// of appearances, never of a gain.
void oneNumberLines(QStringList& lines, const KenoOddsRow& r)
{
    lines << QStringLiteral("  sorties moyennes par tirage ") + ChanceText::decimal(r.expectedReturn, 4);
    lines << QStringLiteral("  chance que le numéro sorte ") + ChanceText::percent(r.anyPrize, 2);
    lines << QStringLiteral("  (avec un numéro, le montant 1 compte les sorties : ce n'est ni un gain ni un bénéfice)");
}

} // namespace

QStringList report()
{
    QStringList lines;
    lines << QStringLiteral("Cotes du Keno : 20 numéros tirés sur 70, mise 1 €uro par tirage");
    for (int k = 1; k <= 10; ++k) {
        const KenoOddsRow r = row(k);
        lines << QString();
        lines << QString::number(k) + (k == 1 ? QStringLiteral(" numéro joué") : QStringLiteral(" numéros joués"));
        for (int m = 0; m <= k; ++m) {
            const double p = r.probability[static_cast<size_t>(m)];
            lines << QStringLiteral("  ") + QString::number(m) + QStringLiteral(" bon(s) : probabilité ")
                    + ChanceText::probability(p) + QStringLiteral(" (") + oneIn(p) + QLatin1Char(')')
                    + (k == 1 ? QStringLiteral(", montant ") : QStringLiteral(", gain "))
                    + ChanceText::grouped(Performance::pay(k, m));
        }
        if (k == 1) {
            oneNumberLines(lines, r);
            continue;
        }
        lines << QStringLiteral("  retour moyen par €uro misé ") + ChanceText::decimal(r.expectedReturn, 4);
        lines << QStringLiteral("  chance d'un gain ") + ChanceText::percent(r.anyPrize, 2) + QStringLiteral(", d'un bénéfice ")
                + ChanceText::percent(r.profit, 2);
    }
    return lines;
}

} // namespace KenoOdds
