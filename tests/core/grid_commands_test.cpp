// SPDX-License-Identifier: GPL-3.0-or-later
// The grid of number boxes: the count, the buttons it enables, and the boxes of the game played.
#include "shell/GridCommands.h"

#include "output/Report.h"
#include "shell/ReportArea.h"
#include "shell/StateChanges.h"
#include "shell/WorkspaceState.h"
#include "support/TestSupport.h"

#include <algorithm>

using namespace TestSupport;

namespace {

class GridCommandsTest : public ::testing::TestWithParam<FormulaId> {
protected:
    GridCommandsTest() { m_state.history.setGame(GetParam()); }
    int ticked() const { return static_cast<int>(std::count(m_grid.checks().begin(), m_grid.checks().end(), true)); }
    void tick(std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            m_grid.setCheck(n, true);
    }

    WorkspaceState m_state;
    unsigned m_parts = 0;
    StateChanges m_changes{[this](unsigned parts) { m_parts |= parts; }};
    ReportArea m_area{m_changes};
    GridCommands m_grid{m_state.history, m_state.window, m_area, m_changes};
};

// The game's figures written here: twenty of seventy, sixteen of fifty-six.
int drawnOf(FormulaId id)
{
    return id == FormulaId::Keno20of70 ? 20 : 16;
}
int numbersOf(FormulaId id)
{
    return id == FormulaId::Keno20of70 ? 70 : 56;
}

TEST_P(GridCommandsTest, OkWaitsForExactlyTheGamesDrawAndEffacerStaysOnceEnabled)
{
    const int drawn = drawnOf(GetParam());
    for (int n = 1; n <= drawn + 1; ++n) {
        m_parts = 0;
        m_grid.setCheck(n, true);
        EXPECT_EQ(m_state.window.counters().text1, QString::number(n));
        EXPECT_EQ(m_grid.okEnabled(), n == drawn) << n;
        EXPECT_EQ(m_grid.annulerEnabled(), n >= drawn) << n;
        EXPECT_EQ(m_parts, unsigned(StatePart::GridPart | StatePart::CountersPart)) << n;
    }
    EXPECT_EQ(m_state.window.counters().label2, QStringLiteral("Nombre de numéros"));

    // Back to a full grid, then a validated entry: OK waits for the next one.
    m_grid.setCheck(1, false);
    EXPECT_TRUE(m_grid.okEnabled());
    m_grid.disableOk();
    EXPECT_FALSE(m_grid.okEnabled());
    EXPECT_TRUE(m_grid.annulerEnabled());
    m_grid.setCheck(2, false);
    EXPECT_FALSE(m_grid.okEnabled());
    EXPECT_TRUE(m_grid.annulerEnabled());
}

TEST_P(GridCommandsTest, OnlyAChangeOfABoxOfTheGameCounts)
{
    const int numbers = numbersOf(GetParam());
    tick({5});
    m_parts = 0;
    tick({5});
    m_grid.setCheck(6, false);
    EXPECT_EQ(m_parts, 0u);

    // No box 0, none beyond the game's numbers.
    tick({0, numbers + 1, Formula::kMaxNumber + 1});
    EXPECT_EQ(ticked(), 1);
    EXPECT_EQ(m_state.window.counters().text1, QStringLiteral("1"));
    EXPECT_EQ(m_parts, 0u);
    tick({numbers});
    EXPECT_EQ(ticked(), 2);
}

TEST_P(GridCommandsTest, ToutCocherTicksExactlyTheGamesNumbers)
{
    const int numbers = numbersOf(GetParam());
    m_grid.toutCocher();
    EXPECT_EQ(m_grid.chosenNumbers(), numberRange(1, numbers));
    EXPECT_EQ(ticked(), numbers);
    EXPECT_EQ(m_state.window.counters().text1, QString::number(numbers));
    EXPECT_FALSE(m_grid.okEnabled());
}

TEST_P(GridCommandsTest, TheChosenNumbersComeInAscendingOrder)
{
    const int numbers = numbersOf(GetParam());
    tick({33, numbers, 5, 12, 1});
    EXPECT_EQ(m_grid.chosenNumbers(), (QList<int>{1, 5, 12, 33, numbers}));
}

INSTANTIATE_TEST_SUITE_P(BothGames, GridCommandsTest, ::testing::Values(FormulaId::Keno20of70, FormulaId::Keno16of56));

class GridAfterAChangeOfGame : public ::testing::Test {
protected:
    // Boxes 7, 40 and 60 ticked in the classic game, then the new game chosen.
    GridAfterAChangeOfGame()
    {
        for (int n : {7, 40, 60})
            m_grid.setCheck(n, true);
        m_state.history.setGame(FormulaId::Keno16of56);
    }

    WorkspaceState m_state;
    unsigned m_parts = 0;
    StateChanges m_changes{[this](unsigned parts) { m_parts |= parts; }};
    ReportArea m_area{m_changes};
    GridCommands m_grid{m_state.history, m_state.window, m_area, m_changes};
};

TEST_F(GridAfterAChangeOfGame, OnlyTheGamesBoxesAreChosenOrMarked)
{
    EXPECT_EQ(m_grid.chosenNumbers(), (QList<int>{7, 40}));

    Report ranking = Report::ownTitle(QStringLiteral("Classement"));
    ranking.resultat = ReportList::replacedBy({QStringLiteral("Num Sorti Ecart  EcartMax"), QStringLiteral("07 0003"),
                                               QStringLiteral("60 0002"), QStringLiteral("08 0001")});
    ranking.resultat2 = ReportList::replacedBy({QStringLiteral("Num Sorti Ecart  EcartMax"), QStringLiteral("40 0001")});
    m_area.apply(ranking);
    m_grid.reperage();
    const ReportModel& r = m_area.model();
    EXPECT_EQ(r.resultat.selected, (QList<bool>{false, true, false, false}));
    EXPECT_EQ(r.resultat2.selected, (QList<bool>{false, true}));
}

TEST_F(GridAfterAChangeOfGame, UntickAllClearsTheBoxesOfTheLargerGridToo)
{
    m_parts = 0;
    m_grid.untickAll();
    EXPECT_EQ(std::count(m_grid.checks().begin(), m_grid.checks().end(), true), 0);
    EXPECT_EQ(m_state.window.counters().text1, QStringLiteral("0"));
    EXPECT_EQ(m_parts, unsigned(StatePart::GridPart | StatePart::CountersPart));

    // A box left over from the larger grid alone is cleared as well.
    m_state.history.setGame(FormulaId::Keno20of70);
    m_grid.setCheck(60, true);
    m_state.history.setGame(FormulaId::Keno16of56);
    m_grid.untickAll();
    EXPECT_FALSE(m_grid.checks()[60]);
    EXPECT_EQ(m_state.window.counters().text1, QStringLiteral("0"));
}

} // namespace
