// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/Formula.h"

#include <gtest/gtest.h>

TEST(Formula, GroupsCoverEveryNumberOnce)
{
    for (FormulaId id : Formula::all()) {
        const Formula& f = Formula::get(id);
        for (int size : {7, 10, f.gridColumns}) {
            int next = 1;
            for (const NumberRange& r : f.runs(size)) {
                EXPECT_EQ(r.first, next);
                EXPECT_LE(r.size(), size);
                next = r.last + 1;
            }
            EXPECT_EQ(next, f.numbers + 1) << f.key.toStdString() << " runs of " << size;
        }
        EXPECT_EQ(f.lowHalf().size() + f.highHalf().size(), f.numbers);
        EXPECT_EQ(f.gridRows() * f.gridColumns, f.numbers);
    }
    const std::vector<NumberRange> tens = Formula::current().runs(10);
    ASSERT_EQ(tens.size(), 6u);
    EXPECT_EQ(tens.back().first, 51);
    EXPECT_EQ(tens.back().last, 56);
    EXPECT_EQ(Formula::current().gridRows(), 7);
}

TEST(Formula, LinesDatesAndKeysNameTheirGame)
{
    const QString classic = QStringLiteral("02/11/2025") + QString(20 * 3, QLatin1Char(' ')) + QStringLiteral(" soir");
    const QString current = QStringLiteral("03/11/2025") + QString(16 * 3, QLatin1Char(' ')) + QStringLiteral(" soir");
    EXPECT_EQ(classic.size(), 75);
    EXPECT_EQ(Formula::ofLine(classic), FormulaId::Keno20of70);
    EXPECT_EQ(Formula::ofLine(current), FormulaId::Keno16of56);
    EXPECT_FALSE(Formula::ofLine(current.left(62)));

    EXPECT_TRUE(Formula::classic().ranOn(QDate(2025, 11, 2)));
    EXPECT_FALSE(Formula::classic().ranOn(QDate(2025, 11, 3)));
    EXPECT_FALSE(Formula::current().ranOn(QDate(2025, 11, 2)));
    EXPECT_TRUE(Formula::current().ranOn(QDate(2026, 12, 6)));
    EXPECT_EQ(Formula::playedOn(QDate(2025, 11, 3)), FormulaId::Keno16of56);
    EXPECT_EQ(Formula::playedOn(QDate(1999, 1, 1)), FormulaId::Keno20of70);

    EXPECT_EQ(Formula::fromKey(u"16-56"), FormulaId::Keno16of56);
    EXPECT_EQ(Formula::fromKey(u"20-70"), FormulaId::Keno20of70);
    EXPECT_FALSE(Formula::fromKey(u"20/70"));
    EXPECT_EQ(Formula::current().slotIndex(u"midi"), -1);
    EXPECT_EQ(Formula::classic().slotIndex(u"midi"), 0);
}

TEST(Formula, UnpublishedAmountsAreUnknownNotZero)
{
    const PayTable& current = Formula::current().payTable;
    EXPECT_EQ(current.amount(7, 6), 90);
    EXPECT_EQ(current.amount(10, 10), 200000);
    EXPECT_FALSE(current.amount(7, 4).has_value());
    EXPECT_FALSE(current.rowKnown(7));
    const PayTable& classic = Formula::classic().payTable;
    for (int k = 1; k <= PayTable::kMaxTicked; ++k)
        EXPECT_TRUE(classic.rowKnown(k)) << k;
    EXPECT_EQ(classic.amount(10, 0), 1);
    EXPECT_FALSE(classic.amount(4, 5).has_value());
}
