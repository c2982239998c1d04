// tiravol-cli import and download, end to end: the working history on disk, byte for byte.
#include "acquire/LocalArchiveSource.h"
#include "support/CliSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

class CliImport : public CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        m_all = makeHistory(30, QDate(2020, 1, 1));
        writeFile(path("Tirages.txt"), crlf(m_all.mid(0, 10)));
    }
    QString path(const char* name) const { return dataFile(name); }
    QByteArray expectedWorking() const { return crlf(m_all); }
    // "import FILE" of the data folder.
    CliOutput import(const char* name) const { return cli({QStringLiteral("import"), path(name)}); }

    QStringList m_all;
};

TEST_F(CliImport, CsvAndZipArchivesGrowTheWorkingHistory)
{
    writeFile(path("archive.csv"), operatorCsv(m_all.mid(10), true, true));
    const CliOutput csv = import("archive.csv");
    ASSERT_EQ(csv.code, 0) << csv.err.toStdString();
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), expectedWorking());
    EXPECT_TRUE(csv.out.startsWith(QStringLiteral("Classement par sorties au ") + m_all.last().left(10) + QLatin1Char('\n')));
    EXPECT_EQ(csv.out.count(QLatin1Char('\n')), 72);
    EXPECT_TRUE(csv.err.contains(QStringLiteral("Import de l'archive : 20 tirages importés, aucune ligne ignorée.")));

    // The same archive as a ZIP gives the same list; nothing new, so the file is not rewritten.
    QFile::remove(path("Tirages_keno.txt"));
    const auto zip = LocalArchiveSource::zipOneFile(QStringLiteral("keno_gagnant_a_vie.csv"),
                                                    operatorCsv(m_all.mid(10), true, true), nullptr);
    ASSERT_TRUE(zip);
    writeFile(path("archive.zip"), *zip);
    ASSERT_EQ(import("archive.zip").code, 0);
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), expectedWorking());
    EXPECT_FALSE(QFileInfo::exists(m_home.filePath(QStringLiteral("config/Varn/tiravol.ini"))));
}

TEST_F(CliImport, FailuresExitOneAndNeverShortenTheWorkingHistory)
{
    writeFile(path("Tirages_keno.txt"), expectedWorking());
    const QByteArray before = readFile(path("Tirages_keno.txt"));

    const CliOutput missing = import("absent.zip");
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.out.isEmpty());

    // A damaged ZIP: no CSV to read, the base history alone is shorter than the file.
    writeFile(path("broken.zip"), QByteArray("PK\x03\x04 not really an archive"));
    const CliOutput broken = import("broken.zip");
    EXPECT_EQ(broken.code, 1);
    // Every message whole on its own line, and the failure said once at the end.
    const QStringList lines = broken.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.filter(QStringLiteral(" ; ")), QStringList()) << broken.err.toStdString();
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^Fichier des tirages illisible ou absent : .*\\)$"))).size(), 1)
        << broken.err.toStdString();
    EXPECT_EQ(lines.filter(QStringLiteral("keno_gagnant_a_vie.zip")).size(), 1) << broken.err.toStdString();
    EXPECT_EQ(lines.value(lines.size() - 1), QStringLiteral("tiravol-cli : l'import a échoué"));
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), before);

    // A longer archive that lacks one draw of the working history: refused, and said by the status.
    QStringList gapped = m_all.mid(10);
    gapped.removeAt(5);
    gapped << makeHistory(34, QDate(2020, 1, 1)).mid(30);
    writeFile(path("gapped.csv"), operatorCsv(gapped, true, true));
    const CliOutput refused = import("gapped.csv");
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("1 de ses tirages manque"))) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("tiravol-cli : l'historique de travail n'a pas été remplacé")));
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), before);
}

TEST_F(CliImport, DownloadFetchesOverHttp)
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
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), expectedWorking());

    const CliOutput notFound = cli({QStringLiteral("download"), QStringLiteral("--url"), base + QStringLiteral("none.zip")});
    EXPECT_EQ(notFound.code, 1);
    EXPECT_TRUE(notFound.err.contains(QStringLiteral("404")));
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), expectedWorking());
}

} // namespace

TEST_F(CliImport, AnArchiveWritesOnlyItsDrawsNeverAFileTheProgramKeeps)
{
    // Beside the draws, members named like the histories (in any case) and through a link.
    QDir(m_data.path()).mkpath(QStringLiteral("sub"));
    ASSERT_TRUE(QFile::link(m_data.path(), path("sub/back")));
    const QByteArray csv = operatorCsv(m_all.mid(10), true, true);
    const QByteArray other = "pas un historique\r\n";
    writeZip(path("archive.zip"),
             {{"keno_gagnant_a_vie.csv", csv},
              {"Tirages_keno.txt", other},
              {"TIRAGES.TXT", other},
              {"sub/back/Tirages_keno.txt", other}});

    const CliOutput r = import("archive.zip");
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), expectedWorking());
    EXPECT_EQ(readFile(path("Tirages.txt")), crlf(m_all.mid(0, 10)));
    for (const char* name : {"Tirages_keno.txt", "TIRAGES.TXT", "sub/back/Tirages_keno.txt"})
        EXPECT_TRUE(
            r.err.contains(QStringLiteral("Membre ignoré, il remplacerait un fichier du programme : ") + QLatin1String(name)))
            << name << r.err.toStdString();
}
