#include "acquire/NetworkArchiveSource.h"

#include "output/TextFile.h"

#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>

namespace {

QString failure(const QString& why)
{
    return QStringLiteral("Échec du téléchargement : %1").arg(why);
}

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

} // namespace

NetworkArchiveSource::NetworkArchiveSource(QNetworkAccessManager* manager) : m_manager(manager) { }

NetworkArchiveSource::~NetworkArchiveSource() = default;

void NetworkArchiveSource::setIdleTimeout(std::chrono::milliseconds timeout)
{
    m_idleTimeout = timeout;
}

void NetworkArchiveSource::setMaxSize(qint64 bytes)
{
    m_maxSize = bytes;
}

void NetworkArchiveSource::setExtraCaCertificates(const QList<QSslCertificate>& certificates)
{
    m_extraCaCertificates = certificates;
}

bool NetworkArchiveSource::fetch(const QString& url, const QString& destination, const Progress& progress, QString* error)
{
    m_lastCancelled = false;
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };

    // Two downloads at once would write the same file.
    if (m_busy.exchange(true))
        return fail(failure(QStringLiteral("un téléchargement est déjà en cours")));
    const auto idleAgain = qScopeGuard([this] { m_busy.store(false); });
    m_cancelRequested.store(false);

    const QUrl address(url.trimmed(), QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || address.host().isEmpty() || (scheme != QLatin1String("https") && scheme != QLatin1String("http")))
        return fail(failure(QStringLiteral("adresse invalide (%1)").arg(url)));

    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(10);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Tiravol"));
    if (!m_extraCaCertificates.isEmpty()) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(m_extraCaCertificates);
        request.setSslConfiguration(tls);
    }

    // Opened at the first byte of the final answer, so a failure before it leaves no trace.
    std::unique_ptr<QSaveFile> out;
    QString writeError;
    bool tooLarge = false;
    qint64 received = 0;
    bool timedOut = false;
    bool cancelled = false;

    std::unique_ptr<QNetworkAccessManager> ownManager;
    if (!m_manager)
        ownManager = std::make_unique<QNetworkAccessManager>();
    QNetworkAccessManager* manager = m_manager ? m_manager : ownManager.get();

    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    idle.setInterval(m_idleTimeout);
    // A stop asked from another thread is seen here.
    QTimer watch;
    watch.setInterval(50);

    QNetworkReply* reply = manager->get(request);

    QObject::connect(&idle, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (!cancelled && (m_cancelRequested.load() || cancelRequested())) {
            cancelled = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::redirected, &loop, [&](const QUrl&) {
        // A body seen before the redirect belongs to the old address.
        out.reset();
        received = 0;
        idle.start();
    });
    auto drain = [&] {
        const QByteArray chunk = reply->readAll();
        if (chunk.isEmpty() || !writeError.isEmpty())
            return;
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status != 0 && (status < 200 || status > 299))
            return; // an error page, not the archive
        // A server sending without end would otherwise fill the disk.
        if (received + chunk.size() > m_maxSize) {
            tooLarge = true;
            reply->abort();
            return;
        }
        if (!out) {
            out = std::make_unique<QSaveFile>(destination);
            if (!out->open(QIODevice::WriteOnly)) {
                writeError = TextFile::reason(*out);
                reply->abort();
                return;
            }
        }
        if (out->write(chunk) != chunk.size()) {
            writeError = TextFile::reason(*out);
            reply->abort();
            return;
        }
        received += chunk.size();
    };
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        idle.start();
        drain();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, &loop, [&](qint64 bytes, qint64 total) {
        idle.start();
        if (progress)
            progress(bytes, total < 0 ? -1 : total);
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] { idle.start(); });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    idle.start();
    watch.start();
    if (!reply->isFinished())
        loop.exec();
    idle.stop();
    watch.stop();

    // Bytes still buffered when the answer ended.
    if (reply->error() == QNetworkReply::NoError)
        drain();

    const QNetworkReply::NetworkError networkError = reply->error();
    const QString networkText = reply->errorString();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString reasonPhrase = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    const qint64 expected = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    reply->disconnect(&loop);
    reply->deleteLater();

    QString why;
    if (cancelled)
        why = QStringLiteral("Téléchargement interrompu");
    else if (timedOut)
        why = QStringLiteral("Délai dépassé : le serveur ne répond plus");
    else if (tooLarge)
        why = failure(QStringLiteral("fichier de plus de %1 Mo").arg(m_maxSize / (1024 * 1024)));
    else if (!writeError.isEmpty())
        why = failure(TextFile::cannotWrite(destination, writeError));
    else if (status != 0 && (status < 200 || status > 299))
        why = failure(QStringLiteral("le serveur a répondu %1 %2").arg(status).arg(reasonPhrase).trimmed());
    else if (networkError != QNetworkReply::NoError)
        why = failure(describe(networkError, networkText));
    else if (expected > 0 && received != expected)
        why = failure(QStringLiteral("fichier incomplet (%1 octets reçus sur %2)").arg(received).arg(expected));
    m_lastCancelled = cancelled;

    if (!why.isEmpty())
        return fail(why); // `out` is discarded unsaved: the old file stays

    if (!out) {
        // An empty body: an empty file is still what the server sent.
        out = std::make_unique<QSaveFile>(destination);
        if (!out->open(QIODevice::WriteOnly))
            return fail(failure(TextFile::cannotWrite(destination, TextFile::reason(*out))));
    }
    // The last bytes wait in a buffer: a full disk may only show at this flush.
    if (!out->flush() || !out->commit())
        return fail(failure(TextFile::cannotWrite(destination, TextFile::reason(*out))));
    return true;
}
