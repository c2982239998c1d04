#pragma once

#include "acquire/ArchiveSource.h"

#include <QList>
#include <QSslCertificate>
#include <chrono>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

// Downloads the archive over HTTP(S). The wait runs a local event loop, so the window keeps
// repainting and a cancel button keeps working. Redirects are followed unless they lower the
// security (https to http), certificates are verified, and the body is written aside and only
// renamed over the destination when it came whole with a success status.
class NetworkArchiveSource : public ArchiveSource {
public:
    static constexpr std::chrono::milliseconds kDefaultIdleTimeout{30000};

    // Uses `manager` when given (not owned), else a manager of its own.
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

    // Stops the running download, if any; its fetch() returns false with "Téléchargement interrompu".
    // Meant to be called from an event handled while fetch() waits (a button, a timer).
    void cancel();
    bool wasCancelled() const override { return m_lastCancelled; }

    bool fetch(const QString& url, const QString& destination, const Progress& progress, QString* error) override;

private:
    QNetworkAccessManager* manager();

    QNetworkAccessManager* m_manager = nullptr;
    std::unique_ptr<QNetworkAccessManager> m_ownManager;
    std::chrono::milliseconds m_idleTimeout = kDefaultIdleTimeout;
    qint64 m_maxSize = kDefaultMaxSize;
    QList<QSslCertificate> m_extraCaCertificates;
    QNetworkReply* m_reply = nullptr;
    bool m_cancelled = false;
    bool m_lastCancelled = false;
};
