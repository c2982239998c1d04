// SPDX-License-Identifier: GPL-3.0-or-later
// The draw list with what must follow it: the matrix, the line chosen, what a save may write.
#include "shell/History.h"

#include "history/DrawLine.h"
#include "support/TestSupport.h"

using namespace TestSupport;

namespace {

class HistoryTest : public ::testing::Test {
protected:
    HistoryTest() { m_history.loaded(DrawList::fromLines(m_lines), QByteArrayLiteral("read"), true); }

    // Every item of the list has its column in the matrix, and the trailing one too.
    void expectMatrixFollowsList() const
    {
        const DrawMatrix& matrix = m_history.matrix();
        ASSERT_EQ(matrix.columns(), m_history.itemCount() + 1);
        for (int d = 0; d < m_history.list().drawCount(); ++d)
            for (int k = 1; k <= m_history.game().drawn; ++k)
                EXPECT_TRUE(matrix.contains(DrawLine::number(m_history.lineText(d), k), d)) << d;
    }
    static std::array<bool, Formula::kMaxNumber + 1> ticksOf(const QString& line)
    {
        std::array<bool, Formula::kMaxNumber + 1> ticks{};
        for (int k = 1; k <= Formula::classic().drawn; ++k)
            ticks[static_cast<size_t>(DrawLine::number(line, k))] = true;
        return ticks;
    }

    const QStringList m_lines = makeHistory(12, QDate(2024, 4, 1));
    const QStringList m_more = makeHistory(14, QDate(2024, 4, 1), 9);
    History m_history;
};

TEST_F(HistoryTest, ALoadChoosesTheLastLineAndLeavesNothingPending)
{
    EXPECT_EQ(m_history.drawLines(), m_lines);
    EXPECT_EQ(m_history.selected(), m_history.itemCount() - 1);
    EXPECT_TRUE(m_history.workingFileIs(QByteArrayLiteral("read")));
    expectMatrixFollowsList();

    m_history.enterDraw(3, m_more[3], ticksOf(m_more[3]));
    m_history.loaded(DrawList::fromLines(m_lines), QByteArrayLiteral("base"), false);
    EXPECT_FALSE(m_history.unsavedCorrection());
    EXPECT_TRUE(m_history.replacedLines().isEmpty());
    // Another file than the working history says nothing of what the working file holds.
    EXPECT_TRUE(m_history.workingFileIs(QByteArrayLiteral("read")));
}

TEST_F(HistoryTest, ADrawTypedInKeepsTheMatrixAndTheRevisionInStep)
{
    const int revision = m_history.revision();
    const QString added = m_more.last();
    m_history.enterDraw(m_history.itemCount() - 1, added, ticksOf(added));
    EXPECT_EQ(m_history.list().drawCount(), m_lines.size() + 1);
    EXPECT_EQ(m_history.lineText(m_lines.size()), added);
    EXPECT_GT(m_history.revision(), revision);
    EXPECT_TRUE(m_history.unsavedCorrection());
    expectMatrixFollowsList();
    EXPECT_TRUE(m_history.replacedLines().isEmpty());

    // A correction records the line it replaces, and clears what the old numbers marked.
    m_history.setEditOldest(true);
    const QString before = m_history.lineText(0);
    m_history.enterDraw(0, m_more[0], ticksOf(m_more[0]));
    EXPECT_FALSE(m_history.editingOldest());
    EXPECT_EQ(m_history.replacedLines(), (QSet<QString>{before}));
    for (int n = 1; n <= Formula::classic().numbers; ++n)
        EXPECT_EQ(m_history.matrix().contains(n, 0), ticksOf(m_more[0])[static_cast<size_t>(n)]) << n;

    // The same line again is no correction of the player's.
    m_history.enterDraw(1, m_lines[1], ticksOf(m_lines[1]));
    EXPECT_EQ(m_history.replacedLines().size(), 1);
}

TEST_F(HistoryTest, AFilterHidesTheWholeHistoryWhichNewDrawsThenJoin)
{
    DrawList kept;
    for (int d = 0; d < 4; ++d)
        kept.append(m_lines[d]);
    m_history.filter(DrawList::fromLines(m_lines), kept);
    EXPECT_EQ(m_history.origin(), ListOrigin::Filtered);
    EXPECT_EQ(m_history.list().drawCount(), 4);
    EXPECT_EQ(m_history.fullHistory().toStringList(), m_lines);
    expectMatrixFollowsList();

    // The list stays as the player filtered it; the history it hides grows.
    const int revision = m_history.revision();
    m_history.grow(DrawList::fromLines(m_more));
    EXPECT_EQ(m_history.revision(), revision);
    EXPECT_EQ(m_history.list().drawCount(), 4);
    EXPECT_EQ(m_history.fullHistory().toStringList(), m_more);

    // A write keeps the filter; a new load ends it.
    m_history.written(QByteArrayLiteral("saved"));
    EXPECT_EQ(m_history.origin(), ListOrigin::Filtered);
    m_history.loaded(DrawList::fromLines(m_lines), QByteArrayLiteral("read"), true);
    m_history.setOrigin(ListOrigin::Working);
    m_history.grow(DrawList::fromLines(m_more));
    EXPECT_EQ(m_history.drawLines(), m_more);
    expectMatrixFollowsList();
}

TEST_F(HistoryTest, AWriteMakesTheBaseAndArchiveTheWorkingHistory)
{
    m_history.setOrigin(ListOrigin::BaseWithArchive);
    m_history.enterDraw(2, m_more[2], ticksOf(m_more[2]));
    m_history.written(QByteArrayLiteral("saved"));
    EXPECT_EQ(m_history.origin(), ListOrigin::Working);
    EXPECT_TRUE(m_history.replacedLines().isEmpty());
    EXPECT_TRUE(m_history.workingFileIs(QByteArrayLiteral("saved")));

    // Only the file this list was read from follows this program's own rewrite of it.
    m_history.workingFileRewritten(QByteArrayLiteral("other"), QByteArrayLiteral("new"));
    EXPECT_TRUE(m_history.workingFileIs(QByteArrayLiteral("saved")));
    m_history.workingFileRewritten(QByteArrayLiteral("saved"), QByteArrayLiteral("new"));
    EXPECT_TRUE(m_history.workingFileIs(QByteArrayLiteral("new")));
}

TEST_F(HistoryTest, AnotherGameStartsFromAnEmptyListOfIt)
{
    m_history.filter(DrawList::fromLines(m_lines), DrawList::fromLines(m_lines.mid(0, 2)));
    m_history.enterDraw(1, m_more[1], ticksOf(m_more[1]));
    m_history.keptBeside(QStringLiteral("/tmp/beside.txt"), QByteArrayLiteral("disk"));
    m_history.multipliers().set(QDate(2020, 1, 1), 0, 3);
    const int revision = m_history.revision();
    m_history.playGame(FormulaId::Keno16of56);
    EXPECT_TRUE(m_history.multipliers().isEmpty()); // never written into the other game's file
    EXPECT_GT(m_history.revision(), revision);
    EXPECT_EQ(m_history.list().formulaId(), FormulaId::Keno16of56);
    EXPECT_EQ(m_history.matrix().formula().numbers, Formula::current().numbers);
    EXPECT_EQ(m_history.list().drawCount(), 0);
    EXPECT_EQ(m_history.origin(), ListOrigin::Working);
    EXPECT_TRUE(m_history.fullHistory().isEmpty());
    EXPECT_FALSE(m_history.unsavedCorrection());
    EXPECT_TRUE(m_history.replacedLines().isEmpty());
    EXPECT_TRUE(m_history.conflictPath().isEmpty());
    expectMatrixFollowsList();
}

} // namespace
