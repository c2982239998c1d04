// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/VersionText.h"

#include "support/TestSupport.h"

TEST(VersionText, MajorThenMinorOnTwoDigitsThenRevisionOnFour)
{
    EXPECT_EQ(VersionText::format(2, 5, 17), QStringLiteral("2-05-0017"));
    EXPECT_EQ(VersionText::format(1, 0, 0), QStringLiteral("1-00-0000"));
    EXPECT_EQ(VersionText::format(12, 34, 5678), QStringLiteral("12-34-5678"));
    // Wider than the pattern: every digit is kept.
    EXPECT_EQ(VersionText::format(3, 123, 45678), QStringLiteral("3-123-45678"));
}
