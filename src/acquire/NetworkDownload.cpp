// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/NetworkDownload.h"

#include "output/TextFile.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QUrl>

namespace {

// The common cases in French; Qt's own (English) text stays as the detail.
QString describe(QNetworkReply::NetworkError code, const QString& qtText)
{
    QString what;
    switch (code) {
    case QNetworkReply::ConnectionRefusedError:
        what = QStringLiteral("connexion refusée");
        break;
    case QNetworkReply::RemoteHostClosedError:
        what = QStringLiteral("connexion fermée par le serveur");
        break;
    case QNetworkReply::HostNotFoundError:
        what = QStringLiteral("serveur introuvable");
        break;
    case QNetworkReply::SslHandshakeFailedError:
        what = QStringLiteral("connexion sécurisée impossible");
        break;
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        what = QStringLiteral("redirection refusée");
        break;
    default:
        return qtText;
    }
    return QStringLiteral("%1 (%2)").arg(what, qtText);
}

bool isSuccess(int status)
{
    return status == 0 || (status >= 200 && status <= 299);
}

} // namespace

QString NetworkDownload::failure(const QString& why)
{
    return QStringLiteral("Échec du téléchargement : %1").arg(why);
}

NetworkDownload::NetworkDownload(QNetworkReply* reply, const QString& destination, const Limits& limits,
                                 ArchiveSource::Progress progress, std::function<bool()> stopAsked)
    : m_reply(reply), m_destination(destination), m_limits(limits), m_progress(std::move(progress)),
      m_stopAsked(std::move(stopAsked))
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(m_limits.idleTimeout);
    // A stop asked from another thread is seen here.
    m_watch.setInterval(50);
    connect(&m_idle, &QTimer::timeout, this, &NetworkDownload::onIdleTimeout);
    connect(&m_watch, &QTimer::timeout, this, &NetworkDownload::onCancelCheck);
    connect(m_reply, &QNetworkReply::redirected, this, &NetworkDownload::onRedirected);
    connect(m_reply, &QNetworkReply::readyRead, this, &NetworkDownload::onReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &NetworkDownload::onProgress);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &NetworkDownload::onMetaDataChanged);
    connect(m_reply, &QNetworkReply::finished, this, &NetworkDownload::onFinished);
}

NetworkDownload::~NetworkDownload()
{
    m_reply->disconnect(this);
    m_reply->deleteLater();
}

QString NetworkDownload::run()
{
    m_idle.start();
    m_watch.start();
    if (!m_reply->isFinished())
        m_loop.exec();
    m_idle.stop();
    m_watch.stop();
    // Bytes still buffered when the answer ended.
    if (m_reply->error() == QNetworkReply::NoError)
        drain();
    return outcome();
}

bool NetworkDownload::commit(QString* why)
{
    if (!m_out) {
        // An empty body: an empty file is still what the server sent.
        m_out = std::make_unique<QSaveFile>(m_destination);
        if (!m_out->open(QIODevice::WriteOnly)) {
            *why = failure(TextFile::cannotWrite(m_destination, TextFile::reason(*m_out)));
            return false;
        }
    }
    // The last bytes wait in a buffer: a full disk may only show at this flush.
    if (!m_out->flush() || !m_out->commit()) {
        *why = failure(TextFile::cannotWrite(m_destination, TextFile::reason(*m_out)));
        return false;
    }
    return true;
}

void NetworkDownload::onReadyRead()
{
    m_idle.start();
    drain();
}

void NetworkDownload::onProgress(qint64 bytes, qint64 total)
{
    m_idle.start();
    if (m_progress)
        m_progress(bytes, total < 0 ? -1 : total);
}

void NetworkDownload::onRedirected(const QUrl&)
{
    // A body seen before the redirect belongs to the old address.
    m_out.reset();
    m_received = 0;
    m_idle.start();
}

void NetworkDownload::onMetaDataChanged()
{
    m_idle.start();
}

void NetworkDownload::onFinished()
{
    m_loop.quit();
}

void NetworkDownload::onIdleTimeout()
{
    m_timedOut = true;
    m_reply->abort();
}

void NetworkDownload::onCancelCheck()
{
    if (!m_cancelled && m_stopAsked()) {
        m_cancelled = true;
        m_reply->abort();
    }
}

void NetworkDownload::drain()
{
    const QByteArray chunk = m_reply->readAll();
    if (chunk.isEmpty() || !m_writeError.isEmpty())
        return;
    if (!isSuccess(m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt()))
        return; // an error page, not the archive
    // A server sending without end would otherwise fill the disk.
    if (m_received + chunk.size() > m_limits.maxSize) {
        m_tooLarge = true;
        m_reply->abort();
        return;
    }
    if (!store(chunk)) {
        m_reply->abort();
        return;
    }
    m_received += chunk.size();
}

bool NetworkDownload::store(const QByteArray& chunk)
{
    if (!m_out) {
        m_out = std::make_unique<QSaveFile>(m_destination);
        if (!m_out->open(QIODevice::WriteOnly)) {
            m_writeError = TextFile::reason(*m_out);
            return false;
        }
    }
    if (m_out->write(chunk) != chunk.size()) {
        m_writeError = TextFile::reason(*m_out);
        return false;
    }
    return true;
}

QString NetworkDownload::outcome() const
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const qint64 expected = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    if (m_cancelled)
        return QStringLiteral("Téléchargement interrompu");
    if (m_timedOut)
        return QStringLiteral("Délai dépassé : le serveur ne répond plus");
    if (m_tooLarge)
        return failure(QStringLiteral("fichier de plus de %1 Mo").arg(m_limits.maxSize / (1024 * 1024)));
    if (!m_writeError.isEmpty())
        return failure(TextFile::cannotWrite(m_destination, m_writeError));
    if (!isSuccess(status))
        return failure(QStringLiteral("le serveur a répondu %1 %2")
                           .arg(status)
                           .arg(m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString())
                           .trimmed());
    if (m_reply->error() != QNetworkReply::NoError)
        return failure(describe(m_reply->error(), m_reply->errorString()));
    if (expected > 0 && m_received != expected)
        return failure(QStringLiteral("fichier incomplet (%1 octets reçus sur %2)").arg(m_received).arg(expected));
    return {};
}
