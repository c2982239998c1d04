// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

class DataFolderLock;
struct WorkspaceConfig;

// The lock of the folder where the working history really lies (it changes during a
// demonstration, and a link or --history may name it through another folder): one writer at a time.
class FolderLock {
public:
    explicit FolderLock(const WorkspaceConfig& config);
    ~FolderLock();

    // Takes the folder's lock (nested calls hold it once), waiting a few seconds for another
    // program; false, with the reason in refusal(), when it does not come free.
    bool acquire();
    void release();
    QString refusal() const;
    // The folder whose lock this is, as it would be taken now.
    QString folder() const;
    int waitMs() const;
    // The folders changed: the next acquire locks the new one.
    void forget();

private:
    const WorkspaceConfig& m_config;
    std::unique_ptr<DataFolderLock> m_lock;
};

// Holds the lock for as long as it lives, when it could be taken.
class HeldLock {
public:
    explicit HeldLock(FolderLock& lock) : m_lock(lock), m_held(lock.acquire()) { }
    ~HeldLock()
    {
        if (m_held)
            m_lock.release();
    }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    bool held() const { return m_held; }

private:
    FolderLock& m_lock;
    bool m_held;
};
