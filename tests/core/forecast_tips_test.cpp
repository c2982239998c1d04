#include "forecast/TipsFile.h"
#include "forecast/TipsSequence.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(TipsFile, CountThenQuotedOrUnquotedFields)
{
    const TipsFile t = TipsFile::parse("3\r\n\"Un conseil, avec virgule\"\r\n   Deux, et trois\r\nreste non lu\r\n");
    EXPECT_EQ(t.error, QString());
    EXPECT_EQ(t.tips,
              QStringList({QStringLiteral("Un conseil, avec virgule"), QStringLiteral("Deux"), QStringLiteral("et trois")}));

    const TipsFile utf8 = TipsFile::parse("2, \"Études\"\n\"Écarts « max »\"\n");
    EXPECT_EQ(utf8.tips, QStringList({QStringLiteral("Études"), QStringLiteral("Écarts « max »")}));
    const TipsFile ansi = TipsFile::parse("1\r\n\"P\xe9riode d'\xe9tude\"\r\n");
    EXPECT_EQ(ansi.tips, QStringList({QStringLiteral("Période d'étude")}));
}

TEST(TipsFile, MissingFileBadCountAndTooFewTipsSayWhyInOneLine)
{
    QTemporaryDir dir;
    const TipsFile missing = TipsFile::read(dir.path() + QStringLiteral("/Conseil.txt"));
    EXPECT_TRUE(missing.tips.isEmpty());
    EXPECT_FALSE(missing.error.isEmpty());

    for (const QByteArray& bad : {QByteArray("trois\r\n\"a\"\r\n"), QByteArray(""), QByteArray("-2\r\n\"a\"\r\n")}) {
        const TipsFile t = TipsFile::parse(bad);
        EXPECT_TRUE(t.tips.isEmpty()) << bad.constData();
        EXPECT_FALSE(t.error.isEmpty()) << bad.constData();
    }
    const TipsFile zero = TipsFile::parse("0\r\n");
    EXPECT_FALSE(zero.error.isEmpty());

    const TipsFile few = TipsFile::parse("5\r\n\"a\"\r\n\"b\"\r\n");
    EXPECT_EQ(few.tips, QStringList({QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_FALSE(few.error.isEmpty());
    for (const TipsFile* t : {&missing, &zero, &few})
        EXPECT_FALSE(t->error.contains(QLatin1Char('\n')));
}

TEST(TipsSequence, NextWrapsAndEveryTipComesOnce)
{
    const QStringList three = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    for (int start = 1; start <= 3; ++start) {
        TipsSequence s(three);
        s.startAt(start);
        const QString first = s.current();
        QStringList seen;
        for (int i = 0; i < 3; ++i) {
            seen << s.current();
            s.next();
        }
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

TEST(TipsFile, ShippedFileHoldsAtLeastFifteenTips)
{
    const QString path = QStringLiteral(TIRAVOL_SOURCE_DIR "/data/Conseil.txt");
    const TipsFile t = TipsFile::read(path);
    EXPECT_EQ(t.error, QString());
    EXPECT_GE(t.tips.size(), 15);
    for (const QString& tip : t.tips)
        EXPECT_GT(tip.size(), 20) << tip.toStdString();
}
