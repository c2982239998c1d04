// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AppFiles.h"

#include "support/TestSupport.h"

#include <QDir>

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

    const QString help = QStringLiteral("aidekeno.pdf");
    EXPECT_EQ(AppFiles::find(help, bin), QString());
    TestSupport::writeFile(QDir(share).filePath(help), "%PDF installed");
    EXPECT_EQ(AppFiles::find(help, bin), QDir(share).filePath(help));
    // Built beside the binary (the build folder) wins over an installed copy.
    TestSupport::writeFile(QDir(bin).filePath(help), "%PDF built");
    EXPECT_EQ(AppFiles::find(help, bin), QDir(bin).filePath(help));

    // A folder of that name is not the file; system data folders are searched last.
    QDir().mkpath(QDir(bin).filePath(QStringLiteral("Conseil.txt")));
    const QString system = prefix.filePath(QStringLiteral("system"));
    TestSupport::writeFile(system + QStringLiteral("/tiravol/Conseil.txt"), "conseil");
    qputenv("XDG_DATA_DIRS", system.toLocal8Bit());
    EXPECT_EQ(AppFiles::find(QStringLiteral("Conseil.txt"), bin), system + QStringLiteral("/tiravol/Conseil.txt"));
    const QStringList folders = AppFiles::searchFolders(bin);
    EXPECT_EQ(folders.mid(0, 2), QStringList({QDir(bin).absolutePath(), QDir(share).absolutePath()}));
    EXPECT_GT(folders.indexOf(system + QStringLiteral("/tiravol")), 1);
}

// Each game keeps its own two files in the data folder, found whatever the case of their names.
TEST(AppFiles, EachGameHasItsWorkingAndBaseHistory)
{
    QTemporaryDir data;
    const QDir dir(data.path());
    EXPECT_EQ(AppFiles::workingHistory(data.path(), FormulaId::Keno20of70), dir.filePath(QStringLiteral("Tirages_keno.txt")));
    EXPECT_EQ(AppFiles::baseHistory(data.path(), FormulaId::Keno20of70), dir.filePath(QStringLiteral("Tirages.txt")));
    EXPECT_EQ(AppFiles::workingHistory(data.path(), FormulaId::Keno16of56),
              dir.filePath(QStringLiteral("Tirages_keno_16-56.txt")));
    EXPECT_EQ(AppFiles::baseHistory(data.path(), FormulaId::Keno16of56), dir.filePath(QStringLiteral("Tirages_16-56.txt")));
    TestSupport::writeFile(dir.filePath(QStringLiteral("TIRAGES_16-56.TXT")), "x");
    EXPECT_EQ(AppFiles::baseHistory(data.path(), FormulaId::Keno16of56), dir.filePath(QStringLiteral("TIRAGES_16-56.TXT")));
    EXPECT_EQ(AppFiles::baseHistory(data.path(), FormulaId::Keno20of70), dir.filePath(QStringLiteral("Tirages.txt")));
}
