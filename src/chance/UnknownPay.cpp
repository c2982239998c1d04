// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/UnknownPay.h"

#include "chance/ChanceText.h"
#include "output/Plural.h"

#include <algorithm>

namespace UnknownPay {

std::vector<int> matches(const PayTable& table, int k)
{
    std::vector<int> out;
    for (int m = 0; m <= k; ++m)
        if (!table.amount(k, m))
            out.push_back(m);
    return out;
}

std::vector<int> matches(const Formula& formula, int k)
{
    return matches(formula.payTable, k);
}

QStringList sentence(int k, const std::vector<int>& matched, const QString& indent)
{
    if (matched.empty())
        return {};
    QStringList counts;
    for (int m : matched)
        counts << QString::number(m);
    const QString last = counts.takeLast();
    const QString which = counts.isEmpty() ? last : counts.join(QStringLiteral(", ")) + QStringLiteral(" ou ") + last;
    const bool several = matched.size() > 1;
    // "0 ou 1 numéro trouvé": the noun agrees with the largest count.
    const QString text = (several ? QStringLiteral("Gains inconnus pour ") : QStringLiteral("Gain inconnu pour ")) + which
        + Plural::agree(matched.back(), QStringLiteral(" numéro trouvé"), QStringLiteral(" numéros trouvés"))
        + QStringLiteral(" sur ") + QString::number(k) + QStringLiteral(" : la table des gains de ce jeu est incomplète.");
    return ChanceText::wrapped(indent, text.split(QLatin1Char(' ')), QStringLiteral(" "));
}

} // namespace UnknownPay
