#include "shell/AppFiles.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(AppFiles, TheProgramFolderComesFirstThenShareTiravolOfItsPrefix)
{
    QTemporaryDir prefix;
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    const QString share = prefix.filePath(QStringLiteral("share/tiravol"));
    QDir().mkpath(bin);
    QDir().mkpath(share);
    // No system data folder may answer for the test.
    qputenv("XDG_DATA_DIRS", prefix.filePath(QStringLiteral("none")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", prefix.filePath(QStringLiteral("none-home")).toLocal8Bit());

    EXPECT_EQ(AppFiles::find(QStringLiteral("aidekeno.pdf"), bin), QString());

    TestSupport::writeFile(QDir(share).filePath(QStringLiteral("aidekeno.pdf")), "%PDF installed");
    EXPECT_EQ(AppFiles::find(QStringLiteral("aidekeno.pdf"), bin), QDir(share).filePath(QStringLiteral("aidekeno.pdf")));

    // Built beside the binary (the build folder) wins over an installed copy.
    TestSupport::writeFile(QDir(bin).filePath(QStringLiteral("aidekeno.pdf")), "%PDF built");
    EXPECT_EQ(AppFiles::find(QStringLiteral("aidekeno.pdf"), bin), QDir(bin).filePath(QStringLiteral("aidekeno.pdf")));

    // A folder of that name is not the file; system data folders are searched last.
    QDir().mkpath(QDir(bin).filePath(QStringLiteral("Conseil.txt")));
    const QString system = prefix.filePath(QStringLiteral("system"));
    QDir().mkpath(system + QStringLiteral("/tiravol"));
    TestSupport::writeFile(system + QStringLiteral("/tiravol/Conseil.txt"), "conseil");
    qputenv("XDG_DATA_DIRS", system.toLocal8Bit());
    EXPECT_EQ(AppFiles::find(QStringLiteral("Conseil.txt"), bin), system + QStringLiteral("/tiravol/Conseil.txt"));
    const QStringList folders = AppFiles::searchFolders(bin);
    EXPECT_EQ(folders.mid(0, 2), QStringList({QDir(bin).absolutePath(), QDir(share).absolutePath()}));
    EXPECT_GT(folders.indexOf(system + QStringLiteral("/tiravol")), 1);
}
