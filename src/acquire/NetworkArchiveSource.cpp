// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/NetworkArchiveSource.h"

#include "acquire/NetworkDownload.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QScopeGuard>
#include <QSslConfiguration>
#include <QUrl>

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

QNetworkRequest NetworkArchiveSource::request(const QUrl& address) const
{
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(10);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Tiravol"));
    if (!m_extraCaCertificates.isEmpty()) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(m_extraCaCertificates);
        request.setSslConfiguration(tls);
    }
    return request;
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
        return fail(NetworkDownload::failure(QStringLiteral("un téléchargement est déjà en cours")));
    const auto idleAgain = qScopeGuard([this] { m_busy.store(false); });
    m_cancelRequested.store(false);

    const QUrl address(url.trimmed(), QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || address.host().isEmpty() || (scheme != QLatin1String("https") && scheme != QLatin1String("http")))
        return fail(NetworkDownload::failure(QStringLiteral("adresse invalide (%1)").arg(url)));

    std::unique_ptr<QNetworkAccessManager> ownManager;
    if (!m_manager)
        ownManager = std::make_unique<QNetworkAccessManager>();
    QNetworkAccessManager* manager = m_manager ? m_manager : ownManager.get();

    NetworkDownload download(manager->get(request(address)), destination, {m_idleTimeout, m_maxSize}, progress,
                             [this] { return m_cancelRequested.load() || cancelRequested(); });
    const QString why = download.run();
    m_lastCancelled = download.cancelled();
    if (!why.isEmpty())
        return fail(why); // the body is discarded unsaved: the old file stays
    QString commitError;
    return download.commit(&commitError) || fail(commitError);
}
