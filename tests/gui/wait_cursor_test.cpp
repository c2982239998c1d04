// SPDX-License-Identifier: GPL-3.0-or-later
// The window's hourglass.
#include "gui/WaitCursor.h"

#include "support/WindowFixture.h"

TEST(WaitCursorTest, ShownOnceAndAlwaysTakenBack)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        WaitCursor cursor;
        cursor.show(true);
        cursor.show(true);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        cursor.show(false);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); // one restore undoes both
        cursor.show(false);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        cursor.show(true);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); // gone with its owner
}
