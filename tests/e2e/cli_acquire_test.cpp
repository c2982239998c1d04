// tiravol-cli add and import, end to end (download, stopped, in cli_main_test): the working history on disk, byte for byte.
#include "support/CliSupport.h"

#include <QDir>
#include <QRegularExpression>

using namespace TestSupport;

namespace {

class CliAcquire : public CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        writeFile(dataFile("Tirages.txt"), crlf(m_all.mid(0, 10)));
    }
    // "import FILE" of the data folder.
    CliOutput import(const char* name) const { return cli({QStringLiteral("import"), dataFile(name)}); }

    const QStringList m_all = makeHistory(30, QDate(2020, 1, 1));
    const QByteArray m_csv = operatorCsv(m_all.mid(10), true, true);
};

TEST_F(CliAcquire, AnArchiveGrowsTheWorkingHistoryButNeverWritesAFileTheProgramKeeps)
{
    // Beside the draws, members named like the histories (in any case) and through a link.
    QDir(m_data.path()).mkpath(QStringLiteral("sub"));
    ASSERT_TRUE(QFile::link(m_data.path(), dataFile("sub/back")));
    const QByteArrayList kept = {"Tirages_keno.txt", "TIRAGES.TXT", "sub/back/Tirages_keno.txt"};
    QList<std::pair<QByteArray, QByteArray>> members = {{"keno_gagnant_a_vie.csv", m_csv}};
    for (const QByteArray& name : kept)
        members.append({name, "pas un historique\r\n"});
    writeZip(dataFile("archive.zip"), members);

    const CliOutput r = import("archive.zip");
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(working()), crlf(m_all));
    EXPECT_EQ(readFile(dataFile("Tirages.txt")), crlf(m_all.mid(0, 10)));
    EXPECT_TRUE(startsWith(r.out, QStringLiteral("Classement par sorties au ") + m_all.last().left(10) + u'\n'));
    EXPECT_TRUE(contains(r.err, QStringLiteral("Import de l'archive : 20 tirages importés, aucune ligne ignorée.")));
    for (const QByteArray& name : kept)
        EXPECT_TRUE(contains(
            r.err, QStringLiteral("Membre ignoré, il remplacerait un fichier du programme : ") + QString::fromLatin1(name)));
    EXPECT_FALSE(contains(r.err, QStringLiteral("introuvable"))); // no working history yet: nothing to say
    EXPECT_FALSE(QFileInfo::exists(m_home.filePath(QStringLiteral("config/Varn/tiravol.ini"))));
}

TEST_F(CliAcquire, FailuresExitOneAndNeverShortenTheWorkingHistory)
{
    writeFile(working(), crlf(m_all));
    const CliOutput missing = import("absent.zip");
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, QString());

    // A damaged ZIP: no CSV to read, the base history alone is shorter than the file.
    writeFile(dataFile("broken.zip"), QByteArray("PK\x03\x04 not really an archive"));
    const CliOutput broken = import("broken.zip");
    EXPECT_EQ(broken.code, 1);
    // Every message whole on its own line, and the failure said once at the end.
    const QStringList lines = broken.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.filter(QStringLiteral(" ; ")), QStringList());
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^Fichier des tirages illisible ou absent : .*\\)$"))).size(), 1);
    EXPECT_EQ(lines.filter(QStringLiteral("keno_gagnant_a_vie.zip")).size(), 1);
    EXPECT_EQ(lines.value(lines.size() - 1), QStringLiteral("tiravol-cli : l'import a échoué"));

    // A longer archive that lacks one draw of the working history: refused (the Workspace says why), and said by the status.
    QStringList gapped = m_all.mid(10);
    gapped.removeAt(5);
    gapped << makeHistory(34, QDate(2020, 1, 1)).mid(30);
    writeFile(dataFile("gapped.csv"), operatorCsv(gapped, true, true));
    const CliOutput refused = import("gapped.csv");
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(contains(refused.err, QStringLiteral("tiravol-cli : l'historique de travail n'a pas été remplacé")));
    EXPECT_EQ(readFile(working()), crlf(m_all));
}

TEST_F(CliAcquire, AddWritesTheNextDrawOrExitsOneOnAFullDisk)
{
    QStringList history = makeHistory(3, QDate(2024, 12, 30));
    writeHistory(history);
    const CliOutput r = cli({QStringLiteral("add"), QStringLiteral("70,3,45,12,1,69,20,33,8,50,61,27,14,39,5,58,66,22,41,10")});
    EXPECT_EQ(r.code, 0);
    history << QStringLiteral("31/12/2024 01 03 05 08 10 12 14 20 22 27 33 39 41 45 50 58 61 66 69 70 soir");
    EXPECT_EQ(readFile(working()), crlf(history));
    EXPECT_TRUE(startsWith(r.out, QStringLiteral("Classement par sorties au 31/12/2024\n")));

    CliOutput full;
    {
        const FileSizeLimit limit(readFile(working()).size());
        full = cli({QStringLiteral("add"), QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20")});
    }
    EXPECT_EQ(full.code, 1);
    EXPECT_TRUE(
        contains(full.err, QStringLiteral("Tirages_keno.txt » n'a pas été enregistré ; l'ancien fichier est gardé tel quel")));
    EXPECT_FALSE(contains(full.err, QStringLiteral("fenêtre")));
    EXPECT_EQ(readFile(working()), crlf(history));
}

} // namespace
