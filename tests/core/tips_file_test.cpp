// SPDX-License-Identifier: GPL-3.0-or-later
#include "forecast/TipsFile.h"
#include "support/EioFault.h"
#include "support/TestSupport.h"

using namespace TestSupport;

TEST(TipsFile, CountThenQuotedOrUnquotedFields)
{
    const TipsFile t = TipsFile::parse("3\r\n\"Un conseil, avec virgule\"\r\n   Deux, et trois\r\nreste non lu\r\n");
    EXPECT_EQ(t.error, QString());
    EXPECT_EQ(t.tips, utf8Lines({"Un conseil, avec virgule", "Deux", "et trois"}));

    const TipsFile utf8 = TipsFile::parse("2, \"Études\"\n\"Écarts « max »\"\n");
    EXPECT_EQ(utf8.tips, utf8Lines({"Études", "Écarts « max »"}));
    const TipsFile ansi = TipsFile::parse("1\r\n\"P\xe9riode d'\xe9tude\"\r\n");
    EXPECT_EQ(ansi.tips, utf8Lines({"Période d'étude"}));
}

TEST(TipsFile, MissingFileBadCountAndTooFewTipsSayWhyInOneLine)
{
    const TipsFile missing = TipsFile::read(QTemporaryDir().path() + QStringLiteral("/Conseil.txt"));
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
    EXPECT_EQ(few.tips, utf8Lines({"a", "b"}));
    EXPECT_FALSE(few.error.isEmpty());
    for (const TipsFile* t : {&missing, &zero, &few})
        EXPECT_FALSE(t->error.contains(QLatin1Char('\n')));
}

TEST(TipsFile, ShippedFileHoldsAtLeastFifteenTips)
{
    const TipsFile t = TipsFile::read(QStringLiteral(TIRAVOL_SOURCE_DIR "/data/Conseil.txt"));
    EXPECT_EQ(t.error, QString());
    EXPECT_GE(t.tips.size(), 15);
    for (const QString& tip : t.tips)
        EXPECT_GT(tip.size(), 20) << tip.toStdString();
}

TEST(TipsFile, AReadErrorShowsNoTipAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Conseil.txt"));
    writeFile(path, "3\r\n\"Un\"\r\n\"Deux\"\r\n\"Trois\"\r\n");
    const EioFault badSector("Conseil.txt", 12);
    const TipsFile t = TipsFile::read(path);
    EXPECT_TRUE(t.tips.isEmpty());
    EXPECT_EQ(t.error,
              QStringLiteral("Le fichier des conseils « Conseil.txt » n'a pas pu être lu (le disque a signalé une "
                             "erreur)."));
}
