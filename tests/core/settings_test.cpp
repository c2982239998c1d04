#include "shell/Settings.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using TestSupport::readFile;
using TestSupport::writeFile;

// Addresses go through the file exactly as typed, and writing one key leaves the rest alone.
TEST(Settings, WritesKeepOtherContentAndReadBackExactly)
{
    QTemporaryDir dir;
    const QString ini = Settings::iniPath(dir.path());
    writeFile(ini, "; notes\r\n[Autre]\r\nCle=1\r\n\r\n[url]\r\nfilefdesjeux=ancienne\r\nExtra=x\r\n");

    Settings settings(ini, true);
    const QString address = QStringLiteral("https://exemple.fr/a,b;c?x=1&y=\"2\"");
    ASSERT_TRUE(settings.setArchiveUrl(address));
    EXPECT_EQ(settings.archiveUrl(), address);
    EXPECT_EQ(readFile(ini),
              QByteArray("; notes\r\n[Autre]\r\nCle=1\r\n\r\n[url]\r\nFileFdesjeux=https://exemple.fr/a,b;c?x=1&y=\"2\"\r\n"
                         "Extra=x\r\n"));
    EXPECT_EQ(settings.read(QStringLiteral("AUTRE"), QStringLiteral("cle"), QString()), QStringLiteral("1"));
}

TEST(Settings, MissingFolderIsCreatedOnlyWhenWritable)
{
    QTemporaryDir dir;
    const QString ini = Settings::iniPath(dir.path());

    Settings readOnly(ini, false);
    EXPECT_EQ(readOnly.archiveUrl(), Settings::defaultArchiveUrl());
    EXPECT_FALSE(QFileInfo::exists(ini));

    Settings writable(ini, true);
    EXPECT_EQ(writable.archiveUrl(), Settings::defaultArchiveUrl());
    EXPECT_EQ(readFile(ini), "[URL]\nFileFdesjeux=" + Settings::defaultArchiveUrl().toUtf8() + "\n");
}
