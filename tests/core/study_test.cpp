// SPDX-License-Identifier: GPL-3.0-or-later
// The study: how the period moves and when its statistics go stale.
#include "shell/Study.h"

#include "history/DrawMatrix.h"
#include "support/TestSupport.h"

using namespace TestSupport;

namespace {

TEST(Study, AClickCountsAtMostTheGivenNumberOfDrawsBeforeIt)
{
    Study study;
    study.followClick(10, 4);
    EXPECT_EQ(study.period().first, 6);
    EXPECT_EQ(study.period().last, 9);
    // Near the top of the list the period starts at the first draw.
    study.followClick(3, 4);
    EXPECT_EQ(study.period().first, 0);
    EXPECT_EQ(study.period().last, 2);
}

TEST(Study, OnlyAMovedListMakesTheStatisticsStale)
{
    const QStringList history = makeHistory(30);
    const int itemCount = static_cast<int>(history.size()) + 1; // the trailing empty item
    DrawMatrix matrix = matrixOf(history + QStringList{QString()});
    matrix.resize(itemCount + 1); // as Calcul sizes it
    Study study;
    study.wholeList(itemCount);
    EXPECT_EQ(study.period().first, 0);
    EXPECT_EQ(study.period().last, 29);
    EXPECT_FALSE(study.statsValid());
    study.count(matrix);
    EXPECT_TRUE(study.statsValid());
    EXPECT_EQ(study.stats(), referenceStats(history, 0, 29));

    // Moving the end alone keeps the statistics: the rankings count only stale ones.
    study.endAt(19);
    EXPECT_TRUE(study.statsValid());
    EXPECT_EQ(study.period().last, 19);
    study.count(matrix);
    EXPECT_EQ(study.stats(), referenceStats(history, 0, 19));

    study.followClick(25, 10);
    EXPECT_FALSE(study.statsValid());
    study.take(StudyPeriod{2, 5}, referenceStats(history, 2, 5));
    EXPECT_TRUE(study.statsValid());
    EXPECT_EQ(study.period().first, 2);
    EXPECT_EQ(study.stats(), referenceStats(history, 2, 5));
}

} // namespace
