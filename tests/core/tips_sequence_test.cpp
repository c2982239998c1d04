// SPDX-License-Identifier: GPL-3.0-or-later
#include "forecast/TipsSequence.h"
#include "support/TestSupport.h"

#include <QTime>

TEST(TipsSequence, NextWrapsAndEveryTipComesOnce)
{
    const QStringList three = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    for (int start = 1; start <= 3; ++start) {
        TipsSequence s(three);
        s.startAt(start);
        const QString first = s.current();
        QStringList seen;
        for (int i = 0; i < 3; ++i, s.next())
            seen << s.current();
        EXPECT_EQ(s.current(), first);
        seen.sort();
        EXPECT_EQ(seen, three);
    }
    TipsSequence s(three);
    s.startAt(3);
    s.next();
    EXPECT_EQ(s.currentIndex(), 1);
    EXPECT_EQ(s.current(), QStringLiteral("a"));

    // The random start is always one of the tips.
    for (int sec = 0; sec < 86400; sec += 997) {
        TipsSequence r(three);
        r.startRandom(QTime(0, 0).addSecs(sec));
        EXPECT_GE(r.currentIndex(), 1);
        EXPECT_LE(r.currentIndex(), 3);
    }
    TipsSequence empty;
    empty.startRandom(QTime(12, 0));
    empty.next();
    EXPECT_EQ(empty.currentIndex(), 0);
    EXPECT_EQ(empty.current(), QString());
}
