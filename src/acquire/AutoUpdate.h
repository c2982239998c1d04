// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquire/UpdateSchedule.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

class ArchiveSource;
class QThread;

// Keeps the current game's history up to date while the window is open: fetches the archive
// after each draw (and at start when the history lacks a draw that has taken place), has it
// imported with every check, and says what came of it. An archive that cannot be had is said
// once, with the address tried and where to change it, then tried again every hour in silence.
class AutoUpdate : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;
    // What the import of a fetched archive came to: draws appended, or why it was refused.
    struct Imported {
        int added = 0;
        QString failure; // in French; empty when the archive was taken (with or without news)
        // The history could not take it now (the window was busy): the archive fetched is
        // offered again shortly, without a new download.
        bool busy = false;
    };
    static constexpr int kBusyRetryMinutes = 5;
    // Imports the archive at the path given into the history, with every check of the import.
    using Importer = std::function<Imported(const QString& archivePath)>;
    // The time of the newest draw the history holds (UpdateSchedule::timeOf); invalid when empty.
    using NewestDraw = std::function<QDateTime()>;

    // `source` fetches on a thread of its own and must outlive this object; the archive is
    // stored at `archivePath`.
    AutoUpdate(ArchiveSource& source, QString archivePath, Importer importer, NewestDraw newest,
               const Formula& game = Formula::current(), QObject* parent = nullptr);
    ~AutoUpdate() override;

    AutoUpdate(const AutoUpdate&) = delete;
    AutoUpdate& operator=(const AutoUpdate&) = delete;

    void setClock(Clock clock) { m_clock = std::move(clock); }
    // The archive's address, as the settings give it.
    void setAddress(const QString& url) { m_address = url; }
    // Where the player changes the address, as a failure names it (a menu, a settings key).
    void setAddressPlace(const QString& place) { m_addressPlace = place; }
    // Off: nothing is fetched and nothing planned; on: starts as start() does.
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }

    // Fetches at once when the history lacks a draw, else plans the check after the next draw.
    void start();
    // Fetches and imports now, unless a fetch is running or the update is off.
    void checkNow();
    // When the next check is planned (invalid: none).
    QDateTime nextCheck() const { return m_next; }
    bool isFetching() const { return m_worker != nullptr; }

signals:
    // New draws were imported; `message` is for the status bar.
    void newDraws(int count, const QString& message);
    // The archive does not hold the awaited draw yet; another try is planned at `retry`.
    void nothingNewYet(const QDateTime& retry, const QString& message);
    // The archive could not be had or was refused; said once until an update succeeds again.
    void failed(const QString& message);
    // A check ended, whatever came of it (its outcome was signalled before).
    void checkEnded();

private:
    void fetched(bool ok, const QString& error);
    void imported(const Imported& result);
    void fail(const QString& why);
    void planAt(const QDateTime& when);
    QDateTime now() const { return m_clock ? m_clock() : QDateTime::currentDateTime(); }
    QString gameName() const;

    ArchiveSource& m_source;
    QString m_archivePath;
    Importer m_importer;
    NewestDraw m_newest;
    const Formula& m_game;
    UpdateSchedule m_schedule;
    Clock m_clock;
    QString m_address;
    QString m_addressPlace;
    bool m_enabled = true;
    bool m_failureSaid = false;
    bool m_importPending = false; // the archive fetched waits for a window that was busy
    QTimer m_timer;
    QDateTime m_next;
    QThread* m_worker = nullptr;
    std::atomic<bool> m_stop{false};
};
