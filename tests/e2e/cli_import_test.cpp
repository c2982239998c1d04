// tiravol-cli import and download, end to end: the working history on disk, byte for byte.
#include "acquire/LocalArchiveSource.h"
#include "cli/CliApp.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

struct CliRun {
    int status;
    QString out, err;
};

CliRun cli(const QStringList& args)
{
    CliRun r{};
    QTextStream out(&r.out), err(&r.err);
    r.status = runCli(args, out, err);
    return r;
}

// Operator rows, newest first, with the quirks real archives show (blank after the slot,
// extra columns, CR LF).
QByteArray quirkyCsv(const QStringList& draws)
{
    QByteArray csv = "annee;date_de_tirage;heure_de_tirage;forclusion;b1\r\n";
    for (qsizetype i = draws.size() - 1; i >= 0; --i) {
        const QString& d = draws[i];
        QByteArray row = "2020;" + d.left(10).toUtf8() + ';' + d.right(4).toUtf8() + " ;x";
        for (int k = 1; k <= 20; ++k)
            row += ';' + QByteArray::number(d.mid(3 * k + 8, 2).toInt());
        csv += row + ";1;2;3\r\n";
    }
    return csv;
}

class CliImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
        m_all = makeHistory(30, QDate(2020, 1, 1));
        writeFile(path("Tirages.txt"), (m_all.mid(0, 10).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QByteArray expectedWorking() const { return (m_all.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(); }

    QTemporaryDir m_dir;
    QStringList m_all;
};

TEST_F(CliImport, CsvAndZipArchivesGrowTheWorkingHistory)
{
    writeFile(path("archive.csv"), quirkyCsv(m_all.mid(10)));
    const CliRun csv = cli({QStringLiteral("--data-dir"), m_dir.path(), QStringLiteral("import"), path("archive.csv")});
    ASSERT_EQ(csv.status, 0) << csv.err.toStdString();
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), expectedWorking());
    EXPECT_TRUE(csv.out.startsWith(QStringLiteral("Classement par sorties au ") + m_all.last().left(10) + QLatin1Char('\n')));
    EXPECT_EQ(csv.out.count(QLatin1Char('\n')), 72);
    EXPECT_TRUE(csv.err.contains(QStringLiteral("Import de l'archive : 20 tirages importés, aucune ligne ignorée.")));

    // The same archive as a ZIP gives the same list; nothing new, so the file is not rewritten.
    QFile::remove(path("Tirages_keno.txt"));
    const auto zip = LocalArchiveSource::zipOneFile(QStringLiteral("keno_gagnant_a_vie.csv"), quirkyCsv(m_all.mid(10)), nullptr);
    ASSERT_TRUE(zip);
    writeFile(path("archive.zip"), *zip);
    ASSERT_EQ(cli({QStringLiteral("--data-dir"), m_dir.path(), QStringLiteral("import"), path("archive.zip")}).status, 0);
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), expectedWorking());
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(QStringLiteral("config/Varn/tiravol.ini"))));
}

TEST_F(CliImport, FailuresExitOneAndNeverShortenTheWorkingHistory)
{
    writeFile(path("Tirages_keno.txt"), expectedWorking());
    const QByteArray before = readFile(path("Tirages_keno.txt"));

    const CliRun missing = cli({QStringLiteral("--data-dir"), m_dir.path(), QStringLiteral("import"), path("absent.zip")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.isEmpty());

    // A damaged ZIP: no CSV to read, the base history alone is shorter than the file.
    writeFile(path("broken.zip"), QByteArray("PK\x03\x04 not really an archive"));
    const CliRun broken = cli({QStringLiteral("--data-dir"), m_dir.path(), QStringLiteral("import"), path("broken.zip")});
    EXPECT_EQ(broken.status, 1);
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
    writeFile(path("gapped.csv"), quirkyCsv(gapped));
    const CliRun refused = cli({QStringLiteral("--data-dir"), m_dir.path(), QStringLiteral("import"), path("gapped.csv")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("1 de ses tirages manque"))) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("tiravol-cli : l'historique de travail n'a pas été remplacé")));
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), before);
}

TEST_F(CliImport, DownloadFetchesOverHttp)
{
    const QByteArray zip
        = *LocalArchiveSource::zipOneFile(QStringLiteral("keno_gagnant_a_vie.csv"), quirkyCsv(m_all.mid(10)), nullptr);
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

    const CliRun ok = cli({QStringLiteral("--data-dir"), m_dir.path(), QStringLiteral("download"), QStringLiteral("--url"),
                           base + QStringLiteral("keno.zip")});
    ASSERT_EQ(ok.status, 0) << ok.err.toStdString();
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), expectedWorking());

    const CliRun notFound = cli({QStringLiteral("--data-dir"), m_dir.path(), QStringLiteral("download"), QStringLiteral("--url"),
                                 base + QStringLiteral("none.zip")});
    EXPECT_EQ(notFound.status, 1);
    EXPECT_TRUE(notFound.err.contains(QStringLiteral("404")));
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), expectedWorking());
}

} // namespace

TEST_F(CliImport, AnArchiveWritesOnlyItsDrawsNeverAFileTheProgramKeeps)
{
    // Beside the draws, members named like the histories (in any case) and through a link.
    QDir(m_dir.path()).mkpath(QStringLiteral("sub"));
    ASSERT_TRUE(QFile::link(m_dir.path(), path("sub/back")));
    const QByteArray csv = quirkyCsv(m_all.mid(10));
    const QByteArray notHistory("pas un historique\r\n");
    TestSupport::writeZip(path("archive.zip"),
                          {{"keno_gagnant_a_vie.csv", csv},
                           {"Tirages_keno.txt", notHistory},
                           {"TIRAGES.TXT", notHistory},
                           {"sub/back/Tirages_keno.txt", notHistory}});

    const CliRun r = cli({QStringLiteral("--data-dir"), m_dir.path(), QStringLiteral("import"), path("archive.zip")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), expectedWorking());
    EXPECT_EQ(readFile(path("Tirages.txt")), crlf(m_all.mid(0, 10)));
    for (const char* name : {"Tirages_keno.txt", "TIRAGES.TXT", "sub/back/Tirages_keno.txt"})
        EXPECT_TRUE(
            r.err.contains(QStringLiteral("Membre ignoré, il remplacerait un fichier du programme : ") + QLatin1String(name)))
            << name << r.err.toStdString();
}
