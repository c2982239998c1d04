// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GuiAppInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

namespace {

constexpr int kAnswerMs = 2000;

} // namespace

GuiAppInstance::GuiAppInstance(const QString& dataFolder) : m_name(serverName(dataFolder)) { }

QString GuiAppInstance::serverName(const QString& dataFolder)
{
    const QString real = QFileInfo(dataFolder).canonicalFilePath();
    const QString folder = real.isEmpty() ? QDir::cleanPath(QFileInfo(dataFolder).absoluteFilePath()) : real;
    // The home folder too: the sockets of every user lie in one temporary folder.
    const QByteArray key = (QDir::homePath() + QLatin1Char('\n') + folder).toUtf8();
    return QStringLiteral("tiravol-")
        + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32));
}

bool GuiAppInstance::forwardToRunning()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kAnswerMs))
        return false;
    socket.write("raise\n");
    socket.waitForBytesWritten(kAnswerMs);
    socket.disconnectFromServer();
    return true;
}

bool GuiAppInstance::listen(std::function<void()> raise)
{
    m_raise = std::move(raise);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&m_server, &QLocalServer::newConnection, &m_server, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (m_raise)
                m_raise();
        }
    });
    if (m_server.listen(m_name))
        return true;
    // Nobody answered under this name a moment ago: what is left there is a dead program's.
    if (m_server.serverError() != QAbstractSocket::AddressInUseError)
        return false;
    QLocalServer::removeServer(m_name);
    return m_server.listen(m_name);
}
