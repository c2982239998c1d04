// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquire/ArchiveSource.h"

#include <QList>
#include <QSslCertificate>
#include <atomic>
#include <chrono>
#include <memory>

class QNetworkAccessManager;
class QNetworkRequest;
class QUrl;

// Downloads the archive over HTTP(S) (see NetworkDownload), waiting in an event loop of the calling thread (the
// window calls it from a worker thread, never from its own). Redirects are followed unless they lower the
// security (https to http), certificates are verified, and the body is written aside and only
// renamed over the destination when it came whole with a success status.
class NetworkArchiveSource : public ArchiveSource {
public:
    static constexpr std::chrono::milliseconds kDefaultIdleTimeout{30000};

    // Uses `manager` when given (not owned; it belongs to the thread that calls fetch), else a
    // manager made for each fetch in the calling thread.
    explicit NetworkArchiveSource(QNetworkAccessManager* manager = nullptr);
    ~NetworkArchiveSource() override;

    NetworkArchiveSource(const NetworkArchiveSource&) = delete;
    NetworkArchiveSource& operator=(const NetworkArchiveSource&) = delete;

    // The transfer gives up when nothing arrives for this long; every byte received restarts it.
    void setIdleTimeout(std::chrono::milliseconds timeout);
    std::chrono::milliseconds idleTimeout() const { return m_idleTimeout; }

    // Bodies larger than this are refused (the archive is a few megabytes).
    static constexpr qint64 kDefaultMaxSize = 200LL * 1024 * 1024;
    void setMaxSize(qint64 bytes);

    // Certificates trusted in addition to the system's (a private or test server).
    void setExtraCaCertificates(const QList<QSslCertificate>& certificates);

    // Stops the running download, if any, from any thread; its fetch() returns false with
    // "Téléchargement interrompu".
    void cancel() { m_cancelRequested.store(true); }
    bool wasCancelled() const override { return m_lastCancelled; }

    bool fetch(const QString& url, const QString& destination, const Progress& progress, QString* error) override;

private:
    // Redirects only as safe, certificates checked against the extra ones too.
    QNetworkRequest request(const QUrl& address) const;

    QNetworkAccessManager* m_manager = nullptr;
    std::chrono::milliseconds m_idleTimeout = kDefaultIdleTimeout;
    qint64 m_maxSize = kDefaultMaxSize;
    QList<QSslCertificate> m_extraCaCertificates;
    std::atomic<bool> m_busy{false};
    std::atomic<bool> m_cancelRequested{false};
    bool m_lastCancelled = false;
};
