// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/BestPartners.h"
#include "support/NewGameSupport.h"
#include "support/TestSupport.h"

using namespace TestSupport;

TEST(BestPartners, HeaderOrderAndCounts)
{
    const AnalysisReport none = BestPartners::report(matrixOf({drawHolding(0, {1}), QString()}), StudyPeriod{0, 0}, {});
    EXPECT_EQ(none.lines, utf8Lines({"Numeros choisis", "Nombre de numeros ", "0"}));
    EXPECT_FALSE(none.exported);

    // 1 is in draws 0 and 1: partners 2 (twice), 3 and 53 (once), fillers 54..70 (twice).
    const DrawMatrix m = matrixOf({drawHolding(0, {1, 2, 3}), drawHolding(1, {1, 2}), drawHolding(2, {2, 3}), QString()});
    const AnalysisReport r = BestPartners::report(m, StudyPeriod{0, 2}, {1});
    ASSERT_EQ(r.lines.size(), 4 + 69);
    EXPECT_EQ(
        r.lines.mid(0, 6),
        utf8Lines({"Numeros choisis", "1", "Nombre de numeros ", "1", "Num  02 Sorti 0002 Fois ", "Num  54 Sorti 0002 Fois "}));
    EXPECT_EQ(r.lines.mid(21, 4),
              utf8Lines({"Num  70 Sorti 0002 Fois ", "Num  03 Sorti 0001 Fois ", "Num  53 Sorti 0001 Fois ",
                         "Num  04 Sorti 0000 Fois "}));
    EXPECT_EQ(r.lines.last(), QStringLiteral("Num  52 Sorti 0000 Fois "));
    EXPECT_TRUE(r.exported);
    int total = 0;
    for (const QString& line : r.lines.mid(4))
        total += line.mid(14, 4).toInt();
    EXPECT_EQ(total, 2 * 19);

    // Outside the period 1 never came out: every other number with 0000, ascending.
    const AnalysisReport never = BestPartners::report(m, StudyPeriod{2, 2}, {1});
    EXPECT_EQ(never.lines[4], QStringLiteral("Num  02 Sorti 0000 Fois "));
    EXPECT_EQ(never.lines.last(), QStringLiteral("Num  70 Sorti 0000 Fois "));

    const AnalysisReport all = BestPartners::report(m, StudyPeriod{0, 2}, numberRange(1, 70));
    EXPECT_EQ(all.lines.size(), 1 + 70 + 2);
    EXPECT_EQ(all.lines.last(), QStringLiteral("70"));
    EXPECT_TRUE(all.exported);
}

TEST(BestPartners, NewGameListsTheOtherFiftyFourByCountsMadeHere)
{
    namespace ng = NewGameSupport;
    const ng::Draws draws = ng::randomDraws(500, 11);
    const DrawMatrix m = ng::matrixOf(draws);
    const QList<int> chosen{9, 44};
    std::array<int, 57> counts{};
    for (int d = 20; d <= 480; ++d) {
        const std::vector<int>& draw = draws[static_cast<size_t>(d)];
        if (ng::holds(draw, 9) && ng::holds(draw, 44))
            for (int n : draw)
                ++counts[static_cast<size_t>(n)];
    }
    ASSERT_GT(counts[9], 3);
    QStringList expected = utf8Lines({"Numeros choisis", "9", "44", "Nombre de numeros ", "2"});
    for (int t = counts[9]; t >= 0; --t)
        for (int x = 1; x <= 56; ++x)
            if (x != 9 && x != 44 && counts[static_cast<size_t>(x)] == t)
                expected
                    << QStringLiteral("Num  %1 Sorti %2 Fois ").arg(x, 2, 10, QLatin1Char('0')).arg(t, 4, 10, QLatin1Char('0'));
    const AnalysisReport r = BestPartners::report(m, StudyPeriod{20, 480}, chosen);
    EXPECT_EQ(r.lines.size(), 5 + 54);
    EXPECT_EQ(r.lines, expected);
}
