// SPDX-License-Identifier: GPL-3.0-or-later
// The grid of number boxes: as many boxes as the game has numbers, in its rows, each ticking
// its own number in the Workspace.
#include "gui/GridPanel.h"

#include "support/WindowFixture.h"

#include "shell/Settings.h"
#include "shell/Workspace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLayout>

#include <algorithm>

namespace {

class GridPanelTest : public TestSupport::WindowTest {
protected:
    void SetUp() override
    {
        writeHistory(TestSupport::makeHistory(30));
        open();
        m_grid = m_window->findChild<GridPanel*>();
        ASSERT_NE(m_grid, nullptr);
    }

    QList<QCheckBox*> boxes() const
    {
        QList<QCheckBox*> out;
        for (QCheckBox* box : m_grid->findChildren<QCheckBox*>())
            if (box->objectName().startsWith(QLatin1String("Check")))
                out << box;
        return out;
    }

    // The boxes' numbers as the eye reads them, top row first, each row left to right, and
    // how many boxes stand in each row.
    std::pair<QList<int>, QList<int>> readingOrder() const
    {
        m_grid->layout()->activate();
        QList<QCheckBox*> shown = boxes();
        for (QCheckBox* box : shown)
            box->parentWidget()->layout()->activate();
        std::ranges::sort(
            shown, [](const QCheckBox* a, const QCheckBox* b) { return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x()); });
        QList<int> numbers, rowSizes;
        int rowTop = -1;
        for (const QCheckBox* box : shown) {
            numbers << box->text().trimmed().toInt();
            if (box->y() != rowTop)
                rowSizes << 0;
            rowTop = box->y();
            ++rowSizes.last();
        }
        return {numbers, rowSizes};
    }

    // The names of the `count` widgets Tab reaches after box 1.
    QStringList tabsFromFirstBox(int count) const
    {
        QStringList names;
        QWidget* w = box(1);
        while (names.size() < count) {
            w = w->nextInFocusChain();
            if (w->focusPolicy() & Qt::TabFocus)
                names << w->objectName();
        }
        return names;
    }
    QStringList boxNames(int from, int to) const
    {
        QStringList names;
        for (int n = from; n <= to; ++n)
            names << QStringLiteral("Check%1").arg(n);
        return names;
    }

    QCheckBox* box(int n) const { return m_grid->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(n)); }

    GridPanel* m_grid = nullptr;
};

QList<int> oneTo(int last)
{
    QList<int> out;
    for (int n = 1; n <= last; ++n)
        out << n;
    return out;
}

TEST_F(GridPanelTest, EachGameHasItsNumbersInItsRowsAndEachBoxTicksItsNumber)
{
    const Formula& classic = Formula::classic();
    EXPECT_EQ(&m_grid->formula(), &classic); // the list's game
    auto [numbers, rows] = readingOrder();
    EXPECT_EQ(numbers, oneTo(classic.numbers));
    EXPECT_EQ(rows, QList<int>(classic.gridRows(), classic.gridColumns));
    const QStringList tabsAfterBoxes = tabsFromFirstBox(classic.numbers + 1);
    EXPECT_EQ(tabsAfterBoxes.mid(0, classic.numbers), boxNames(2, classic.numbers) << QStringLiteral("CmsRepere"));

    const Formula& current = Formula::current();
    m_grid->setFormula(current);
    std::tie(numbers, rows) = readingOrder();
    EXPECT_EQ(numbers, oneTo(current.numbers));
    EXPECT_EQ(rows, QList<int>(7, 8));
    EXPECT_EQ(boxes().size(), 56);
    EXPECT_EQ(box(57), nullptr);
    EXPECT_EQ(tabsFromFirstBox(56), boxNames(2, 56) << QStringLiteral("CmsRepere"));

    ASSERT_NE(box(56), nullptr);
    box(56)->click();
    EXPECT_TRUE(m_ws->checks()[56]);
    EXPECT_EQ(std::count(m_ws->checks().begin(), m_ws->checks().end(), true), 1);
    box(56)->click();
    EXPECT_FALSE(m_ws->checks()[56]);
    box(9)->click(); // the first box of the second row
    EXPECT_TRUE(m_ws->checks()[9]);

    // Back to the other game: its boxes again, showing what the Workspace holds.
    m_grid->setFormula(classic);
    EXPECT_EQ(boxes().size(), classic.numbers);
    EXPECT_TRUE(box(9)->isChecked());
    EXPECT_FALSE(box(10)->isChecked());
    box(70)->click();
    EXPECT_TRUE(m_ws->checks()[70]);
    EXPECT_EQ(tabsFromFirstBox(classic.numbers + 1), tabsAfterBoxes); // the rebuilt grid in its place
}

} // namespace

TEST_F(GridPanelTest, StakeAndOptionBesideTheGridAreKeptInTheSettings)
{
    auto* stake = m_grid->findChild<QComboBox*>(QStringLiteral("Mise"));
    auto* option = m_grid->findChild<QCheckBox*>(QStringLiteral("OptionMultiplicateur"));
    ASSERT_NE(stake, nullptr);
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(stake->count(), 5);
    EXPECT_EQ(stake->currentText(), QStringLiteral("1 €"));
    EXPECT_FALSE(option->isChecked());

    stake->setCurrentIndex(stake->findText(QStringLiteral("5 €")));
    emit stake->activated(stake->currentIndex());
    option->click();
    EXPECT_EQ(m_ws->stake(), (Stake{5, true}));
    EXPECT_EQ(Settings(m_ws->settingsPath(), false).stake(), (Stake{5, true}));

    // A stake set elsewhere shows beside the grid.
    m_ws->setStake(Stake{2, false}, false);
    EXPECT_EQ(stake->currentText(), QStringLiteral("2 €"));
    EXPECT_FALSE(option->isChecked());
}
