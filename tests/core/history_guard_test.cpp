#include "history/HistoryGuard.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

DrawList listOf(const QStringList& lines)
{
    return DrawList::fromLines(lines);
}

} // namespace

TEST(HistoryGuard, AListShorterByOneDrawIsRefusedAndCounted)
{
    const QStringList file = TestSupport::makeHistory(6);
    const auto refusal = HistoryGuard::check(listOf(file), listOf(file.mid(0, 5)));
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->kind, HistoryGuard::Refusal::Kind::Shorter);
    EXPECT_EQ(refusal->onDisk, 6);
    EXPECT_EQ(refusal->offered, 5);
    EXPECT_FALSE(HistoryGuard::check(listOf(file), listOf(file)).has_value());
}

TEST(HistoryGuard, ACorrectedDrawIsLostUnlessThePlayerReplacedItButTheOrderOfNumbersIsNot)
{
    const QStringList file = {TestSupport::drawLine(QStringLiteral("01/10/1993"), TestSupport::numberRange(1, 20)),
                              TestSupport::drawLine(QStringLiteral("01/10/1993"), TestSupport::numberRange(21, 40), " soir")};
    QStringList corrected = file;
    corrected[1] = TestSupport::drawLine(QStringLiteral("01/10/1993"), TestSupport::numberRange(22, 41), " soir");
    const auto refusal = HistoryGuard::check(listOf(file), listOf(corrected));
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->kind, HistoryGuard::Refusal::Kind::LostDraws);
    EXPECT_EQ(refusal->lost, 1);
    EXPECT_EQ(refusal->examples, QStringList{file[1]});
    EXPECT_FALSE(HistoryGuard::check(listOf(file), listOf(corrected), {file[1]}).has_value());

    // The archive's order of the same twenty numbers is the same draw.
    QList<int> reversed = TestSupport::numberRange(21, 40);
    std::reverse(reversed.begin(), reversed.end());
    QStringList reordered = file;
    reordered[1] = TestSupport::drawLine(QStringLiteral("01/10/1993"), reversed, " soir");
    EXPECT_FALSE(HistoryGuard::check(listOf(file), listOf(reordered)).has_value());
}
