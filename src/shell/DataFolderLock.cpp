// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/DataFolderLock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

namespace {

qint64 ageMs(const QString& path)
{
    const QDateTime modified = QFileInfo(path).lastModified();
    return modified.isValid() ? modified.msecsTo(QDateTime::currentDateTime()) : 0;
}

// "3 h 12 min", "45 s": how long a lock has been there.
QString ageText(qint64 ms)
{
    const qint64 s = std::max<qint64>(0, ms / 1000);
    if (s < 60)
        return QStringLiteral("%1 s").arg(s);
    if (s < 3600)
        return QStringLiteral("%1 min").arg(s / 60);
    if (s < 48 * 3600)
        return QStringLiteral("%1 h %2 min").arg(s / 3600).arg(s / 60 % 60);
    return QStringLiteral("%1 jours").arg(s / 86400);
}

} // namespace

DataFolderLock::DataFolderLock(QString folder, int waitMs) : m_folder(std::move(folder)), m_waitMs(waitMs) { }

DataFolderLock::~DataFolderLock() = default;

QString DataFolderLock::folderFor(const QString& historyFile)
{
    const QFileInfo file(historyFile);
    const QString real = file.canonicalFilePath();
    if (!real.isEmpty())
        return QFileInfo(real).absolutePath();
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? file.absolutePath() : folder;
}

QString DataFolderLock::lockPath() const
{
    return QDir(m_folder).filePath(QLatin1String(kFileName));
}

bool DataFolderLock::acquire()
{
    if (m_depth > 0) {
        ++m_depth;
        return true;
    }
    m_refusal.clear();
    m_lock = std::make_unique<QLockFile>(lockPath());
    // Age alone never makes a live writer's lock stale: a download may rightly hold it for minutes.
    m_lock->setStaleLockTime(0);
    bool locked = m_lock->tryLock(m_waitMs);
    if (!locked && m_lock->error() == QLockFile::LockFailedError && removeNamelessLock())
        locked = m_lock->tryLock(0);
    if (locked || m_lock->error() != QLockFile::LockFailedError) {
        if (!locked)
            m_lock.reset();
        m_depth = 1;
        return true;
    }
    m_refusal = refusalText();
    m_lock.reset();
    return false;
}

bool DataFolderLock::removeNamelessLock()
{
    qint64 pid = 0;
    QString host, app;
    if (m_lock->getLockInfo(&pid, &host, &app) || ageMs(lockPath()) < kStaleMs)
        return false;
    // Two programs finding it at once: only one removes it, and only if it is still nameless.
    QLockFile removing(lockPath() + QStringLiteral(".rmlock"));
    removing.setStaleLockTime(0);
    if (!removing.tryLock(0) || m_lock->getLockInfo(&pid, &host, &app))
        return false;
    return m_lock->removeStaleLockFile();
}

QString DataFolderLock::refusalText() const
{
    const QString folder = QDir::toNativeSeparators(m_folder);
    const QString age = ageText(ageMs(lockPath()));
    qint64 pid = 0;
    QString host, app;
    if (!m_lock->getLockInfo(&pid, &host, &app))
        return QStringLiteral("Le dossier des données « %1 » est en cours d'écriture par un autre programme (depuis %2) : "
                              "rien n'a été écrit. Réessayez quand il aura fini.")
            .arg(folder, age);
    const QString who = QStringLiteral("« %1 » (processus %2)").arg(app.isEmpty() ? QStringLiteral("?") : app).arg(pid);
    if (host.isEmpty() || host == QSysInfo::machineHostName())
        return QStringLiteral("Le dossier des données « %1 » est en cours d'écriture par %2 : rien n'a été écrit. "
                              "Réessayez quand il aura fini.")
            .arg(folder, who);
    // Whether that program still runs cannot be known from here: only the player can tell.
    return QStringLiteral("Le dossier des données « %1 » est verrouillé depuis %2 par %3 sur l'ordinateur « %4 » : "
                          "rien n'a été écrit. Si cet ordinateur n'écrit plus dans ce dossier, supprimez le fichier "
                          "« %5 » puis réessayez.")
        .arg(folder, age, who, host, QDir::toNativeSeparators(lockPath()));
}

void DataFolderLock::release()
{
    if (m_depth == 0)
        return;
    if (--m_depth == 0 && m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
}
