// SPDX-License-Identifier: GPL-3.0-or-later
// The rankings as the menus run them: the game's numbers in two columns, the statistics counted
// again only when stale, and the export step after the rankings that end with it.

#include "support/NewGameSupport.h"
#include "support/RankingUnits.h"
#include "support/TestSupport.h"

#include <QFile>
#include <algorithm>

using namespace TestSupport;

namespace {

class RankingCommandsTest : public RankingUnitsTest {
protected:
    // Thirty draws of the new game, the line after the twentieth selected.
    RankingCommandsTest()
    {
        m_state.history.setGame(FormulaId::Keno16of56);
        m_lines = NewGameSupport::linesOf(m_draws);
        m_lines.removeLast(); // the trailing empty item
        m_state.history.setDraws(DrawList::fromLines(m_lines));
        m_study.wholeList(m_state.history.itemCount());
        m_state.history.select(20);
    }
    QString target() const { return m_folder.filePath(QStringLiteral("rapport.txt")); }
    // The numbers of a list's lines, header aside, each checked against its count of appearances.
    QList<int> numbersShown(const ResultList& list, const NumberStats& expected) const
    {
        QList<int> numbers;
        EXPECT_EQ(list.lines.value(0), QString::fromLatin1(Rankings::kHeader));
        for (const QString& line : list.lines.mid(1)) {
            const int n = line.left(2).toInt();
            EXPECT_EQ(line.mid(3, 4).toInt(), expected.appearances[static_cast<size_t>(n)]) << line.toStdString();
            numbers << n;
        }
        return numbers;
    }

    NewGameSupport::Draws m_draws = NewGameSupport::randomDraws(30, 11);
    QStringList m_lines;
};

TEST_F(RankingCommandsTest, TheGamesNumbersAreRankedInTwoEqualColumns)
{
    m_rankings.sorties();
    const ReportModel& r = m_area.model();
    EXPECT_EQ(r.title, QStringLiteral("Classement par sorties au ") + m_lines[19].left(10));
    const NumberStats expected = NewGameSupport::appearances(m_draws, 0, 19);
    const QList<int> shown = numbersShown(r.resultat, expected) + numbersShown(r.resultat2, expected);
    EXPECT_EQ(r.resultat.count(), 29);
    EXPECT_EQ(r.resultat2.count(), 29);
    QList<int> sorted = shown;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, numberRange(1, 56));
    // Most appearances first, across both columns.
    for (int i = 1; i < shown.size(); ++i)
        EXPECT_GE(expected.appearances[static_cast<size_t>(shown[i - 1])], expected.appearances[static_cast<size_t>(shown[i])]);
}

TEST_F(RankingCommandsTest, FreshStatisticsAreShownAsTheyAreAndStaleOnesCountedAgain)
{
    // Statistics counted elsewhere for a period: the quick ranking takes them as they are.
    NumberStats made;
    made.appearances[9] = 500;
    m_study.take(StudyPeriod{0, 3}, made);
    m_rankings.srti();
    EXPECT_EQ(m_area.model().resultat.lines.value(1).left(7), QStringLiteral("09 0500"));
    // Statistics that still speak of the larger grid show the game's numbers only.
    ASSERT_EQ(made.game().numbers, 70);
    EXPECT_EQ(m_area.model().resultat2.count(), 29);
    EXPECT_EQ(m_area.model().resultat2.lines.last().left(2), QStringLiteral("56"));

    // A moved list makes them stale: the ranking counts the draws again.
    m_study.wholeList(m_state.history.itemCount());
    m_rankings.srti();
    const NumberStats counted = NewGameSupport::appearances(m_draws, 0, 29);
    numbersShown(m_area.model().resultat, counted);
    numbersShown(m_area.model().resultat2, counted);
}

TEST_F(RankingCommandsTest, OnlyTheMenusRankingsEndWithTheExportStep)
{
    m_state.window.enableExport(true);
    m_ui.saveNames.push_back(target());
    m_rankings.srti();
    EXPECT_FALSE(QFile::exists(target()));
    m_rankings.ecarts();
    EXPECT_TRUE(QFile::exists(target()));
    EXPECT_EQ(m_area.model().title, QStringLiteral("Classement par écarts au ") + m_lines[19].left(10));
}

} // namespace
