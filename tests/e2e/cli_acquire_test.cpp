// tiravol-cli add, import and download, end to end: the working history on disk, byte for byte.
#include "acquire/LocalArchiveSource.h"
#include "support/CliSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

class CliAcquire : public CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        m_all = makeHistory(30, QDate(2020, 1, 1));
        writeFile(dataFile("Tirages.txt"), crlf(m_all.mid(0, 10)));
    }
    QByteArray expectedWorking() const { return crlf(m_all); }
    // "import FILE" of the data folder.
    CliOutput import(const char* name) const { return cli({QStringLiteral("import"), dataFile(name)}); }

    QStringList m_all;
};

TEST_F(CliAcquire, ACsvArchiveGrowsTheWorkingHistory)
{
    writeFile(dataFile("archive.csv"), operatorCsv(m_all.mid(10), true, true));
    const CliOutput csv = import("archive.csv");
    ASSERT_EQ(csv.code, 0) << csv.err.toStdString();
    EXPECT_EQ(readFile(working()), expectedWorking());
    EXPECT_TRUE(csv.out.startsWith(QStringLiteral("Classement par sorties au ") + m_all.last().left(10) + u'\n'));
    EXPECT_TRUE(csv.err.contains(QStringLiteral("Import de l'archive : 20 tirages importés, aucune ligne ignorée.")));
    EXPECT_FALSE(QFileInfo::exists(m_home.filePath(QStringLiteral("config/Varn/tiravol.ini"))));
}

TEST_F(CliAcquire, FailuresExitOneAndNeverShortenTheWorkingHistory)
{
    writeFile(working(), expectedWorking());
    const QByteArray before = expectedWorking();

    const CliOutput missing = import("absent.zip");
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.out.isEmpty());

    // A damaged ZIP: no CSV to read, the base history alone is shorter than the file.
    writeFile(dataFile("broken.zip"), QByteArray("PK\x03\x04 not really an archive"));
    const CliOutput broken = import("broken.zip");
    EXPECT_EQ(broken.code, 1);
    // Every message whole on its own line, and the failure said once at the end.
    const QStringList lines = broken.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.filter(QStringLiteral(" ; ")), QStringList()) << broken.err.toStdString();
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^Fichier des tirages illisible ou absent : .*\\)$"))).size(), 1)
        << broken.err.toStdString();
    EXPECT_EQ(lines.filter(QStringLiteral("keno_gagnant_a_vie.zip")).size(), 1) << broken.err.toStdString();
    EXPECT_EQ(lines.value(lines.size() - 1), QStringLiteral("tiravol-cli : l'import a échoué"));
    EXPECT_EQ(readFile(working()), before);

    // A longer archive that lacks one draw of the working history: refused, and said by the status.
    QStringList gapped = m_all.mid(10);
    gapped.removeAt(5);
    gapped << makeHistory(34, QDate(2020, 1, 1)).mid(30);
    writeFile(dataFile("gapped.csv"), operatorCsv(gapped, true, true));
    const CliOutput refused = import("gapped.csv");
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("1 de ses tirages manque"))) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("tiravol-cli : l'historique de travail n'a pas été remplacé")));
    EXPECT_EQ(readFile(working()), before);
}

TEST_F(CliAcquire, DownloadFetchesOverHttp)
{
    const QByteArray zip = *LocalArchiveSource::zipOneFile(QStringLiteral("keno_gagnant_a_vie.csv"),
                                                           operatorCsv(m_all.mid(10), true, true), nullptr);
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, zip] {
            const bool found = socket->readAll().startsWith("GET /keno.zip ");
            socket->write(found ? "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(zip.size()) + "\r\n\r\n" + zip
                                : QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"));
            socket->disconnectFromHost();
        });
    });
    const QString base = QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort());

    const CliOutput ok = cli({QStringLiteral("download"), QStringLiteral("--url"), base + QStringLiteral("keno.zip")});
    ASSERT_EQ(ok.code, 0) << ok.err.toStdString();
    EXPECT_EQ(readFile(working()), expectedWorking());

    const CliOutput notFound = cli({QStringLiteral("download"), QStringLiteral("--url"), base + QStringLiteral("none.zip")});
    EXPECT_EQ(notFound.code, 1);
    EXPECT_TRUE(notFound.err.contains(QStringLiteral("404")));
    EXPECT_EQ(readFile(working()), expectedWorking());
}

TEST_F(CliAcquire, AnArchiveWritesOnlyItsDrawsNeverAFileTheProgramKeeps)
{
    // A ZIP archive; beside the draws, members named like the histories (in any case) and through a link.
    QDir(m_data.path()).mkpath(QStringLiteral("sub"));
    ASSERT_TRUE(QFile::link(m_data.path(), dataFile("sub/back")));
    const QByteArray csv = operatorCsv(m_all.mid(10), true, true);
    const QByteArray other = "pas un historique\r\n";
    writeZip(dataFile("archive.zip"),
             {{"keno_gagnant_a_vie.csv", csv},
              {"Tirages_keno.txt", other},
              {"TIRAGES.TXT", other},
              {"sub/back/Tirages_keno.txt", other}});

    const CliOutput r = import("archive.zip");
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(working()), expectedWorking());
    EXPECT_EQ(readFile(dataFile("Tirages.txt")), crlf(m_all.mid(0, 10)));
    for (const char* name : {"Tirages_keno.txt", "TIRAGES.TXT", "sub/back/Tirages_keno.txt"})
        EXPECT_TRUE(
            r.err.contains(QStringLiteral("Membre ignoré, il remplacerait un fichier du programme : ") + QLatin1String(name)))
            << name << r.err.toStdString();
}

TEST_F(CliAcquire, AddWritesTheNextDrawAndPrintsTheRanking)
{
    // Newest 31/12/2024 midday: its evening, then the midday draw of the next day, numbers ascending.
    QStringList history = makeHistory(3, QDate(2024, 12, 30));
    writeHistory(history);
    const QStringList added = {QStringLiteral("31/12/2024 01 03 05 08 10 12 14 20 22 27 33 39 41 45 50 58 61 66 69 70 soir"),
                               QStringLiteral("01/01/2025 51 52 53 54 55 56 57 58 59 60 61 62 63 64 65 66 67 68 69 70 midi")};
    const QString numbers[] = {QStringLiteral("70,3,45,12,1,69,20,33,8,50,61,27,14,39,5,58,66,22,41,10"),
                               QString(added[1].mid(11, 59)).replace(u' ', u',')};
    for (int i = 0; i < 2; ++i) {
        const CliOutput r = cli({QStringLiteral("add"), numbers[i]});
        history << added[i];
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(readFile(working()), crlf(history));
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("Classement par sorties au ") + added[i].left(10) + u'\n'))
            << r.out.toStdString();
    }
}

TEST_F(CliAcquire, AddOnAFullDiskExitsOneAndKeepsTheHistory)
{
    const QByteArray history = crlf(makeHistory(102));
    writeFile(working(), history);
    CliOutput r;
    {
        const FileSizeLimit full(4096);
        r = cli({QStringLiteral("add"), QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20")});
    }
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Tirages_keno.txt » n'a pas été enregistré ; l'ancien fichier est gardé tel quel")))
        << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("fenêtre"))) << r.err.toStdString();
    EXPECT_EQ(readFile(working()), history);
}

} // namespace
