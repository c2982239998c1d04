#include "acquire/NetworkArchiveSource.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace std::chrono_literals;

using TestSupport::readFile;
using TestSupport::writeFile;

// A small HTTP/1.1 server on 127.0.0.1, answering each path with a scripted behaviour. It runs
// on the test's thread: the download's own event loop serves it.
class ScriptedHttpServer {
public:
    enum class Mode {
        Whole,    // head and body, then close
        Stall,    // head only, then silence with the connection open
        Drip,     // head, then the body in pieces at intervals, then close
    };
    struct Route {
        QByteArray head;
        QByteArray body;
        Mode mode = Mode::Whole;
        int pieces = 1;
        std::chrono::milliseconds interval {0};
    };

    ScriptedHttpServer()
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }

    bool start() { return m_server.listen(QHostAddress::LocalHost, 0); }
    QString url(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(QLatin1String(path));
    }
    void route(const QByteArray& path, Route route) { m_routes.insert(path, std::move(route)); }
    QList<QByteArray> requested;

    static QByteArray head(int status, const QByteArray& reason, qint64 contentLength, const QByteArray& extra = {})
    {
        return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\nContent-Length: "
            + QByteArray::number(contentLength) + "\r\nContent-Type: application/zip\r\nConnection: close\r\n" + extra
            + "\r\n";
    }

private:
    void serve(QTcpSocket* socket)
    {
        auto received = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
            received->append(socket->readAll());
            if (!received->contains("\r\n\r\n") || socket->property("answered").toBool())
                return;
            socket->setProperty("answered", true);
            const QList<QByteArray> requestLine = received->left(received->indexOf("\r\n")).split(' ');
            const QByteArray path = requestLine.value(1);
            requested.append(path);
            answer(socket, m_routes.value(path, Route {head(404, "Not Found", 9), "not found"}));
        });
    }

    void answer(QTcpSocket* socket, const Route& route)
    {
        socket->write(route.head);
        switch (route.mode) {
        case Mode::Whole:
            socket->write(route.body);
            socket->disconnectFromHost();
            break;
        case Mode::Stall:
            break;
        case Mode::Drip: {
            auto timer = new QTimer(socket);
            auto sent = std::make_shared<int>(0);
            const qsizetype size = (route.body.size() + route.pieces - 1) / route.pieces;
            QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, sent, size, body = route.body] {
                socket->write(body.mid(*sent * size, size));
                if (++*sent * size >= body.size()) {
                    timer->stop();
                    socket->disconnectFromHost();
                }
            });
            timer->start(route.interval);
            break;
        }
        }
    }

    QTcpServer m_server;
    QHash<QByteArray, Route> m_routes;
};

class ArchiveDownloadTest : public ::testing::Test {
protected:
    QTemporaryDir m_temp;
    ScriptedHttpServer m_http;
    NetworkArchiveSource m_source;
    QString m_destination;
    QString m_error;

    void SetUp() override
    {
        ASSERT_TRUE(m_temp.isValid());
        ASSERT_TRUE(m_http.start());
        m_destination = m_temp.filePath(QStringLiteral("keno_gagnant_a_vie.zip"));
        writeFile(m_destination, "old archive");
        m_source.setIdleTimeout(2s);
    }

    bool fetch(const char* path, const ArchiveSource::Progress& progress = {})
    {
        m_error.clear();
        return m_source.fetch(m_http.url(path), m_destination, progress, &m_error);
    }

    // The old file is still there and nothing was left beside it.
    void expectUntouched()
    {
        EXPECT_EQ(readFile(m_destination), QByteArray("old archive"));
        EXPECT_EQ(QDir(m_temp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("keno_gagnant_a_vie.zip")});
    }
};

QByteArray archiveBody(int size)
{
    QByteArray body("PK\x03\x04", 4);
    while (body.size() < size)
        body.append(static_cast<char>('a' + body.size() % 26));
    return body;
}

} // namespace

TEST_F(ArchiveDownloadTest, WholeBodyReplacesTheFile)
{
    const QByteArray body = archiveBody(100000);
    m_http.route("/keno.zip", {ScriptedHttpServer::head(200, "OK", body.size()), body});
    qint64 lastReceived = 0;
    qint64 lastTotal = 0;
    ASSERT_TRUE(fetch("/keno.zip", [&](qint64 received, qint64 total) {
        EXPECT_GE(received, lastReceived);
        lastReceived = received;
        lastTotal = total;
    })) << m_error.toStdString();
    EXPECT_EQ(readFile(m_destination), body);
    EXPECT_EQ(lastReceived, body.size());
    EXPECT_EQ(lastTotal, body.size());
    EXPECT_EQ(QDir(m_temp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("keno_gagnant_a_vie.zip")});
}

TEST_F(ArchiveDownloadTest, RedirectIsFollowed)
{
    const QByteArray body = archiveBody(500);
    m_http.route("/old/keno.zip", {ScriptedHttpServer::head(302, "Found", 12, "Location: /new/keno.zip\r\n"), "moved here.."});
    m_http.route("/new/keno.zip", {ScriptedHttpServer::head(200, "OK", body.size()), body});
    ASSERT_TRUE(fetch("/old/keno.zip")) << m_error.toStdString();
    EXPECT_EQ(readFile(m_destination), body);
    EXPECT_EQ(m_http.requested, QList<QByteArray>({"/old/keno.zip", "/new/keno.zip"}));
}

TEST_F(ArchiveDownloadTest, ErrorStatusLeavesTheOldFile)
{
    EXPECT_FALSE(fetch("/nowhere.zip"));
    EXPECT_TRUE(m_error.startsWith(QStringLiteral("Échec du téléchargement : "))) << m_error.toStdString();
    EXPECT_TRUE(m_error.contains(QLatin1String("404"))) << m_error.toStdString();
    expectUntouched();

    m_http.route("/busy.zip", {ScriptedHttpServer::head(503, "Service Unavailable", 4), "busy"});
    EXPECT_FALSE(fetch("/busy.zip"));
    EXPECT_TRUE(m_error.contains(QLatin1String("503"))) << m_error.toStdString();
    expectUntouched();
}

TEST_F(ArchiveDownloadTest, ConnectionClosedHalfWayLeavesTheOldFile)
{
    const QByteArray body = archiveBody(20000);
    m_http.route("/cut.zip", {ScriptedHttpServer::head(200, "OK", body.size() * 2), body});
    EXPECT_FALSE(fetch("/cut.zip"));
    EXPECT_TRUE(m_error.startsWith(QStringLiteral("Échec du téléchargement : "))) << m_error.toStdString();
    expectUntouched();
}

TEST_F(ArchiveDownloadTest, OversizedBodyIsRefused)
{
    const QByteArray body = archiveBody(50000);
    m_http.route("/huge.zip", {ScriptedHttpServer::head(200, "OK", body.size()), body});
    m_source.setMaxSize(10000);
    EXPECT_FALSE(fetch("/huge.zip"));
    EXPECT_TRUE(m_error.startsWith(QStringLiteral("Échec du téléchargement : fichier de plus de"))) << m_error.toStdString();
    expectUntouched();
}

TEST_F(ArchiveDownloadTest, SilentServerTimesOut)
{
    m_http.route("/stall.zip", {ScriptedHttpServer::head(200, "OK", 1000), {}, ScriptedHttpServer::Mode::Stall});
    m_source.setIdleTimeout(1s);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(fetch("/stall.zip"));
    EXPECT_EQ(m_error, QStringLiteral("Délai dépassé : le serveur ne répond plus"));
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_LT(clock.elapsed(), 5000);
    expectUntouched();
}

TEST_F(ArchiveDownloadTest, EveryPieceRestartsTheTimeOut)
{
    // Five pieces 300 ms apart take longer than the 800 ms time-out as a whole.
    const QByteArray body = archiveBody(5000);
    m_http.route("/slow.zip", {ScriptedHttpServer::head(200, "OK", body.size()), body, ScriptedHttpServer::Mode::Drip, 5, 300ms});
    m_source.setIdleTimeout(800ms);
    int calls = 0;
    ASSERT_TRUE(fetch("/slow.zip", [&](qint64, qint64) { ++calls; })) << m_error.toStdString();
    EXPECT_EQ(readFile(m_destination), body);
    EXPECT_GE(calls, 2);
}

TEST_F(ArchiveDownloadTest, CancelStopsTheDownload)
{
    const QByteArray body = archiveBody(5000);
    m_http.route("/slow.zip", {ScriptedHttpServer::head(200, "OK", body.size()), body, ScriptedHttpServer::Mode::Drip, 10, 200ms});
    QObject context;
    QTimer::singleShot(300ms, &context, [this] {
        EXPECT_TRUE(m_source.isRunning());
        m_source.cancel();
    });
    EXPECT_FALSE(fetch("/slow.zip"));
    EXPECT_EQ(m_error, QStringLiteral("Téléchargement interrompu"));
    EXPECT_FALSE(m_source.isRunning());
    expectUntouched();
}

TEST_F(ArchiveDownloadTest, BadAddressesFailCleanly)
{
    // A port nobody listens on.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    m_error.clear();
    EXPECT_FALSE(m_source.fetch(QStringLiteral("http://127.0.0.1:%1/keno.zip").arg(port), m_destination, {}, &m_error));
    EXPECT_TRUE(m_error.startsWith(QStringLiteral("Échec du téléchargement : "))) << m_error.toStdString();
    expectUntouched();

    for (const QString& address : {QString(), QStringLiteral("not an address"), QStringLiteral("ftp://127.0.0.1/keno.zip"),
                                   QStringLiteral("file:///etc/passwd")}) {
        m_error.clear();
        EXPECT_FALSE(m_source.fetch(address, m_destination, {}, &m_error)) << address.toStdString();
        EXPECT_TRUE(m_error.startsWith(QStringLiteral("Échec du téléchargement : adresse invalide"))) << m_error.toStdString();
    }
    expectUntouched();
}

TEST_F(ArchiveDownloadTest, UnwritableDestinationIsReported)
{
    const QByteArray body = archiveBody(100);
    m_http.route("/keno.zip", {ScriptedHttpServer::head(200, "OK", body.size()), body});
    m_error.clear();
    EXPECT_FALSE(m_source.fetch(m_http.url("/keno.zip"), m_temp.filePath(QStringLiteral("missing/folder/keno.zip")), {}, &m_error));
    EXPECT_TRUE(m_error.contains(QStringLiteral("impossible d'écrire"))) << m_error.toStdString();
    expectUntouched();
}
