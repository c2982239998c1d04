#include "shell/DataFolderLock.h"

#include <QDir>
#include <QLockFile>

DataFolderLock::DataFolderLock(QString folder, int waitMs) : m_folder(std::move(folder)), m_waitMs(waitMs) { }

DataFolderLock::~DataFolderLock() = default;

bool DataFolderLock::acquire()
{
    if (m_depth > 0) {
        ++m_depth;
        return true;
    }
    m_refusal.clear();
    m_lock = std::make_unique<QLockFile>(QDir(m_folder).filePath(QLatin1String(kFileName)));
    // Only a dead holder makes a lock stale: a download may rightly hold it for minutes.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(m_waitMs)) {
        m_depth = 1;
        return true;
    }
    if (m_lock->error() != QLockFile::LockFailedError) {
        m_lock.reset();
        m_depth = 1;
        return true;
    }
    qint64 pid = 0;
    QString host, app;
    const QString holder = m_lock->getLockInfo(&pid, &host, &app)
        ? QStringLiteral("« %1 » (processus %2)").arg(app.isEmpty() ? QStringLiteral("?") : app).arg(pid)
        : QStringLiteral("un autre programme");
    m_refusal = QStringLiteral("Le dossier des données « %1 » est en cours d'écriture par %2 : rien n'a été écrit. "
                               "Réessayez quand il aura fini.")
                    .arg(QDir::toNativeSeparators(m_folder), holder);
    m_lock.reset();
    return false;
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
