// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/Rankings.h"

#include "output/NumberFormat.h"

#include <algorithm>

namespace Rankings {

RankingTexts texts(RankingKind kind)
{
    const QString most = QStringLiteral(" Les plus                     les moins");
    switch (kind) {
    case RankingKind::Sorties:
        return {QStringLiteral("Classement par sorties au "), most, QStringLiteral("SORTIES")};
    case RankingKind::Ecarts:
        return {QStringLiteral("Classement par écarts au "), most, QStringLiteral("ECARTS")};
    case RankingKind::EcartsMax:
        return {QStringLiteral("Classement par écarts max au "), most, QStringLiteral("Ecarts max")};
    case RankingKind::Numero:
        return {QStringLiteral("Classement par numéros au "), QStringLiteral(" Les moins                     les plus"),
                QStringLiteral("Numéros")};
    }
    return {};
}

QString line(RankingKind kind, int n, const NumberStats& s)
{
    using NumberFormat::apply;
    const size_t i = static_cast<size_t>(n);
    switch (kind) {
    case RankingKind::Sorties:
        return apply(n, u"00") + apply(s.appearances[i], u" 0000") + apply(s.currentGap[i], u"   00 ")
            + apply(s.largestGap[i], u"   0000");
    case RankingKind::Ecarts:
    case RankingKind::EcartsMax:
        return apply(n, u"00") + apply(s.appearances[i], u" 0000   ") + apply(s.currentGap[i], u"0000  ")
            + apply(s.largestGap[i], u" 0000");
    case RankingKind::Numero:
        return apply(n, u"00") + apply(s.appearances[i], u"  0000") + apply(s.currentGap[i], u"   000")
            + apply(s.largestGap[i], u"  0000");
    }
    return {};
}

QList<int> order(RankingKind kind, const NumberStats& s)
{
    QList<int> numbers;
    for (int n = 1; n <= s.game().numbers; ++n)
        numbers << n;
    if (kind == RankingKind::Numero)
        return numbers;
    const auto& key = kind == RankingKind::Sorties ? s.appearances : kind == RankingKind::Ecarts ? s.currentGap : s.largestGap;
    // Key descending, ties in ascending number order.
    std::stable_sort(numbers.begin(), numbers.end(),
                     [&](int a, int b) { return key[static_cast<size_t>(a)] > key[static_cast<size_t>(b)]; });
    return numbers;
}

} // namespace Rankings
