// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryGuard.h"

#include "support/TestSupport.h"

#include <algorithm>
#include <tuple>

using namespace TestSupport;

TEST(HistoryGuard, AListShorterByOneDrawIsRefusedAndCounted)
{
    const QStringList file = makeHistory(6);
    const auto refusal = HistoryGuard::check(DrawList::fromLines(file), DrawList::fromLines(file.mid(0, 5)));
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(std::tuple(refusal->kind, refusal->onDisk, refusal->offered),
              std::tuple(HistoryGuard::Refusal::Kind::Shorter, 6, 5));
    EXPECT_FALSE(HistoryGuard::check(DrawList::fromLines(file), DrawList::fromLines(file)).has_value());
}

TEST(HistoryGuard, ACorrectedDrawIsLostUnlessThePlayerReplacedItButTheOrderOfNumbersIsNot)
{
    const QString day = QStringLiteral("01/10/1993");
    const DrawList file = DrawList::fromLines({drawLine(day, numberRange(1, 20)), drawLine(day, numberRange(21, 40), " soir")});
    const DrawList corrected = DrawList::fromLines({file.text(0), drawLine(day, numberRange(22, 41), " soir")});
    const auto refusal = HistoryGuard::check(file, corrected);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(std::tuple(refusal->kind, refusal->lost), std::tuple(HistoryGuard::Refusal::Kind::LostDraws, 1));
    EXPECT_EQ(refusal->examples, QStringList{file.text(1)});
    EXPECT_FALSE(HistoryGuard::check(file, corrected, {file.text(1)}).has_value());

    // The archive's order of the same twenty numbers is the same draw.
    QList<int> reversed = numberRange(21, 40);
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_FALSE(HistoryGuard::check(file, DrawList::fromLines({file.text(0), drawLine(day, reversed, " soir")})).has_value());
}

TEST(HistoryGuard, NewDrawsAreTheListsLinesTheFileLacksWhateverTheOrderOfNumbers)
{
    const QString day = QStringLiteral("01/10/1993");
    const QString midday = drawLine(day, numberRange(1, 20)), evening = drawLine(day, numberRange(21, 40), " soir");
    const DrawList file = DrawList::fromLines({midday, evening});
    // A shorter list, or the same draw in the archive's order, adds nothing.
    EXPECT_EQ(HistoryGuard::newDraws(file, DrawList::fromLines({midday})), 0);
    QList<int> reversed = numberRange(21, 40);
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(HistoryGuard::newDraws(file, DrawList::fromLines({midday, drawLine(day, reversed, " soir")})), 0);
    // A corrected draw, a typed one and a line held twice are each new.
    const DrawList list = DrawList::fromLines({midday, drawLine(day, numberRange(22, 41), " soir"), midday,
                                               drawLine(QStringLiteral("02/10/1993"), numberRange(1, 20))});
    EXPECT_EQ(HistoryGuard::newDraws(file, list), 3);
}

// A sixteen-number draw is the same draw in any order of its numbers, and never a twenty-number one.
TEST(HistoryGuard, CurrentGameDrawsCompareAsSetsOfSixteen)
{
    const QString day = QStringLiteral("03/11/2025");
    const QString draw = drawLine(day, numberRange(1, 16), " soir");
    QList<int> reversed = numberRange(1, 16);
    std::reverse(reversed.begin(), reversed.end());
    const DrawList file = DrawList::fromLines({draw});
    EXPECT_EQ(HistoryGuard::newDraws(file, DrawList::fromLines({drawLine(day, reversed, " soir")})), 0);
    EXPECT_EQ(HistoryGuard::newDraws(file, DrawList::fromLines({drawLine(day, numberRange(2, 17), " soir")})), 1);
    EXPECT_FALSE(HistoryGuard::check(file, DrawList::fromLines({drawLine(day, reversed, " soir")})).has_value());
}
