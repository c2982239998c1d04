// SPDX-License-Identifier: GPL-3.0-or-later
// The report area: the marks the grid and the person leave on the result lists, the walks'
// records, and what each change announces.
#include "shell/ReportArea.h"

#include "output/Report.h"
#include "shell/StateChanges.h"
#include "support/TestSupport.h"

#include <algorithm>

using namespace TestSupport;

namespace {

using Ticks = std::array<bool, Formula::kMaxNumber + 1>;

Ticks ticksOf(std::initializer_list<int> numbers)
{
    Ticks ticked{};
    for (int n : numbers)
        ticked[static_cast<size_t>(n)] = true;
    return ticked;
}

// Which lines of `list` are selected, as one flag a line.
QList<bool> marks(const ResultList& list)
{
    QList<bool> flags;
    for (int i = 0; i < list.count(); ++i)
        flags << list.isSelected(i);
    return flags;
}

class ReportAreaTest : public ::testing::Test {
protected:
    // Both lists replaced by these lines, nothing selected.
    void fill(const QStringList& left, const QStringList& right)
    {
        Report report = Report::ownTitle(QStringLiteral("Classement"));
        report.resultat = ReportList::replacedBy(left);
        report.resultat2 = ReportList::replacedBy(right);
        m_area.apply(report);
        m_parts = 0;
    }
    void select(int list, std::initializer_list<int> indexes)
    {
        for (int i : indexes)
            m_area.setSelected(list, i, true);
        m_parts = 0;
    }
    const ResultList& left() const { return m_area.model().resultat; }
    const ResultList& right() const { return m_area.model().resultat2; }

    unsigned m_parts = 0;
    StateChanges m_changes{[this](unsigned parts) { m_parts |= parts; }};
    ReportArea m_area{m_changes};
};

TEST_F(ReportAreaTest, ReperageSelectsTheTickedNumbersOfBothListsAndUnselectsTheOthers)
{
    // The headers begin with a number too: they are titles all the same.
    fill({QStringLiteral("07 premiers"), QStringLiteral("07 0012   03    0015"), QStringLiteral(" 7 0011   02    0014"),
          QStringLiteral("13 0010   01    0013"), QStringLiteral("Dizaine 1 :  4"), QStringLiteral("Dizaine 2 :  5")},
         {QStringLiteral("13 derniers"), QStringLiteral("40 0009   04    0012"), QStringLiteral("0412 ..."),
          QStringLiteral("12 0008   05    0011")});
    select(1, {3, 4});
    select(2, {0, 2});
    m_area.markNumbers(ticksOf({7, 12, 40}), Formula::classic().numbers);
    // A blank or a zero before 7 is number 7; the lines without a number keep their marks.
    EXPECT_EQ(marks(left()), (QList<bool>{false, true, true, false, true, false}));
    // Only the first two characters count: "0412" is number 4.
    EXPECT_EQ(marks(right()), (QList<bool>{true, true, false, true}));
    EXPECT_EQ(m_parts, unsigned(StatePart::ReportPart));
}

TEST_F(ReportAreaTest, ReperageLeavesTheLinesBeyondTheGamesNumbers)
{
    // Boxes 57 and 60 of the larger grid may still be ticked after a change of game.
    fill({QStringLiteral("Num Sorti Ecart  EcartMax"), QStringLiteral("56 0003   01    0009"),
          QStringLiteral("57 0004   02    0008"), QStringLiteral("60 0005   03    0007"), QStringLiteral("-5 tirages")},
         {QStringLiteral("Num Sorti Ecart  EcartMax")});
    select(1, {3, 4});
    m_area.markNumbers(ticksOf({56, 57}), Formula::current().numbers);
    EXPECT_EQ(marks(left()), (QList<bool>{false, true, false, true, true}));
}

TEST_F(ReportAreaTest, ReperageOnAnEmptyLeftListTouchesNeitherList)
{
    fill({},
         {QStringLiteral("Num Sorti Ecart  EcartMax"), QStringLiteral("07 0012   03    0015"),
          QStringLiteral("08 0011   02    0014")});
    select(2, {2});
    m_area.markNumbers(ticksOf({7}), Formula::classic().numbers);
    EXPECT_EQ(marks(right()), (QList<bool>{false, false, true}));
}

TEST_F(ReportAreaTest, AClickOnTheDrawListClearsTheFirstSeventyMarksOfALongLeftListOnly)
{
    auto lines = [](int count) {
        QStringList l;
        for (int i = 0; i < count; ++i)
            l << QString::number(i);
        return l;
    };
    auto selectEverything = [this] {
        m_area.selectAll();
        m_parts = 0;
    };
    auto unselected = [this](int list) {
        const QList<bool> flags = marks(list == 1 ? left() : right());
        return static_cast<int>(std::count(flags.begin(), flags.end(), false));
    };

    fill(lines(68), lines(80));
    selectEverything();
    m_area.clearRankingMarks(70);
    EXPECT_EQ(unselected(1), 0);

    fill(lines(69), lines(80));
    selectEverything();
    m_area.clearRankingMarks(70);
    EXPECT_EQ(unselected(1), 69);
    EXPECT_EQ(unselected(2), 0);

    fill(lines(75), lines(80));
    selectEverything();
    m_area.clearRankingMarks(70);
    EXPECT_EQ(marks(left()).mid(0, 70), QList<bool>(70, false));
    EXPECT_EQ(marks(left()).mid(70), QList<bool>(5, true));
    EXPECT_EQ(unselected(2), 0);
    EXPECT_EQ(m_parts, unsigned(StatePart::ReportPart));

    // The new game's full ranking: 55 lines and more, the first 56 unmarked.
    fill(lines(54), lines(80));
    selectEverything();
    m_area.clearRankingMarks(56);
    EXPECT_EQ(unselected(1), 0);
    fill(lines(60), lines(80));
    selectEverything();
    m_area.clearRankingMarks(56);
    EXPECT_EQ(marks(left()).mid(0, 56), QList<bool>(56, false));
    EXPECT_EQ(marks(left()).mid(56), QList<bool>(4, true));
}

TEST_F(ReportAreaTest, ThePersonsSelectionGoesToTheListNamed)
{
    fill({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, {QStringLiteral("x"), QStringLiteral("y")});
    m_area.setSelected(2, 1, true);
    EXPECT_EQ(marks(left()), (QList<bool>{false, false, false}));
    EXPECT_EQ(marks(right()), (QList<bool>{false, true}));
    m_area.setSelected(1, 2, true);
    EXPECT_EQ(marks(left()), (QList<bool>{false, false, true}));
    EXPECT_EQ(m_parts, unsigned(StatePart::ReportPart));

    m_parts = 0;
    m_area.selectAll();
    EXPECT_EQ(marks(left()), QList<bool>(3, true));
    EXPECT_EQ(marks(right()), QList<bool>(2, true));
    EXPECT_EQ(m_parts, unsigned(StatePart::ReportPart));

    // Each list loses only the lines named for it.
    m_parts = 0;
    m_area.unselect({0, 2}, {1});
    EXPECT_EQ(marks(left()), (QList<bool>{false, true, false}));
    EXPECT_EQ(marks(right()), (QList<bool>{true, false}));
    EXPECT_EQ(m_parts, unsigned(StatePart::ReportPart));
}

TEST_F(ReportAreaTest, AWalksRecordsReplaceTheLeftListWithTheNewestSelected)
{
    fill({QStringLiteral("ancien")}, {QStringLiteral("droite")});
    const QStringList two{QStringLiteral("record 1"), QStringLiteral("record 2")};
    m_area.showRecords(two);
    EXPECT_EQ(left().lines, two);
    EXPECT_EQ(marks(left()), (QList<bool>{false, true}));
    EXPECT_EQ(right().lines, QStringList{QStringLiteral("droite")});
    EXPECT_EQ(m_parts, unsigned(StatePart::ReportPart));

    // The same records again leave the marks the person made meanwhile.
    m_area.setSelected(1, 0, true);
    m_area.showRecords(two);
    EXPECT_EQ(marks(left()), (QList<bool>{true, true}));

    m_area.showRecords(two + QStringList{QStringLiteral("record 3")});
    EXPECT_EQ(marks(left()), (QList<bool>{false, false, true}));
    m_area.addLine(QStringLiteral("fin"));
    EXPECT_EQ(left().lines.last(), QStringLiteral("fin"));
    EXPECT_EQ(marks(left()), (QList<bool>{false, false, true, false}));

    m_area.showRecords({});
    EXPECT_EQ(left().count(), 0);
}

TEST_F(ReportAreaTest, TheBusyIndicatorIsAnnouncedWithWhatMovesIt)
{
    m_area.showBusy(QStringLiteral("Calcul en cours"));
    EXPECT_TRUE(m_area.model().busy);
    EXPECT_EQ(m_area.model().status, QStringLiteral("Calcul en cours"));
    EXPECT_EQ(m_parts, unsigned(StatePart::BusyPart | StatePart::ReportPart));

    m_parts = 0;
    m_area.hideBusy();
    EXPECT_FALSE(m_area.model().busy);
    EXPECT_EQ(m_parts, unsigned(StatePart::BusyPart));

    // A report that hid the left list; a manual entry shows it again.
    Report hiding = Report::keptTitle(QStringLiteral("Saisie"));
    hiding.resultat = ReportList::hidden();
    m_area.apply(hiding);
    ASSERT_FALSE(m_area.model().resultat.visible);
    m_parts = 0;
    m_area.showResultat();
    EXPECT_TRUE(m_area.model().resultat.visible);
    EXPECT_EQ(m_parts, unsigned(StatePart::ReportPart));
}

} // namespace
