// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/GridPresets.h"
#include "forecast/Performance.h"
#include "output/NumberFormat.h"
#include "support/NewGameSupport.h"
#include "support/TestSupport.h"

using namespace TestSupport;

namespace {

struct DrawsMade {
    QStringList liste;
    DrawMatrix matrix;
};

// Draws on consecutive half-days from 01/01/2020 midi, then the trailing empty item; the
// numbers played stay below 41, the fillers from 51 on.
DrawsMade history(const QList<QList<int>>& hitsPerDraw)
{
    DrawsMade h;
    for (qsizetype i = 0; i < hitsPerDraw.size(); ++i)
        h.liste << drawWith(QDate(2020, 1, 1).addDays(i / 2), i % 2 == 0, hitsPerDraw[i], 51);
    h.liste << QString();
    h.matrix.rebuild(h.liste);
    return h;
}

} // namespace

TEST(Performance, TwoNumbersWinningFirstDrawHalfEvenAverageAndBenefice)
{
    // The average gap 3 / 2 = 1.5 rounds to 2.
    const DrawsMade h = history({{3, 7}, {3}, {}, {3, 7}});
    const PerformanceReport r = Performance::evaluate(h.liste, h.matrix, StudyPeriod{0, 3}, {7, 3});
    const QStringList expected = utf8Lines({"01/01/2020 03 07-----------------------------6  €uros, Ecart 1", "01/01/2020 03",
                                            "02/01/2020", "02/01/2020 03 07-----------------------------6  €uros, Ecart 2", ""})
        + utf8Lines({"Enjeu total 4 €uros", "Encaissé 12", "", "_____________ Bénefice  8", "", " + Grand ecart  2",
                     "Ecart actuel    0", "  002  fois  2 numéros  : gains  12    02/01/2020  moyenne 2"})
        + utf8Lines({"", " tableau des écarts entre grilles gagnantes pour les numéros :", "", " 3 7", "",
                     "0001  fois a l'écart 01", "0001  fois a l'écart 02", ""});
    EXPECT_EQ(r.lines, expected);
    EXPECT_EQ(r.title, QStringLiteral("Performance d'un ensemble"));
    EXPECT_EQ(r.caption, QString());
    EXPECT_EQ(r.selectedLine, 19);
    EXPECT_EQ(r.dat, expected[3]);
}

TEST(Performance, EightNumbersPayOnNoMatchConsecutiveWinsAndNeverMetEntries)
{
    // The average gap 5 / 2 = 2.5 rounds to 2, the even neighbour.
    const DrawsMade h = history({{}, {1, 2, 3}, {1, 2, 3, 4, 5}, {1}, {1, 2, 3, 4, 5}, {}});
    const PerformanceReport r = Performance::evaluate(h.liste, h.matrix, StudyPeriod{0, 5}, {1, 2, 3, 4, 5, 6, 7, 8});
    const QStringList expected
        = utf8Lines({"01/01/2020-----------------------------------2  €uros, Ecart 1", "01/01/2020 01 02 03",
                     "02/01/2020 01 02 03 04 05--------------------5  €uros, Ecart 1", "02/01/2020 01",
                     "03/01/2020 01 02 03 04 05--------------------5  €uros, Ecart 1",
                     "03/01/2020-----------------------------------2  €uros, Ecart 0", ""})
        + utf8Lines({"Enjeu total 6 €uros", "Encaissé 14", "", "_____________ Bénefice  8", "", " + Grand ecart  1",
                     "Ecart actuel    0", "  002  fois  0 numéros  : gains  4    03/01/2020  moyenne 2",
                     "  002  fois  5 numéros  : gains  10    03/01/2020  moyenne 2", " Jamais sortie à 6 numéros",
                     " Jamais sortie à 7 numéros", " Jamais sortie à 8 numéros"})
        + utf8Lines({"", " tableau des écarts entre grilles gagnantes pour les numéros :", "", " 1 2 3 4 5 6 7 8", "",
                     "0001  fois a l'écart 00", "0003  fois a l'écart 01", ""});
    EXPECT_EQ(r.lines, expected);
    EXPECT_EQ(r.selectedLine, 25);
}

TEST(Performance, OneNumberCountsAppearancesWithZeroAmounts)
{
    const DrawsMade h = history({{5}, {}, {5}});
    const PerformanceReport r = Performance::evaluate(h.liste, h.matrix, StudyPeriod{0, 2}, {5});
    const QStringList expected = utf8Lines({"01/01/2020 05--------------------------------0  €uros, Ecart 1", "01/01/2020",
                                            "02/01/2020 05--------------------------------0  €uros, Ecart 1", ""})
        + utf8Lines({"Sorti  2 fois", "", " + Grand ecart  1", "Ecart actuel    0"})
        + utf8Lines({"", " tableau des écarts entre grilles gagnantes pour les numéros :", "", " 5", "",
                     "0002  fois a l'écart 01", ""});
    EXPECT_EQ(r.lines, expected);
    EXPECT_EQ(r.selectedLine, 13);
}

TEST(Performance, NoWinGivesLossWholePeriodAsGapAndEmptyTable)
{
    // Four numbers pay from three matches: at most two here. The period skips the first draw.
    const DrawsMade h = history({{1, 2, 3, 4}, {1, 2}, {}, {4}});
    const PerformanceReport r = Performance::evaluate(h.liste, h.matrix, StudyPeriod{1, 3}, {1, 2, 3, 4});
    const QStringList expected = utf8Lines({"01/01/2020 01 02", "02/01/2020", "02/01/2020 04", ""})
        + utf8Lines({"Enjeu total 3 €uros", "Encaissé 0", "", "____________Perte  -3", "", " + Grand ecart  3",
                     "Ecart actuel    4", " Jamais sortie à 3 numéros", " Jamais sortie à 4 numéros"})
        + utf8Lines({"", " tableau des écarts entre grilles gagnantes pour les numéros :", "", " 1 2 3 4", "", ""});
    EXPECT_EQ(r.lines, expected);
    EXPECT_EQ(r.selectedLine, 17);
}

TEST(Performance, WinningsEqualToStakeIsBeneficeZeroOneLessIsPerte)
{
    // Two numbers: one win of 6 over six draws pays back the six euros staked.
    const DrawsMade six = history({{}, {}, {9, 10}, {}, {}, {}});
    const PerformanceReport r = Performance::evaluate(six.liste, six.matrix, StudyPeriod{0, 5}, {9, 10});
    EXPECT_EQ(r.lines.mid(8, 7),
              utf8Lines({"Encaissé 6", "", "_____________ Bénefice  0", "", " + Grand ecart  3", "Ecart actuel    3",
                         "  001  fois  2 numéros  : gains  6    02/01/2020  moyenne 5"}));

    const DrawsMade seven = history({{}, {}, {9, 10}, {}, {}, {}, {}});
    const PerformanceReport loss = Performance::evaluate(seven.liste, seven.matrix, StudyPeriod{0, 6}, {9, 10});
    EXPECT_EQ(loss.lines[11], QStringLiteral("____________Perte  -1"));
}

TEST(Performance, NothingOrTooManyTickedGivesOnlyTheGapTablePart)
{
    const DrawsMade h = history({{1, 2}, {3}});
    const PerformanceReport none = Performance::evaluate(h.liste, h.matrix, StudyPeriod{0, 1}, {});
    EXPECT_EQ(none.lines, utf8Lines({"", " tableau des écarts entre grilles gagnantes pour les numéros :", "", "", "", ""}));
    EXPECT_EQ(none.selectedLine, 4);
    EXPECT_FALSE(none.dat.has_value());

    const std::vector<int> eleven{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
    const PerformanceReport many = Performance::evaluate(h.liste, h.matrix, StudyPeriod{0, 1}, eleven);
    EXPECT_EQ(many.lines,
              utf8Lines({"", " tableau des écarts entre grilles gagnantes pour les numéros :", "", " 1 2 3 4 5 6 7 8 9 10 11", "",
                         ""}));
}

TEST(Performance, TenNumbersWithGroupedCountsAndWideSums)
{
    // 1,200 draws holding all ten numbers: 200,000 euros each, 240 million in all (beyond 16 bits
    // of counts, within 64 bits of sums).
    const DrawsMade h = history(QList<QList<int>>(1200, numberRange(1, 10)));
    const PerformanceReport r = Performance::evaluate(h.liste, h.matrix, StudyPeriod{0, 1199}, GridPresets::colonnes(0));
    EXPECT_EQ(r.lines[1199], QStringLiteral("22/08/2021 01 02 03 04 05 06 07 08 09 10-----200000  €uros, Ecart 0"));
    EXPECT_EQ(r.lines.mid(1201, 4),
              utf8Lines({"Enjeu total 1200 €uros", "Encaissé 240000000", "", "_____________ Bénefice  239998800"}));
    EXPECT_TRUE(r.lines.contains(QStringLiteral("  1") + NumberFormat::groupSeparator()
                                 + QStringLiteral("200  fois  10 numéros  : gains  240000000    22/08/2021  moyenne 1")));
    EXPECT_TRUE(r.lines.contains(QStringLiteral("0001  fois a l'écart 01")));
    EXPECT_TRUE(r.lines.contains(QStringLiteral("1199  fois a l'écart 00")));
}

TEST(Performance, NewGameUnknownAmountsAreNeverCountedAsNothing)
{
    namespace ng = NewGameSupport;
    // Seven numbers 1..7 matched 7, 5, 2, 0 and 6 times; the fillers come from 41..56. The
    // sixteen-of-fifty-six table gives 7, 6 and 5 matched of seven, not the others.
    const QList<QList<int>> hits = {numberRange(1, 7), numberRange(1, 5), {1, 2}, {}, numberRange(1, 6)};
    ng::Draws draws;
    for (const QList<int>& h : hits) {
        std::vector<int> draw(h.begin(), h.end());
        for (int filler = 41; draw.size() < 16; ++filler)
            draw.push_back(filler);
        draws.push_back(draw);
    }
    const QStringList lines = ng::linesOf(draws);
    const DrawMatrix m = ng::matrixOf(draws);
    const PerformanceReport r = Performance::evaluate(lines, m, StudyPeriod{0, 4}, {7, 6, 5, 4, 3, 2, 1, 60});

    const QString dashes(45, QLatin1Char('-'));
    EXPECT_EQ(r.lines[0],
              QStringLiteral("03/11/2025 01 02 03 04 05 06 07") + dashes.left(14) + QStringLiteral("3000  €uros, Ecart 1"));
    EXPECT_EQ(r.lines[2], QStringLiteral("05/11/2025 01 02") + dashes.left(29) + QStringLiteral("gain inconnu"));
    EXPECT_EQ(r.lines[3], QStringLiteral("06/11/2025") + dashes.left(35) + QStringLiteral("gain inconnu"));
    EXPECT_TRUE(r.lines.contains(QStringLiteral("Gains inconnus pour 7 numéros cochés : table des gains incomplète.")));
    // The known amounts are a floor, never the whole: no profit nor loss is claimed.
    EXPECT_TRUE(r.lines.contains(QStringLiteral("Encaissé au moins 3095 (gains inconnus sur 2 tirages)")));
    EXPECT_TRUE(r.lines.contains(QStringLiteral("Bénéfice ou perte inconnus")));
    for (const QString& line : r.lines) {
        EXPECT_FALSE(line.startsWith(QStringLiteral("Encaissé 3095"))) << line.toStdString();
        EXPECT_FALSE(line.contains(QStringLiteral("Bénefice  ")) || line.contains(QStringLiteral("Perte  ")))
            << line.toStdString();
    }
    EXPECT_TRUE(r.lines.contains(QStringLiteral("  001  fois  0 numéros  : gain inconnu    06/11/2025  moyenne 4")));
    EXPECT_TRUE(r.lines.contains(QStringLiteral("  001  fois  5 numéros  : gains  5    04/11/2025  moyenne 4")));
    EXPECT_TRUE(r.lines.contains(QStringLiteral(" Jamais sortie à 1 numéros")));
    // The gaps run between the known wins: draws 0, 1 and 4.
    EXPECT_TRUE(r.lines.contains(QStringLiteral("0001  fois a l'écart 01")));
    EXPECT_TRUE(r.lines.contains(QStringLiteral("0001  fois a l'écart 00")));
    EXPECT_TRUE(r.lines.contains(QStringLiteral("0001  fois a l'écart 02")));
}
