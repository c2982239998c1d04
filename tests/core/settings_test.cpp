#include "shell/Settings.h"
#include "support/TestSupport.h"

#include <QFileInfo>

using namespace TestSupport;

TEST(Settings, DefaultAndHandWrittenAddresses)
{
    QTemporaryDir tmp;
    const QString ini = Settings::iniPath(tmp.filePath(QStringLiteral("config")));
    EXPECT_EQ(Settings(ini, false).archiveUrl(), Settings::defaultArchiveUrl());
    EXPECT_FALSE(QFileInfo::exists(ini)); // read-only never creates it
    EXPECT_EQ(Settings(ini, true).archiveUrl(), Settings::defaultArchiveUrl());
    EXPECT_EQ(readFile(ini), "[URL]\nFileFdesjeux=" + Settings::defaultArchiveUrl().toUtf8() + "\n");

    // ',' and ';' belong to the address; writing one key leaves the rest as it was.
    writeFile(ini, "; notes\r\n[Autre]\r\nCle=1\r\n\r\n[url]\r\nfilefdesjeux=ancienne\r\nExtra=x\r\n");
    const QString address = QStringLiteral("https://exemple.fr/a,b;c?x=1&y=\"2\"");
    ASSERT_TRUE(Settings(ini, true).setArchiveUrl(address));
    EXPECT_EQ(Settings(ini, false).archiveUrl(), address);
    EXPECT_EQ(readFile(ini), "; notes\r\n[Autre]\r\nCle=1\r\n\r\n[url]\r\nFileFdesjeux=" + address.toUtf8() + "\r\nExtra=x\r\n");
    // A value quoted whole is read without its quotes.
    writeFile(ini, "[URL]\nFileFdesjeux = \"https://q.fr/a;b\"\n");
    EXPECT_EQ(Settings(ini, false).archiveUrl(), QStringLiteral("https://q.fr/a;b"));
    // Line ends mixed by hand, blanks around the value: what is written reads back, the rest stays.
    writeFile(ini, "[URL]\nFileFdesjeux=ancienne\r\nCle=1\n");
    ASSERT_TRUE(Settings(ini, true).setArchiveUrl(QStringLiteral(" https://n.fr/ ")));
    EXPECT_EQ(Settings(ini, false).archiveUrl(), QStringLiteral(" https://n.fr/ "));
    EXPECT_EQ(Settings(ini, false).read(QStringLiteral("url"), QStringLiteral("cle"), QString()), QStringLiteral("1"));
    EXPECT_FALSE(Settings(ini, true).setArchiveUrl(QStringLiteral("https://a.fr/\nCle=2")));
    EXPECT_EQ(Settings(ini, false).read(QStringLiteral("URL"), QStringLiteral("Cle"), QString()), QStringLiteral("1"));
}
