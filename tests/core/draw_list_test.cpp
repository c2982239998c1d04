// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DrawList.h"

#include <array>
#include <gtest/gtest.h>

namespace {

const QString kMidi = QStringLiteral("16/09/1993 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 70 midi");
const QString kSoir = QStringLiteral("16/09/1993 03 07 08 09 10 15 16 19 20 27 29 35 36 37 51 55 63 66 69 70 soir");

} // namespace

TEST(DrawList, FieldsOfRecordsAndOfTextLines)
{
    const DrawList list = DrawList::fromLines(
        {kMidi, kSoir, QStringLiteral("31/02/2001  5 ab 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 midi"),
         QStringLiteral("ligne"), QStringLiteral("01/01/2000 00 99 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 xoir")});
    ASSERT_EQ(list.itemCount(), 6);

    EXPECT_EQ(list.dateText(1), QStringLiteral("16/09/1993"));
    EXPECT_EQ(list.date(0), QDate(1993, 9, 16));
    EXPECT_FALSE(list.date(2).isValid()); // 31 February
    EXPECT_FALSE(list.date(3).isValid());
    EXPECT_EQ(list.dateText(3), QStringLiteral("ligne"));
    EXPECT_EQ(list.dateText(5), QString()); // the trailing empty item

    // Item, field, value: a blank for the leading zero reads as the number, what is no number as 0.
    const std::array<std::array<int, 3>, 7> fields
        = {{{0, 20, 70}, {1, 1, 3}, {2, 1, 5}, {2, 2, 0}, {3, 1, 0}, {4, 1, 0}, {4, 2, 99}}};
    for (const auto& [i, k, value] : fields)
        EXPECT_EQ(list.number(i, k), value) << i << " " << k;
    EXPECT_EQ(list.numbers(1), (DrawLine::Numbers{3, 7, 8, 9, 10, 15, 16, 19, 20, 27, 29, 35, 36, 37, 51, 55, 63, 66, 69, 70}));

    EXPECT_TRUE(list.isMiddayByChar(0) && list.endsWithSpaceMidi(0) && !list.endsWithSoir(0));
    EXPECT_TRUE(!list.isMiddayByChar(1) && !list.endsWithSpaceMidi(1) && list.endsWithSoir(1));
    EXPECT_TRUE(list.isMiddayByChar(2) && list.endsWithSpaceMidi(2));
    EXPECT_TRUE(!list.isMiddayByChar(4) && !list.endsWithSoir(4) && !list.endsWithSpaceMidi(4));
    EXPECT_FALSE(list.isRecord(4));
}

TEST(DrawList, EditsKeepTextsAndTheTrailingItem)
{
    DrawList list = DrawList::fromLines({kMidi, QStringLiteral("bad"), kSoir, QString()});
    EXPECT_EQ(list.drawCount(), 3);
    EXPECT_EQ(list.toStringList(), (QStringList{kMidi, QStringLiteral("bad"), kSoir}));

    list.replace(1, kSoir); // text -> record
    list.replace(0, QStringLiteral("autre")); // record -> text
    list.replace(2, QStringLiteral("encore")); // record -> text
    list.replace(0, QStringLiteral("à nouveau")); // text -> text
    list.replace(3, kMidi); // the trailing item holds nothing
    EXPECT_EQ(list.toStringList(), (QStringList{QStringLiteral("à nouveau"), kSoir, QStringLiteral("encore")}));
    EXPECT_EQ(list.text(3), QString());

    EXPECT_EQ(list.takeLast(), QStringLiteral("encore"));
    list.append(QStringLiteral("fin"));
    EXPECT_EQ(list.toStringList(), (QStringList{QStringLiteral("à nouveau"), kSoir, QStringLiteral("fin")}));

    DrawList copy;
    for (int i : {2, 0, 1, 3}) // the trailing item: nothing to copy
        copy.append(list, i);
    EXPECT_EQ(copy.toStringList(), (QStringList{QStringLiteral("fin"), QStringLiteral("à nouveau"), kSoir}));
    EXPECT_FALSE(copy == list);
    EXPECT_TRUE(DrawList::fromLines(copy.toStringList()) == copy);

    // Lines given by the program are written in the system's code page (UTF-8 here); empty lines never.
    copy.append(QString());
    EXPECT_EQ(copy.toCrlfBytes(), QByteArray("fin\r\n\xC3\xA0 nouveau\r\n") + kSoir.toLatin1() + "\r\n");

    while (!list.isEmpty())
        list.takeLast();
    EXPECT_EQ(list.takeLast(), QString());
    EXPECT_EQ(list.itemCount(), 1);
    list.append(kMidi);
    list.clear();
    EXPECT_EQ(list.itemCount(), 1);
}

// Records of the sixteen-of-fifty-six shape hold sixteen numbers; the list's game is its first draw's.
TEST(DrawList, RecordsOfBothGamesAndTheGameOfTheList)
{
    const QString current = QStringLiteral("03/11/2025 56 01 50 47 44 41 38 35 32 29 26 23 20 17 14 11 soir");
    const DrawList list = DrawList::fromLines({QStringLiteral("ligne"), current, kSoir});
    EXPECT_EQ(list.formulaId(), FormulaId::Keno16of56);
    EXPECT_TRUE(list.isRecord(1) && list.isRecord(2));
    EXPECT_EQ(list.text(1), current);
    EXPECT_EQ(list.dateText(1), QStringLiteral("03/11/2025"));
    EXPECT_EQ(list.number(1, 2), 1);
    EXPECT_EQ(list.number(1, 17), 0);
    DrawLine::Numbers sixteen = DrawLine::Numbers::of(Formula::current());
    const int written[] = {56, 1, 50, 47, 44, 41, 38, 35, 32, 29, 26, 23, 20, 17, 14, 11};
    std::copy(std::begin(written), std::end(written), sixteen.begin());
    EXPECT_EQ(list.numbers(1), sixteen);
    EXPECT_EQ(list.numbers(2).size(), 20); // a record keeps its own count
    EXPECT_EQ(list.numbers(0).size(), 16); // a text line is read as the list's game draws
    EXPECT_TRUE(list.endsWithSoir(1) && !list.isMiddayByChar(1));
    EXPECT_EQ(list.slotIndex(1), 0);
    EXPECT_EQ(list.toCrlfBytes(), "ligne\r\n" + current.toLatin1() + "\r\n" + kSoir.toLatin1() + "\r\n");
    EXPECT_TRUE(DrawList::fromLines(list.toStringList()) == list);
    // The same numbers in the other shape (four fields "00" more): another line.
    const DrawList longer = DrawList::fromLines({current.left(58) + QStringLiteral(" 00 00 00 00 soir")});
    ASSERT_TRUE(longer.isRecord(0));
    EXPECT_FALSE(DrawList::fromLines({current}) == longer);

    EXPECT_EQ(DrawList::fromLines({kMidi, current}).formulaId(), FormulaId::Keno20of70);
    EXPECT_EQ(DrawList::fromLines({QStringLiteral("x")}).formulaId(), FormulaId::Keno20of70);
    EXPECT_EQ(DrawList::fromLines({kMidi}).slotIndex(0), 0);
}
