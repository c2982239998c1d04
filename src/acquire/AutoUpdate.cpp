// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/AutoUpdate.h"

#include "acquire/ArchiveSource.h"
#include "acquire/CsvImport.h"
#include "acquire/FolderOwner.h"
#include "history/DateText.h"
#include "output/Plural.h"

#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <utility>

AutoUpdate::AutoUpdate(ArchiveSource& source, QString archivePath, Importer importer, NewestDraw newest, const Formula& game,
                       QObject* parent)
    : QObject(parent), m_source(source), m_archivePath(std::move(archivePath)), m_importer(std::move(importer)),
      m_newest(std::move(newest)), m_game(game), m_schedule(game), m_address(game.defaultArchiveUrl),
      m_addressPlace(QStringLiteral("dans le fichier tiravol.ini, section [URL], clé %1").arg(game.archiveUrlKey))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &AutoUpdate::checkNow);
}

AutoUpdate::~AutoUpdate()
{
    if (m_worker) {
        m_stop = true;
        m_worker->wait();
        delete m_worker;
    }
    m_source.setCancelFlag(nullptr);
}

QString AutoUpdate::gameName() const
{
    return CsvImport::gameName(m_game);
}

void AutoUpdate::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled) {
        start();
        return;
    }
    m_timer.stop();
    m_next = {};
    m_importPending = false;
    m_stop = true; // a fetch under way is given up
}

void AutoUpdate::start()
{
    if (!m_enabled)
        return;
    const QDateTime t = now();
    if (m_schedule.lacksDraw(t, m_newest()))
        checkNow();
    else
        planAt(m_schedule.nextPublication(t));
}

void AutoUpdate::checkNow()
{
    if (!m_enabled || m_worker)
        return;
    m_timer.stop();
    m_next = {};
    // The archive a busy window could not take is still there: no need to fetch it again.
    if (std::exchange(m_importPending, false) && QFileInfo::exists(m_archivePath)) {
        imported(m_importer(m_archivePath));
        emit checkEnded();
        return;
    }
    m_stop = false;
    m_source.setCancelFlag(&m_stop);
    // The download waits in an event loop of its own thread, never in the window's.
    auto outcome = std::make_shared<std::pair<bool, QString>>(false, QString());
    m_worker = QThread::create([&source = m_source, url = m_address, path = m_archivePath, outcome] {
        outcome->first = source.fetch(url, path, {}, &outcome->second);
    });
    connect(m_worker, &QThread::finished, this, [this, outcome] {
        m_worker->wait();
        delete m_worker;
        m_worker = nullptr;
        m_source.setCancelFlag(nullptr);
        fetched(outcome->first, outcome->second);
    });
    m_worker->start();
}

void AutoUpdate::fetched(bool ok, const QString& error)
{
    // A transfer stopped by a turn off is no failure of the address; turned on again since, the
    // update starts over.
    if (!ok && m_source.wasCancelled()) {
        start();
    } else if (m_enabled) {
        // A window run as root leaves the archive to the folder's owner, as the menu's download does.
        if (ok) {
            FolderOwner::adopt(m_archivePath);
            imported(m_importer(m_archivePath));
        } else {
            fail(error);
        }
    }
    emit checkEnded();
}

void AutoUpdate::imported(const Imported& result)
{
    if (result.busy) {
        m_importPending = true;
        planAt(now().addSecs(kBusyRetryMinutes * 60));
        return;
    }
    if (!result.failure.isEmpty()) {
        fail(result.failure);
        return;
    }
    m_failureSaid = false;
    const QDateTime t = now();
    if (result.added > 0) {
        const QDateTime newest = m_newest();
        emit newDraws(result.added,
                      QStringLiteral("Mise à jour du %1 : %2, jusqu'au %3.")
                          .arg(gameName(),
                               Plural::count(result.added, QStringLiteral("tirage nouveau"), QStringLiteral("tirages nouveaux")),
                               DateText::format(newest.date())));
    }
    if (!m_schedule.lacksDraw(t, m_newest())) {
        planAt(m_schedule.nextPublication(t));
        return;
    }
    const QDateTime retry = m_schedule.retryAfter(t);
    if (result.added == 0)
        emit nothingNewYet(retry,
                           QStringLiteral("Le tirage du %1 n'est pas encore dans l'archive du %2 : nouvel essai à %3.")
                               .arg(DateText::format(m_schedule.latestDue(t).date()), gameName(),
                                    retry.time().toString(QStringLiteral("HH:mm"))));
    planAt(retry);
}

void AutoUpdate::fail(const QString& why)
{
    // A player who is told at every hour stops reading; one who is never told thinks all is well.
    if (!m_failureSaid) {
        m_failureSaid = true;
        emit failed(QStringLiteral("La mise à jour automatique du %1 n'a pas abouti.\n%2\nAdresse essayée : %3\n"
                                   "L'adresse se change %4. Un nouvel essai est fait toutes les heures, sans autre message.")
                        .arg(gameName(), why, m_address, m_addressPlace));
    }
    planAt(m_schedule.retryAfter(now()));
}

void AutoUpdate::planAt(const QDateTime& when)
{
    m_next = when;
    m_timer.start(std::chrono::milliseconds(std::max<qint64>(0, now().msecsTo(when))));
}
