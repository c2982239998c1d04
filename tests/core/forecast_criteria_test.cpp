// SPDX-License-Identifier: GPL-3.0-or-later
#include "forecast/CriteriaRanges.h"
#include "forecast/ForecastCriteria.h"
#include "support/EioFault.h"
#include "support/NewGameSupport.h"
#include "support/TestSupport.h"

#include <QFile>
#include <tuple>

namespace {

using B = CriterionBar;
using namespace TestSupport;
using Bar = std::tuple<int, int, int, QString>; // minimum, maximum, position, label

Bar state(const ForecastCriteria& c, B b)
{
    const CriteriaScrollBar& bar = c[b];
    return {bar.minimum, bar.maximum, bar.value, bar.label};
}

Bar bar(int minimum, int maximum, int position, const char* label)
{
    return {minimum, maximum, position, QString::fromLatin1(label)};
}

const QByteArray kDesignFile = testData("criteria_design.cfg");

NumberStats statsWith(int appearancesLow, int appearancesHigh, int currentGap, int largestGap)
{
    NumberStats s;
    for (int n = 1; n <= 70; ++n) {
        s.appearances[static_cast<size_t>(n)] = n == 1 ? appearancesHigh : appearancesLow;
        s.currentGap[static_cast<size_t>(n)] = n == 2 ? currentGap : 0;
        s.largestGap[static_cast<size_t>(n)] = n == 3 ? largestGap : 1;
    }
    return s;
}

} // namespace

TEST(ForecastCriteria, DesignTimeRangesStepsPositionsAndLabels)
{
    const ForecastCriteria c;
    // The average fewest and the general most bounds: the label is not the position.
    const std::pair<B, Bar> expected[]
        = {{B::RecentDraws, bar(0, 42, 14, "14")},        {B::RecentMin, bar(0, 42, 0, "0")},
           {B::RecentMax, bar(0, 42, 14, "14")},          {B::AverageDraws, bar(14, 280, 28, "28")},
           {B::AverageMin, bar(0, 280, 14, "0")},         {B::AverageMax, bar(0, 280, 28, "28")},
           {B::GeneralDraws, bar(0, 3200, 3000, "3000")}, {B::GeneralMin, bar(0, 3270, 0, "0")},
           {B::GeneralMax, bar(0, 3270, 0, "3000")},      {B::GapMin, bar(0, 100, 0, "0")},
           {B::GapMax, bar(0, 100, 100, "100")}};
    for (const auto& [b, expectedBar] : expected)
        EXPECT_EQ(state(c, b), expectedBar) << static_cast<int>(b);
    const int pageSteps[12] = {0, 14, 14, 140, 5, 5, 7, 7, 14, 14, 10, 10};
    for (int i = 1; i <= 11; ++i) {
        EXPECT_EQ(c[i].pageStep, pageSteps[i]) << i;
        EXPECT_EQ(c[i].smallStep, 1) << i;
    }
    // The bar numbers are those of the window (HScroll7 is the recent most-appearances bound).
    EXPECT_EQ(&c[7], &c[B::RecentMax]);
}

TEST(ForecastCriteria, LabelFollowsOnlyAnActualMove)
{
    ForecastCriteria c;
    EXPECT_FALSE(c.setValue(B::GeneralMax, 0)); // same position: no change, design-time text stays
    EXPECT_EQ(c.label(B::GeneralMax), QStringLiteral("3000"));
    EXPECT_TRUE(c.setValue(B::AverageMin, 15));
    EXPECT_EQ(c.label(B::AverageMin), QStringLiteral("15"));
    EXPECT_TRUE(c.setValue(B::AverageMin, 14));
    EXPECT_EQ(c.label(B::AverageMin), QStringLiteral("14"));
    // Outside the range: the nearer bound.
    EXPECT_TRUE(c.setValue(B::RecentDraws, 99));
    EXPECT_EQ(state(c, B::RecentDraws), bar(0, 42, 42, "42"));
    EXPECT_TRUE(c.setValue(B::AverageDraws, 3));
    EXPECT_EQ(state(c, B::AverageDraws), bar(14, 280, 14, "14"));
}

TEST(ForecastCriteria, CouplingRulesDragTheOtherBoundAndCascade)
{
    ForecastCriteria c;
    // Recent draws 14 -> 28 pushes the recent most bound (at 14) to 28.
    c.setValue(B::RecentDraws, 28);
    EXPECT_EQ(state(c, B::RecentMax), bar(0, 42, 28, "28"));
    // Average draws 28 -> 40 pushes the average most bound, and only that one.
    const auto averageMin = state(c, B::AverageMin);
    c.setValue(B::AverageDraws, 40);
    EXPECT_EQ(state(c, B::AverageMax), bar(0, 280, 40, "40"));
    EXPECT_EQ(state(c, B::AverageMin), averageMin);
    // A fewest bound above its most bound drags the latter up...
    c.setValue(B::RecentMin, 35);
    EXPECT_EQ(state(c, B::RecentMax), bar(0, 42, 35, "35"));
    // ...and a most bound below its fewest bound drags the latter down.
    c.setValue(B::RecentMax, 10);
    EXPECT_EQ(state(c, B::RecentMin), bar(0, 42, 10, "10"));
    c.setValue(B::AverageMin, 100);
    EXPECT_EQ(state(c, B::AverageMax), bar(0, 280, 100, "100"));
    c.setValue(B::AverageMax, 50);
    EXPECT_EQ(state(c, B::AverageMin), bar(0, 280, 50, "50"));
    c.setValue(B::GapMin, 60);
    EXPECT_EQ(state(c, B::GapMax), bar(0, 100, 100, "100")); // 60 < 100: no rule
    c.setValue(B::GapMax, 40);
    EXPECT_EQ(state(c, B::GapMin), bar(0, 100, 40, "40"));
    c.setValue(B::GapMin, 70);
    EXPECT_EQ(state(c, B::GapMax), bar(0, 100, 70, "70"));
    // General draws has no rule.
    c.setValue(B::GeneralDraws, 10);
    EXPECT_EQ(state(c, B::GeneralMax), bar(0, 3270, 0, "3000"));
}

TEST(ForecastCriteria, GeneralFewestCopiesItsMaximumToTheMostBound)
{
    ForecastCriteria c;
    c.setMaximum(B::GeneralMax, 100);
    c.setValue(B::GeneralMin, 500);
    EXPECT_EQ(state(c, B::GeneralMax), bar(0, 3270, 500, "500"));
    // The chain through a clamped move: the most bound cannot follow past its own maximum.
    ForecastCriteria d;
    d.setMaximum(B::RecentMax, 20);
    d.setValue(B::RecentMin, 30); // most bound clamped at 20, which drags the fewest bound back
    EXPECT_EQ(state(d, B::RecentMax), bar(0, 20, 20, "20"));
    EXPECT_EQ(state(d, B::RecentMin), bar(0, 42, 20, "20"));
}

TEST(ForecastCriteria, BoundsPushingThePositionAreAChangeAndReversedRangesHoldIt)
{
    ForecastCriteria c;
    c.setMaximum(B::GapMax, 12); // 100 -> 12 is a move: label and rule
    EXPECT_EQ(state(c, B::GapMax), bar(0, 12, 12, "12"));
    c.setValue(B::GapMin, 12);
    c.setMaximum(B::GapMin, 5); // 12 -> 5, the rule of the smallest gap: 5 < 12, nothing
    EXPECT_EQ(state(c, B::GapMin), bar(0, 5, 5, "5"));

    // A minimum above the maximum: the position stays between the two values.
    ForecastCriteria r;
    r.setMinimum(B::GeneralMax, 50);
    EXPECT_EQ(state(r, B::GeneralMax), bar(50, 3270, 50, "50"));
    r.setMaximum(B::GeneralMax, 30);
    EXPECT_EQ(state(r, B::GeneralMax), bar(50, 30, 50, "50")); // 50 lies in 30..50
    r.setValue(B::GeneralMax, 10);
    EXPECT_EQ(state(r, B::GeneralMax), bar(50, 30, 30, "30"));
    r.setValue(B::GeneralMax, 40);
    EXPECT_EQ(state(r, B::GeneralMax), bar(50, 30, 40, "40"));
    r.setMinimum(B::GeneralMax, 35); // range 30..35: 40 goes to the nearer bound
    EXPECT_EQ(state(r, B::GeneralMax), bar(35, 30, 35, "35"));
}

TEST(ForecastCriteria, RangesAfterLoadRankingsClickAndEntry)
{
    ForecastCriteria c;
    c.updateAfterLoad(101, statsWith(2, 3, 7, 12));
    EXPECT_EQ(state(c, B::GeneralDraws), bar(0, 100, 100, "100"));
    // The fewest bound moving to 2 passed the most bound (0): the most bound took 3270 then 2,
    // before its own range became 2..4.
    EXPECT_EQ(state(c, B::GeneralMin), bar(2, 4, 2, "2"));
    EXPECT_EQ(state(c, B::GeneralMax), bar(2, 4, 3, "3"));
    EXPECT_EQ(state(c, B::GapMin), bar(0, 7, 0, "0"));
    EXPECT_EQ(state(c, B::GapMax), bar(0, 12, 12, "12"));

    // Every number at the same count c: both general bounds range from c to c + 1.
    ForecastCriteria equal;
    equal.updateAfterLoad(8, statsWith(2, 2, 0, 1));
    EXPECT_EQ(state(equal, B::GeneralMin), bar(2, 3, 2, "2"));
    EXPECT_EQ(state(equal, B::GeneralMax), bar(2, 3, 2, "2"));

    // A ranking over a short period can set the most bound's maximum below its minimum.
    ForecastCriteria s;
    s.updateAfterLoad(3001, statsWith(50, 60, 0, 1));
    EXPECT_EQ(state(s, B::GeneralMax), bar(50, 61, 60, "60"));
    s.updateAfterSorties(statsWith(20, 30, 0, 1));
    EXPECT_EQ(state(s, B::GeneralMax), bar(50, 30, 50, "50"));
    EXPECT_EQ(state(s, B::GeneralMin), bar(50, 61, 50, "50"));
    s.setValue(B::GeneralMax, 40); // drags the fewest bound, which cannot go below 50
    EXPECT_EQ(state(s, B::GeneralMin), bar(50, 61, 50, "50"));

    ForecastCriteria e;
    e.updateAfterEcartsMax(statsWith(2, 3, 7, 25));
    EXPECT_EQ(state(e, B::GapMax), bar(0, 25, 25, "25"));
    e.updateAfterListClick(50, 49);
    EXPECT_EQ(state(e, B::GeneralDraws), bar(0, 50, 49, "49"));
    e.updateAfterEntry(51);
    EXPECT_EQ(state(e, B::GeneralDraws), bar(0, 52, 51, "51"));
    EXPECT_EQ(state(e, B::GeneralMax), bar(0, 3271, 0, "3000"));
}

TEST(ForecastCriteria, OlderNamesStillReachTheSameBars)
{
    CriteriaRanges c;
    c[3].setMaximum(10);
    c[3].setValue(10);
    c[11].setMaximum(c[11].maximum + 1);
    ScrollBarState& recent = c[1];
    recent.setValue(30); // the rule still runs through the owner
    EXPECT_EQ(state(c, B::RecentMax), bar(0, 42, 30, "30"));
    EXPECT_EQ(state(c, B::GeneralDraws), bar(0, 10, 10, "10"));
    // A copy couples its own bars, not those it was copied from.
    CriteriaRanges copy = c;
    copy[6].setValue(40);
    EXPECT_EQ(state(copy, B::RecentMax), bar(0, 42, 40, "40"));
    EXPECT_EQ(state(c, B::RecentMax), bar(0, 42, 30, "30"));
    c = copy;
    c[7].setValue(5);
    EXPECT_EQ(state(c, B::RecentMin), bar(0, 42, 5, "5"));
    EXPECT_EQ(state(copy, B::RecentMin), bar(0, 42, 40, "40"));

    // A bar copied out is free-standing: moving it changes nothing in the criteria.
    CriteriaScrollBar loose = c[1];
    loose.setValue(41);
    EXPECT_EQ(loose.label, QStringLiteral("41"));
    EXPECT_EQ(state(c, B::RecentDraws), bar(0, 42, 30, "30"));
    EXPECT_EQ(state(c, B::RecentMax), bar(0, 42, 5, "5"));
}

TEST(ForecastCriteriaFile, DesignTimeFileSaveThenResetKeepsGeneralBounds)
{
    QTemporaryDir dir;
    const QString path = ForecastCriteria::filePath(dir.path());
    EXPECT_EQ(path, dir.path() + QStringLiteral("/Varn/tiravol.cfg"));
    ForecastCriteria c;
    QString error;
    ASSERT_TRUE(c.save(path, &error)) << error.toStdString();
    EXPECT_EQ(readFile(path), kDesignFile);

    c.setValue(B::RecentDraws, 20);
    c.setValue(B::GapMax, 50);
    c.setValue(B::AverageMin, 30);
    ASSERT_TRUE(c.save(path, &error));
    EXPECT_EQ(readFile(path),
              QByteArray("0,42,20\r\n14,280,28\r\n0,3200,3000\r\n0,100,0\r\n0,100,50\r\n0,42,0\r\n0,42,20\r\n"
                         "0,280,30\r\n0,280,30\r\n0,3270\r\n0,3270\r\n"));

    c.setValue(B::RecentDraws, 40);
    c.setValue(B::GapMax, 10);
    c.setValue(B::GeneralMin, 77);
    c.setMinimum(B::GeneralMax, 5);
    EXPECT_EQ(c.chargeConf(path), QString());
    EXPECT_EQ(state(c, B::RecentDraws), bar(0, 42, 20, "20"));
    EXPECT_EQ(state(c, B::RecentMax), bar(0, 42, 20, "20"));
    EXPECT_EQ(state(c, B::GapMax), bar(0, 100, 50, "50"));
    EXPECT_EQ(state(c, B::AverageMin), bar(0, 280, 30, "30"));
    EXPECT_EQ(state(c, B::AverageMax), bar(0, 280, 30, "30"));
    // Lines 10 and 11 are not read: the general bounds keep their current values.
    EXPECT_EQ(state(c, B::GeneralMin), bar(0, 3270, 77, "77"));
    EXPECT_EQ(state(c, B::GeneralMax), bar(5, 3270, 77, "77"));
}

TEST(ForecastCriteriaFile, LoadSetsLabelsOfTheBoundsEvenWithoutAMove)
{
    ForecastCriteria c;
    EXPECT_EQ(c.chargeConfFrom(kDesignFile), QString());
    EXPECT_EQ(state(c, B::AverageMin), bar(0, 280, 14, "14")); // position unchanged, label set
    EXPECT_EQ(state(c, B::GeneralMax), bar(0, 3270, 0, "3000"));
    EXPECT_EQ(state(c, B::GeneralDraws), bar(0, 3200, 3000, "3000"));

    // Lines load in order, each running the rules: line 1 drags HScroll7 to 30, line 7 then sets it.
    ForecastCriteria d;
    QByteArray file = kDesignFile;
    file.replace("0,42,14\r\n14,280", "0,42,30\r\n14,280");
    file.replace("0,42,0\r\n0,42,14\r\n", "0 42 0\r\n0 , 42 , 20\r\n"); // spaces are separators too
    EXPECT_EQ(d.chargeConfFrom(file), QString());
    EXPECT_EQ(state(d, B::RecentDraws), bar(0, 42, 30, "30"));
    EXPECT_EQ(state(d, B::RecentMax), bar(0, 42, 20, "20"));
}

TEST(ForecastCriteriaFile, BadFilesKeepTheCriteriaAsTheyStandOrTakeNearestValuesWithOneMessage)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/tiravol.cfg");

    // No file: nothing changes and nothing is said (the load's ranges stay, bounds included).
    ForecastCriteria missing;
    missing.updateAfterLoad(101, statsWith(2, 3, 7, 12));
    const ForecastCriteria loaded = missing;
    EXPECT_EQ(missing.chargeConf(path), QString());
    for (int i = 1; i <= kCriterionBarCount; ++i)
        EXPECT_EQ(state(missing, static_cast<B>(i)), state(loaded, static_cast<B>(i))) << i;
    EXPECT_FALSE(QFile::exists(path)); // nothing written by a load

    // Short: the lines present load, the others stay as they stand.
    writeFile(path, "0,42,5\r\n20,100,30\r\n");
    ForecastCriteria shortFile;
    shortFile.setValue(B::GapMin, 40);
    EXPECT_FALSE(shortFile.chargeConf(path).isEmpty());
    EXPECT_EQ(state(shortFile, B::RecentDraws), bar(0, 42, 5, "5"));
    EXPECT_EQ(state(shortFile, B::AverageDraws), bar(20, 100, 30, "30"));
    EXPECT_EQ(state(shortFile, B::GapMin), bar(0, 100, 40, "40"));
    EXPECT_EQ(readFile(path), QByteArray("0,42,5\r\n20,100,30\r\n"));

    // Not numeric, too few numbers, a position outside its range.
    QByteArray bad = kDesignFile;
    bad.replace("0,3200,3000", "0,abc,3000");
    bad.replace("0,100,100", "0,100");
    bad.replace("0,42,0\r\n", "0,42,99\r\n");
    ForecastCriteria b;
    b.setValue(B::GeneralDraws, 7);
    b.setValue(B::GapMax, 60);
    const QString badMsg = b.chargeConfFrom(bad);
    EXPECT_FALSE(badMsg.isEmpty());
    EXPECT_FALSE(badMsg.contains(QLatin1Char('\n')));
    EXPECT_EQ(state(b, B::GeneralDraws), bar(0, 3200, 7, "7"));
    EXPECT_EQ(state(b, B::GapMax), bar(0, 100, 60, "60"));
    // 99 -> 42 drags the most bound to 42; line 7 then sets it to 14, which drags this one down.
    EXPECT_EQ(state(b, B::RecentMin), bar(0, 42, 14, "14"));
    EXPECT_EQ(state(b, B::RecentMax), bar(0, 42, 14, "14"));

    // Empty and binary files never crash.
    ForecastCriteria e;
    EXPECT_FALSE(e.chargeConfFrom(QByteArray()).isEmpty());
    EXPECT_FALSE(e.chargeConfFrom(QByteArray("\xff\xfe\x00\x01\r\n,,,\r\n", 10)).isEmpty());
    EXPECT_EQ(state(e, B::RecentDraws), bar(0, 42, 14, "14"));

    // A reversed range within the bar's limits reads back without complaint.
    ForecastCriteria rev;
    EXPECT_EQ(rev.chargeConfFrom(QByteArray(kDesignFile).replace("0,3200,3000", "3200,0,100")), QString());
    EXPECT_EQ(state(rev, B::GeneralDraws), bar(3200, 0, 100, "100"));
}

TEST(ForecastCriteriaFile, ValuesOutsideTheirBarAreBroughtWithinItAndEveryLineAtFaultIsNamed)
{
    QByteArray file = kDesignFile;
    file.replace("14,280,28", "-5 280 -10"); // line 2: an average form of fewer than 14 draws
    file.replace("0,100,0", "0,100,-3"); // line 4
    file.replace("0,280,28\r\n0,3270", "0,999,500\r\n0,3270"); // line 9
    file.replace("0,42,0", "x"); // line 6
    ForecastCriteria c;
    // The gap bars reach as far as the history took them.
    c.setMaximum(CriterionBar::GapMin, 150);
    const QString msg = c.chargeConfFrom(file);
    EXPECT_EQ(msg,
              QStringLiteral("Fichier des critères illisible à la ligne 6 : les critères de cette ligne restent tels "
                             "qu'ils étaient. Fichier des critères : valeurs hors des limites des barres aux lignes 2, "
                             "4 et 9, ramenées aux bornes les plus proches."));
    EXPECT_EQ(state(c, B::AverageDraws), bar(14, 280, 14, "14"));
    EXPECT_EQ(state(c, B::GapMin), bar(0, 100, 0, "0"));
    EXPECT_EQ(state(c, B::AverageMax), bar(0, 280, 280, "280"));
    // What "Sauver" writes then is possible again.
    EXPECT_TRUE(c.fileContent().startsWith("0,42,14\r\n14,280,14\r\n"));

    ForecastCriteria wide;
    wide.setMaximum(CriterionBar::GeneralDraws, 16948);
    EXPECT_EQ(wide.chargeConfFrom(QByteArray(kDesignFile).replace("0,3200,3000", "0,16948,16948")), QString());
    EXPECT_EQ(state(wide, B::GeneralDraws), bar(0, 16948, 16948, "16948"));
}

TEST(ForecastCriteriaFile, AReadErrorAppliesNoLineOfTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/tiravol.cfg");
    writeFile(path, kDesignFile);
    ForecastCriteria c;
    c.setValue(B::GeneralDraws, 7);
    c.setValue(B::AverageDraws, 40);
    const ForecastCriteria before = c;
    const EioFault badSector("tiravol.cfg", 30); // past the first two lines
    EXPECT_EQ(c.chargeConf(path),
              QStringLiteral("Fichier des critères illisible (le disque a signalé une erreur) : les "
                             "critères restent tels qu'ils étaient."));
    for (int i = 1; i <= kCriterionBarCount; ++i)
        EXPECT_EQ(state(c, static_cast<B>(i)), state(before, static_cast<B>(i))) << i;
}

TEST(ForecastCriteria, NewGameBoundsFromItsFiftySixNumbers)
{
    namespace ng = NewGameSupport;
    const NumberStats stats = ng::appearances(ng::randomDraws(300, 9), 0, 299);
    int fewest = 300, most = 0;
    for (int n = 1; n <= 56; ++n) {
        fewest = std::min(fewest, stats.appearances[static_cast<size_t>(n)]);
        most = std::max(most, stats.appearances[static_cast<size_t>(n)]);
    }
    ASSERT_GT(fewest, 0);
    ForecastCriteria c;
    c.updateAfterLoad(301, stats, Formula::current());
    // Numbers 57..70 never come out in this game: they must not pull the fewest bound to 0.
    EXPECT_EQ(c[B::GeneralMin].minimum, fewest);
    EXPECT_EQ(c[B::GeneralMin].value, fewest);
    EXPECT_EQ(c[B::GeneralMax].value, most);
}
