// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The operator's server on 127.0.0.1 for the tests: one reply a path, the paths asked in the
// order they came; "/stall.zip" is never answered.
#include <QByteArray>
#include <QByteArrayList>
#include <QMap>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

namespace TestSupport {

class LocalHttpServer {
public:
    // A whole HTTP response; `extra` holds more header lines, each ended by "\r\n".
    static QByteArray answer(int status, const QByteArray& body, const QByteArray& extra = {})
    {
        return "HTTP/1.1 " + QByteArray::number(status) + " Status\r\nContent-Length: " + QByteArray::number(body.size())
            + "\r\nConnection: close\r\n" + extra + "\r\n" + body;
    }

    LocalHttpServer()
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
                socket->setProperty("request", request);
                if (!request.endsWith("\r\n\r\n"))
                    return;
                const QByteArray path = request.split(' ').value(1);
                m_requests << path;
                if (path == "/stall.zip")
                    return;
                socket->write(m_replies.value(path, answer(404, "not found")));
                socket->disconnectFromHost();
            });
        });
    }

    bool listen() { return m_server.listen(QHostAddress::LocalHost, 0); }
    QString url(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(QLatin1String(path));
    }
    void reply(const QByteArray& path, const QByteArray& response) { m_replies[path] = response; }
    // A ZIP served whole with status 200.
    void serveFile(const QByteArray& path, const QByteArray& body) { reply(path, answer(200, body)); }
    const QByteArrayList& requests() const { return m_requests; }

    // An address on this machine where nothing listens.
    static QString downAddress()
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost, 0);
        const QString address = QStringLiteral("http://127.0.0.1:%1/keno.zip").arg(closed.serverPort());
        closed.close();
        return address;
    }

private:
    QTcpServer m_server;
    QMap<QByteArray, QByteArray> m_replies;
    QByteArrayList m_requests;
};

} // namespace TestSupport
