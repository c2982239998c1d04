// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquire/ArchiveSource.h"

#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

class QNetworkReply;
class QSaveFile;
class QUrl;

// One transfer of the archive. The answer's body goes into a file written aside, opened at its
// first byte so that a failure before it leaves no trace; run() waits in an event loop of the
// calling thread until the answer ends, the server goes quiet or a stop is asked.
class NetworkDownload : public QObject {
    Q_OBJECT
public:
    struct Limits {
        std::chrono::milliseconds idleTimeout;
        qint64 maxSize = 0;
    };

    // Takes `reply` over (deleted later); `stopAsked` is polled for a stop from another thread.
    NetworkDownload(QNetworkReply* reply, const QString& destination, const Limits& limits, ArchiveSource::Progress progress,
                    std::function<bool()> stopAsked);
    ~NetworkDownload() override;

    NetworkDownload(const NetworkDownload&) = delete;
    NetworkDownload& operator=(const NetworkDownload&) = delete;

    // Waits for the end of the answer: an empty text when the body came whole, else why not.
    QString run();
    // Puts what came over the destination; false and the French reason when that fails.
    bool commit(QString* why);
    bool cancelled() const { return m_cancelled; }

    // The one wording of a failed download: "Échec du téléchargement : why".
    static QString failure(const QString& why);

private slots:
    void onReadyRead();
    void onProgress(qint64 bytes, qint64 total);
    void onRedirected(const QUrl& to);
    void onMetaDataChanged();
    void onFinished();
    void onIdleTimeout();
    void onCancelCheck();

private:
    void drain();
    bool store(const QByteArray& chunk);
    QString outcome() const;

    QNetworkReply* m_reply;
    QString m_destination;
    Limits m_limits;
    ArchiveSource::Progress m_progress;
    std::function<bool()> m_stopAsked;
    QEventLoop m_loop;
    QTimer m_idle;
    QTimer m_watch;
    std::unique_ptr<QSaveFile> m_out;
    QString m_writeError;
    qint64 m_received = 0;
    bool m_tooLarge = false;
    bool m_timedOut = false;
    bool m_cancelled = false;
};
