// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/FolderLock.h"

#include "shell/DataFolderLock.h"
#include "shell/WorkspaceConfig.h"

FolderLock::FolderLock(const WorkspaceConfig& config) : m_config(config) { }

FolderLock::~FolderLock() = default;

bool FolderLock::acquire()
{
    // Looked up again before each write: a link may lead elsewhere, or the file appear, meanwhile.
    if (!m_lock || !m_lock->held()) {
        const QString folder = this->folder();
        if (!m_lock || m_lock->folder() != folder)
            m_lock = std::make_unique<DataFolderLock>(folder, m_config.writeLockWaitMs);
    }
    return m_lock->acquire();
}

QString FolderLock::folder() const
{
    return m_lock && m_lock->held() ? m_lock->folder() : DataFolderLock::folderFor(m_config.workingHistoryFile());
}

int FolderLock::waitMs() const
{
    return m_config.writeLockWaitMs;
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
