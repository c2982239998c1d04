// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Settings.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>

using namespace TestSupport;

namespace {

const QString kUrl = QStringLiteral("URL"), kKey = QStringLiteral("FileFdesjeux");

class SettingsTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    const QString ini = Settings::iniPath(tmp.filePath(QStringLiteral("config")));
    QString address() const { return Settings(ini, false).archiveUrl(); }
};

TEST_F(SettingsTest, WrittenAsTheProgramAlwaysWroteIt)
{
    EXPECT_EQ(address(), Settings::defaultArchiveUrl());
    EXPECT_FALSE(QFileInfo::exists(ini)); // read-only never creates it
    EXPECT_EQ(Settings(ini, true).archiveUrl(), Settings::defaultArchiveUrl());
    EXPECT_EQ(readFile(ini), "[URL]\nFileFdesjeux=" + Settings::defaultArchiveUrl().toUtf8() + "\n");
    // Nothing left beside it: no lock, no half-written copy.
    EXPECT_EQ(QDir(QFileInfo(ini).path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("tiravol.ini")});

    // Another section and key stay, read back as they were (quoted for their '='); the names keep
    // the case the file gives them.
    writeFile(ini, "[url]\nfilefdesjeux=ancienne\nSiteTiravol=https://s.fr/p?a=1&b=2\n\n[Fenetre]\nGauche=-5\n");
    ASSERT_TRUE(Settings(ini, true).setArchiveUrl(QStringLiteral("https://n.fr/a.zip")));
    EXPECT_EQ(readFile(ini).toStdString(),
              "[Fenetre]\nGauche=-5\n\n[url]\nSiteTiravol=\"https://s.fr/p?a=1&b=2\"\nfilefdesjeux=https://n.fr/a.zip\n");
    const Settings reader(ini, false);
    EXPECT_EQ(reader.read(QStringLiteral("FENETRE"), QStringLiteral("gauche"), QString()), QStringLiteral("-5"));
    EXPECT_EQ(reader.read(kUrl, QStringLiteral("SiteTiravol"), QString()), QStringLiteral("https://s.fr/p?a=1&b=2"));
    EXPECT_EQ(reader.read(QStringLiteral("Fenetre"), QStringLiteral("Haut"), QStringLiteral("?")), QStringLiteral("?"));
}

TEST_F(SettingsTest, AddressesWithSeparatorsComeBackWhole)
{
    // ',' and ';' belong to an address: quoted when written, read back as they were.
    for (const QString& address : {QStringLiteral("https://exemple.fr/a,b;c?x=1&y=\"2\""), QStringLiteral(" https://n.fr/ ")}) {
        ASSERT_TRUE(Settings(ini, true).setArchiveUrl(address));
        EXPECT_EQ(this->address(), address);
    }
    // Written by hand without quotes, commas and all.
    writeFile(ini, "[URL]\r\nFileFdesjeux=https://e.fr/a,b.zip\r\n");
    EXPECT_EQ(address(), QStringLiteral("https://e.fr/a,b.zip"));
    writeFile(ini, "[URL]\nFileFdesjeux=" + QByteArray(300, 'a') + "\n");
    EXPECT_EQ(address(), QString(254, QLatin1Char('a')));
}

TEST_F(SettingsTest, AFileThatDoesNotReadIsNeverReplaced)
{
    // Bytes that are not text: the default address serves, the file stays as it is.
    const QByteArray broken = "[URL]\nFileFdesjeux=https://mine.fr/a.zip\n\xff\xfe [\n[Fenetre]\nGauche=7\n";
    writeFile(ini, broken);
    Settings settings(ini, true);
    EXPECT_EQ(settings.archiveUrl(), Settings::defaultArchiveUrl());
    EXPECT_FALSE(settings.setArchiveUrl(QStringLiteral("https://n.fr/a.zip")));
    EXPECT_TRUE(settings.lastError().startsWith(QStringLiteral("Le fichier des réglages « ")))
        << settings.lastError().toStdString();
    EXPECT_TRUE(settings.lastError().endsWith(QStringLiteral("ne peut pas être lu : il n'a pas été modifié.")));
    EXPECT_EQ(readFile(ini), broken);

    // A folder where the file should be.
    QFile::remove(ini);
    ASSERT_TRUE(QDir().mkpath(ini));
    EXPECT_EQ(settings.archiveUrl(), Settings::defaultArchiveUrl());
    EXPECT_FALSE(settings.write(kUrl, kKey, QStringLiteral("x")));
    EXPECT_FALSE(settings.lastError().isEmpty());
    EXPECT_TRUE(QFileInfo(ini).isDir());
}

TEST_F(SettingsTest, EachGameKeepsItsOwnAddressAndTheChosenGameIsKept)
{
    const Formula &classic = Formula::classic(), &current = Formula::current();
    // Nothing chosen yet; each game falls back on its own default, written under its own key.
    EXPECT_EQ(Settings(ini, false).game(), std::nullopt);
    EXPECT_EQ(Settings(ini, false).archiveUrl(current), current.defaultArchiveUrl);
    writeFile(ini, "[URL]\nFileFdesjeux=https://mine.fr/a.zip\n");
    Settings settings(ini, true);
    EXPECT_EQ(settings.archiveUrl(current), current.defaultArchiveUrl);
    ASSERT_TRUE(settings.setArchiveUrl(QStringLiteral("https://n.fr/b.zip"), current));
    ASSERT_TRUE(settings.setGame(FormulaId::Keno16of56));
    // The classic key is left as it was; the other game's address and the game sit beside it.
    EXPECT_EQ(readFile(ini).toStdString(),
              "[Jeu]\nFormule=16-56\n\n[URL]\nFileFdesjeux=https://mine.fr/a.zip\nFileFdesjeux16-56=https://n.fr/b.zip\n");
    EXPECT_EQ(settings.archiveUrl(classic), QStringLiteral("https://mine.fr/a.zip"));
    EXPECT_EQ(settings.archiveUrl(), QStringLiteral("https://mine.fr/a.zip"));
    EXPECT_EQ(settings.archiveUrl(current), QStringLiteral("https://n.fr/b.zip"));
    EXPECT_EQ(Settings(ini, false).game(), FormulaId::Keno16of56);
    ASSERT_TRUE(settings.setGame(FormulaId::Keno20of70));
    EXPECT_EQ(Settings(ini, false).game(), FormulaId::Keno20of70);

    // A value written by hand that names no game chooses none.
    for (const char* value : {"16/56", "70", ""}) {
        writeFile(ini, QByteArray("[Jeu]\nFormule=") + value + "\n");
        EXPECT_EQ(Settings(ini, false).game(), std::nullopt) << value;
    }
}

TEST_F(SettingsTest, PayTableCorrectionsAreKeptPerGameAndABadOneLeavesTheShippedTable)
{
    const Formula &classic = Formula::classic(), &current = Formula::current();
    // A player who filled the whole table of the current game: longer than a profile value.
    PayTable filled = current.payTable;
    for (int k = current.minTicked; k <= current.maxTicked; ++k)
        for (int m = 0; m <= k; ++m)
            filled.amounts[k][m] = filled.amounts[k][m].value_or(100000 + m);
    Settings settings(ini, true);
    ASSERT_TRUE(settings.setPayTable(FormulaId::Keno16of56, filled));
    QStringList notices;
    PayTables read = Settings(ini, false).payTables(&notices);
    EXPECT_EQ(notices, QStringList());
    EXPECT_EQ(read.of(FormulaId::Keno16of56).amounts, filled.amounts);
    EXPECT_TRUE(read.isShipped(FormulaId::Keno20of70));

    // The classic game's key sits beside it; going back to the shipped table leaves an empty key.
    PayTable classicFixed = classic.payTable;
    classicFixed.amounts[3][2] = 3;
    ASSERT_TRUE(settings.setPayTable(FormulaId::Keno20of70, classicFixed));
    ASSERT_TRUE(settings.setPayTable(FormulaId::Keno16of56, current.payTable));
    EXPECT_TRUE(readFile(ini).contains("[Gains]\n16-56=\n20-70=\"3=0;0;3;10\"\n")) << readFile(ini).toStdString();
    read = Settings(ini, false).payTables();
    EXPECT_EQ(read.of(FormulaId::Keno20of70).amount(3, 2), 3);
    EXPECT_TRUE(read.isShipped(FormulaId::Keno16of56));

    // Typed by hand with a mistake: that game keeps its shipped table, the other its correction.
    writeFile(ini, "[Gains]\n16-56=\"7=0;0;0;0;1;5;90;3000;12\"\n20-70=\"3=0;0;3;10\"\n");
    read = Settings(ini, false).payTables(&notices);
    EXPECT_TRUE(read.isShipped(FormulaId::Keno16of56));
    EXPECT_EQ(read.of(FormulaId::Keno20of70).amount(3, 2), 3);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith(QStringLiteral("Réglage [Gains] 16-56 du fichier « "))) << notices[0].toStdString();
    EXPECT_TRUE(notices[0].contains(QStringLiteral("donne 9 montants au lieu de 8")));
    EXPECT_TRUE(notices[0].endsWith(QStringLiteral("La table des gains d'origine de ce jeu reste en vigueur.")));
}

TEST_F(SettingsTest, APayTableThatCannotBeWrittenLeavesTheFileWhole)
{
    PayTable table = Formula::current().payTable;
    table.amounts[4] = {0, 0, 1, 4, 25};
    ASSERT_TRUE(Settings(ini, true).setPayTable(FormulaId::Keno16of56, table));
    const QByteArray before = readFile(ini);
    for (int k = 5; k <= 10; ++k)
        for (int m = 0; m <= k; ++m)
            table.amounts[k][m] = 123456789;
    {
        FileSizeLimit full(before.size() + 20); // the disk fills while the new file is written
        Settings settings(ini, true);
        EXPECT_FALSE(settings.setPayTable(FormulaId::Keno16of56, table));
        EXPECT_TRUE(settings.lastError().endsWith(QStringLiteral("ne peut pas être écrit.")))
            << settings.lastError().toStdString();
    }
    EXPECT_EQ(readFile(ini), before);
    EXPECT_EQ(QDir(QFileInfo(ini).path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("tiravol.ini")});
    EXPECT_EQ(Settings(ini, false).payTables().of(FormulaId::Keno16of56).amount(4, 4), 25);
}

} // namespace
