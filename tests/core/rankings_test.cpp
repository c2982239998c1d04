#include "stats/Rankings.h"

#include <gtest/gtest.h>

namespace {

NumberStats withNumber(int n, int appearances, int gap, int largest)
{
    NumberStats s;
    s.appearances[static_cast<size_t>(n)] = appearances;
    s.currentGap[static_cast<size_t>(n)] = gap;
    s.largestGap[static_cast<size_t>(n)] = largest;
    return s;
}

} // namespace

TEST(Rankings, LineFormats)
{
    const NumberStats s = withNumber(7, 7, 3, 12);
    EXPECT_EQ(Rankings::line(RankingKind::Sorties, 7, s), QStringLiteral("07 0007   03    0012"));
    EXPECT_EQ(Rankings::line(RankingKind::Ecarts, 7, s), QStringLiteral("07 0007   0003   0012"));
    EXPECT_EQ(Rankings::line(RankingKind::EcartsMax, 7, s), QStringLiteral("07 0007   0003   0012"));
    EXPECT_EQ(Rankings::line(RankingKind::Numero, 7, s), QStringLiteral("07  0007   003  0012"));

    // Zeros keep their width; number 70 as well.
    const NumberStats z = withNumber(70, 0, 0, 0);
    EXPECT_EQ(Rankings::line(RankingKind::Sorties, 70, z), QStringLiteral("70 0000   00    0000"));
    EXPECT_EQ(Rankings::line(RankingKind::Ecarts, 70, z), QStringLiteral("70 0000   0000   0000"));
    EXPECT_EQ(Rankings::line(RankingKind::Numero, 70, z), QStringLiteral("70  0000   000  0000"));

    // Wider values are written in full, never cut.
    const NumberStats big = withNumber(1, 28571, 123, 98765);
    EXPECT_EQ(Rankings::line(RankingKind::Sorties, 1, big), QStringLiteral("01 28571   123    98765"));
    EXPECT_EQ(Rankings::line(RankingKind::Ecarts, 1, big), QStringLiteral("01 28571   0123   98765"));
    EXPECT_EQ(Rankings::line(RankingKind::EcartsMax, 1, big), QStringLiteral("01 28571   0123   98765"));
    EXPECT_EQ(Rankings::line(RankingKind::Numero, 1, big), QStringLiteral("01  28571   123  98765"));
    const NumberStats gaps = withNumber(2, 100000, 10000, 1000);
    EXPECT_EQ(Rankings::line(RankingKind::Numero, 2, gaps), QStringLiteral("02  100000   10000  1000"));
}

TEST(Rankings, OrderIsKeyDescendingTiesAscending)
{
    NumberStats s;
    s.appearances[10] = 5;
    s.appearances[3] = 5;
    s.appearances[70] = 9;
    s.appearances[1] = 2;
    s.currentGap[4] = 8;
    s.currentGap[2] = 8;
    s.largestGap[69] = 30;
    s.largestGap[5] = 31;

    QList<int> order = Rankings::order(RankingKind::Sorties, s);
    ASSERT_EQ(order.size(), 70);
    EXPECT_EQ(order.mid(0, 5), (QList<int>{70, 3, 10, 1, 2}));
    EXPECT_EQ(order.last(), 69);

    order = Rankings::order(RankingKind::Ecarts, s);
    EXPECT_EQ(order.mid(0, 3), (QList<int>{2, 4, 1}));

    order = Rankings::order(RankingKind::EcartsMax, s);
    EXPECT_EQ(order.mid(0, 3), (QList<int>{5, 69, 1}));

    // By number: 1..70 whatever the figures.
    order = Rankings::order(RankingKind::Numero, s);
    for (int i = 0; i < 70; ++i)
        EXPECT_EQ(order[i], i + 1);

    // All equal: plain number order, so 1..35 fill the left list and 36..70 the right one.
    NumberStats equal;
    equal.appearances.fill(4);
    order = Rankings::order(RankingKind::Sorties, equal);
    for (int i = 0; i < 70; ++i)
        EXPECT_EQ(order[i], i + 1);
}

TEST(Rankings, TitlesCaptionsAndStatus)
{
    const QString most = QStringLiteral(" Les plus                     les moins");
    const QString least = QStringLiteral(" Les moins                     les plus");
    EXPECT_EQ(most.size(), 39);
    EXPECT_EQ(least.size(), 39);

    const RankingTexts sorties = Rankings::texts(RankingKind::Sorties);
    EXPECT_EQ(sorties.title, QStringLiteral("Classement par sorties au "));
    EXPECT_EQ(sorties.caption, most);
    EXPECT_EQ(sorties.status, QStringLiteral("SORTIES"));

    const RankingTexts ecarts = Rankings::texts(RankingKind::Ecarts);
    EXPECT_EQ(ecarts.title, QStringLiteral("Classement par écarts au "));
    EXPECT_EQ(ecarts.caption, most);
    EXPECT_EQ(ecarts.status, QStringLiteral("ECARTS"));

    const RankingTexts max = Rankings::texts(RankingKind::EcartsMax);
    EXPECT_EQ(max.title, QStringLiteral("Classement par écarts max au "));
    EXPECT_EQ(max.caption, most);
    EXPECT_EQ(max.status, QStringLiteral("Ecarts max"));

    const RankingTexts numero = Rankings::texts(RankingKind::Numero);
    EXPECT_EQ(numero.title, QStringLiteral("Classement par numéros au "));
    EXPECT_EQ(numero.caption, least);
    EXPECT_EQ(numero.status, QStringLiteral("Numéros"));

    EXPECT_EQ(QString::fromLatin1(Rankings::kHeader), QStringLiteral("Num Sorti Ecart  EcartMax"));
}
