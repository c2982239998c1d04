// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/Rankings.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <tuple>

TEST(Rankings, TextsAndByteExactLines)
{
    NumberStats s;
    s.appearances[7] = 7, s.currentGap[7] = 3, s.largestGap[7] = 12;
    s.appearances[1] = 28571, s.currentGap[1] = 123, s.largestGap[1] = 98765; // wide values in full
    const std::tuple<RankingKind, QStringView, QStringView, QStringView, QStringView> rows[]
        = {{RankingKind::Sorties, u"Classement par sorties au ", u"SORTIES", u"07 0007   03    0012", u"01 28571   123    98765"},
           {RankingKind::Ecarts, u"Classement par écarts au ", u"ECARTS", u"07 0007   0003   0012", u"01 28571   0123   98765"},
           {RankingKind::EcartsMax, u"Classement par écarts max au ", u"Ecarts max", u"07 0007   0003   0012",
            u"01 28571   0123   98765"},
           {RankingKind::Numero, u"Classement par numéros au ", u"Numéros", u"07  0007   003  0012", u"01  28571   123  98765"}};
    for (const auto& [kind, title, status, seven, one] : rows) {
        const RankingTexts t = Rankings::texts(kind);
        EXPECT_EQ(t.title, title.toString());
        EXPECT_EQ(t.status, status.toString());
        EXPECT_EQ(t.caption,
                  kind == RankingKind::Numero ? QStringLiteral(" Les moins                     les plus")
                                              : QStringLiteral(" Les plus                     les moins"));
        EXPECT_EQ(Rankings::line(kind, 7, s), seven.toString());
        EXPECT_EQ(Rankings::line(kind, 1, s), one.toString());
    }
}

TEST(Rankings, OrderIsKeyDescendingTiesAscending)
{
    NumberStats s;
    s.appearances[10] = 5, s.appearances[3] = 5, s.appearances[70] = 9;
    s.currentGap[4] = 8, s.currentGap[2] = 8;
    s.largestGap[69] = 30, s.largestGap[5] = 31;
    EXPECT_EQ(Rankings::order(RankingKind::Sorties, s).mid(0, 4), (QList<int>{70, 3, 10, 1}));
    EXPECT_EQ(Rankings::order(RankingKind::Ecarts, s).mid(0, 3), (QList<int>{2, 4, 1}));
    EXPECT_EQ(Rankings::order(RankingKind::EcartsMax, s).mid(0, 3), (QList<int>{5, 69, 1}));
    const QList<int> ascending = TestSupport::numberRange(1, 70);
    EXPECT_EQ(Rankings::order(RankingKind::Numero, s), ascending);
    EXPECT_EQ(Rankings::order(RankingKind::Sorties, NumberStats{}), ascending);
}

// The four rankings of the current game list its 56 numbers, each once.
TEST(Rankings, TheCurrentGameRanksItsFiftySixNumbers)
{
    NumberStats s;
    s.formula = FormulaId::Keno16of56;
    s.appearances[56] = 4, s.appearances[70] = 99; // 70 is no number of this game
    s.currentGap[30] = 2, s.largestGap[12] = 7;
    const QList<int> ascending = TestSupport::numberRange(1, 56);
    EXPECT_EQ(Rankings::order(RankingKind::Numero, s), ascending);
    for (RankingKind kind : {RankingKind::Sorties, RankingKind::Ecarts, RankingKind::EcartsMax}) {
        QList<int> order = Rankings::order(kind, s);
        EXPECT_EQ(order.size(), 56);
        EXPECT_EQ(order.first(), kind == RankingKind::Sorties ? 56 : kind == RankingKind::Ecarts ? 30 : 12);
        std::sort(order.begin(), order.end());
        EXPECT_EQ(order, ascending);
    }
}
