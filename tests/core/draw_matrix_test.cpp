// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DrawList.h"
#include "history/DrawMatrix.h"

#include <array>
#include <gtest/gtest.h>

TEST(DrawMatrix, ShrinkThenGrowNeverResurrectsBits)
{
    DrawMatrix m;
    m.resize(200);
    for (int d : {0, 63, 64, 65, 127, 150, 199})
        m.set(12, d, true);
    m.resize(100); // inside a word, and whole words dropped
    m.resize(300);
    EXPECT_TRUE(m.contains(12, 0) && m.contains(12, 65));
    for (int d : {127, 150, 199})
        EXPECT_FALSE(m.contains(12, d)) << d;
    m.resize(64); // on a word boundary
    m.resize(65);
    EXPECT_TRUE(m.contains(12, 63));
    EXPECT_FALSE(m.contains(12, 64));
}

TEST(DrawMatrix, FromListMatchesTheLineByLineRebuildAcrossWords)
{
    // Several 64-draw words, with odd lines here and there (blanks for leading zeros among them)
    // and a ragged last word.
    QStringList lines;
    for (int i = 0; i < 333; ++i) {
        QString line = QStringLiteral("16/09/1993");
        for (int k = 0; k < 20; ++k)
            line += QStringLiteral(" %1").arg((i * 7 + k * 3) % 70 + 1, 2, 10, QLatin1Char('0'));
        line += i % 2 ? QStringLiteral(" soir") : QStringLiteral(" midi");
        if (i % 5 == 2)
            line.replace(QStringLiteral(" 0"), QStringLiteral("  "));
        if (i % 50 == 49)
            line = line.left(40);
        if (i % 64 == 63)
            line.replace(11, 2, QStringLiteral("99"));
        lines << line;
    }
    DrawMatrix fromList, fromLines;
    fromList.rebuild(DrawList::fromLines(lines));
    fromLines.rebuild(lines + QStringList{QString()});
    ASSERT_EQ(fromList.columns(), 335);
    ASSERT_EQ(fromLines.columns(), 335);
    for (int d = 0; d < 335; ++d) {
        // What each line holds, from the way it was made: a cut line keeps its first ten fields
        // and the rest read 0; a blank reads as a zero; a field "99" reads as itself and lands in row 0.
        std::array<bool, 71> expected{};
        if (d < 333) {
            const int fields = d % 50 == 49 ? 10 : 20;
            for (int k = 0; k < fields; ++k)
                expected[static_cast<size_t>(k == 0 && d % 64 == 63 ? 0 : (d * 7 + k * 3) % 70 + 1)] = true;
            if (fields < 20 || d % 64 == 63)
                expected[0] = true;
        }
        for (int n = 0; n <= 70; ++n) {
            ASSERT_EQ(fromList.contains(n, d), expected[static_cast<size_t>(n)]) << n << " " << d;
            ASSERT_EQ(fromLines.contains(n, d), expected[static_cast<size_t>(n)]) << n << " " << d;
        }
    }
}
