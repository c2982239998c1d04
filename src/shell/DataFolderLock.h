// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

class QLockFile;

// One writer at a time in a data folder: a lock file beside the histories. The window holds it
// only while it writes; tiravol-cli for the whole of a command that may write, from before it
// reads the history to after it wrote it. A lock left by a program of this computer that died
// is taken over at once; one that names nobody (an empty file) once it is a minute old. A lock
// written on another computer is never taken over: the refusal names that computer.
class DataFolderLock {
public:
    static constexpr int kWaitMs = 5000;
    static constexpr int kStaleMs = 60 * 1000;
    static constexpr const char* kFileName = ".tiravol.lock";

    explicit DataFolderLock(QString folder, int waitMs = kWaitMs);
    ~DataFolderLock();

    // The folder whose lock guards `historyFile`: where the file really lies, links resolved,
    // so that every path to one history takes one lock.
    static QString folderFor(const QString& historyFile);

    // Waits up to the given time for another program to finish. Nested acquire/release pairs
    // hold the lock once. True also when no lock file can be made (a read-only or missing
    // folder): nothing can be written there either, and the write says why.
    bool acquire();
    void release();
    bool held() const { return m_depth > 0; }
    // Why the last acquire failed, in French: who holds the folder and what was not done.
    QString refusal() const { return m_refusal; }
    QString folder() const { return m_folder; }

private:
    QString lockPath() const;
    // Removes a lock file that names no process and is older than kStaleMs; true when it did.
    bool removeNamelessLock();
    QString refusalText() const;

    QString m_folder;
    int m_waitMs;
    std::unique_ptr<QLockFile> m_lock;
    int m_depth = 0;
    QString m_refusal;
};
