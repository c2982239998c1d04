// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/NetworkArchiveSource.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <atomic>

namespace {

using namespace std::chrono_literals;

QByteArray reply(int status, qint64 length, const QByteArray& body, const QByteArray& extra = {})
{
    return "HTTP/1.1 " + QByteArray::number(status) + " Status\r\nContent-Length: " + QByteArray::number(length)
        + "\r\nConnection: close\r\n" + extra + "\r\n" + body;
}

// The answer on each path; after "/stall.zip" the connection stays open and silent.
const QMap<QByteArray, QByteArray> kReplies = {{"/old.zip", reply(302, 0, {}, "Location: /new.zip\r\n")},
                                               {"/new.zip", reply(200, 20000, QByteArray(20000, 'z'))},
                                               {"/missing.zip", reply(404, 9, "not found")},
                                               {"/cut.zip", reply(200, 20000, QByteArray(10000, 'z'))},
                                               {"/stall.zip", reply(200, 1000, {})},
                                               {"/huge.zip", reply(200, 40000, QByteArray(40000, 'z'))}};

// Downloads from a scripted HTTP server on 127.0.0.1, served by the download's own event loop.
class NetworkArchiveSourceTest : public ::testing::Test {
protected:
    QTcpServer m_server;
    QTemporaryDir m_temp;
    QString m_destination = m_temp.filePath(QStringLiteral("keno_gagnant_a_vie.zip"));
    NetworkArchiveSource m_source;
    QString m_error;

    void SetUp() override
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
                socket->setProperty("request", request);
                if (!request.endsWith("\r\n\r\n"))
                    return;
                const QByteArray path = request.split(' ').value(1);
                socket->write(kReplies.value(path));
                if (path != "/stall.zip")
                    socket->disconnectFromHost();
            });
        });
        ASSERT_TRUE(m_server.listen(QHostAddress::LocalHost, 0));
        TestSupport::writeFile(m_destination, "old archive");
        m_source.setMaxSize(30000);
        m_source.setIdleTimeout(500ms);
    }
    bool fetch(const char* path)
    {
        m_error.clear();
        const QString url = QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()) + QLatin1String(path);
        return m_source.fetch(url, m_destination, {}, &m_error);
    }
};

} // namespace

// Only a whole answer with a success status replaces the file; nothing is ever left beside it.
TEST_F(NetworkArchiveSourceTest, EachServerBehaviourGivesItsOutcome)
{
    for (const auto& [path, cancel, error] : {std::tuple("/missing.zip", false, "le serveur a répondu 404"),
                                              {"/cut.zip", false, "Échec du téléchargement : "},
                                              {"/stall.zip", false, "Délai dépassé"},
                                              {"/huge.zip", false, "fichier de plus de"},
                                              {"/stall.zip", true, "Téléchargement interrompu"},
                                              {"/old.zip", false, ""}}) { // redirected to /new.zip
        SCOPED_TRACE(path);
        if (cancel)
            QTimer::singleShot(100ms, &m_server, [this] { m_source.cancel(); });
        EXPECT_EQ(fetch(path), !*error);
        EXPECT_TRUE(m_error.contains(QString::fromUtf8(error))) << m_error.toStdString();
        EXPECT_EQ(m_source.wasCancelled(), cancel);
        EXPECT_EQ(TestSupport::readFile(m_destination), *error ? QByteArray("old archive") : QByteArray(20000, 'z'));
        EXPECT_EQ(QDir(m_temp.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}

// The window fetches on a worker thread and stops it from its own thread, through the job's flag.
TEST_F(NetworkArchiveSourceTest, AFetchOnAWorkerThreadStopsOnItsCancelFlag)
{
    std::atomic<bool> stop{false}, done{false};
    m_source.setCancelFlag(&stop);
    m_source.setIdleTimeout(10s);
    bool fetched = true;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        fetched = fetch("/stall.zip");
        done = true;
    }));
    worker->start();
    QTimer::singleShot(200ms, &m_server, [&] { stop = true; });
    ASSERT_TRUE(TestSupport::waitFor([&] { return done.load(); }));
    worker->wait();
    EXPECT_FALSE(fetched);
    EXPECT_TRUE(m_error.contains(QStringLiteral("Téléchargement interrompu"))) << m_error.toStdString();
    EXPECT_TRUE(m_source.wasCancelled());
    EXPECT_EQ(TestSupport::readFile(m_destination), QByteArray("old archive"));
}
