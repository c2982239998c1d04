#include "shell/FolderLock.h"

#include "shell/DataFolderLock.h"
#include "shell/WorkspaceConfig.h"

#include <QFileInfo>

FolderLock::FolderLock(const WorkspaceConfig& config) : m_config(config) { }

FolderLock::~FolderLock() = default;

bool FolderLock::acquire()
{
    if (!m_lock)
        m_lock
            = std::make_unique<DataFolderLock>(QFileInfo(m_config.workingHistoryFile()).absolutePath(), m_config.writeLockWaitMs);
    return m_lock->acquire();
}

void FolderLock::release()
{
    if (m_lock)
        m_lock->release();
}

QString FolderLock::refusal() const
{
    return m_lock ? m_lock->refusal() : QString();
}

void FolderLock::forget()
{
    m_lock.reset();
}
