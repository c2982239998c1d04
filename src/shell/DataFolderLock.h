#pragma once

#include <QString>
#include <memory>

class QLockFile;

// One writer at a time in a data folder: a lock file beside the histories. The window holds it
// while it writes; tiravol-cli for the whole of a command that may write, from before it reads
// the history to after it wrote it. A lock left by a program that died is taken over.
class DataFolderLock {
public:
    static constexpr int kWaitMs = 5000;
    static constexpr const char* kFileName = ".tiravol.lock";

    explicit DataFolderLock(QString folder, int waitMs = kWaitMs);
    ~DataFolderLock();

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
    QString m_folder;
    int m_waitMs;
    std::unique_ptr<QLockFile> m_lock;
    int m_depth = 0;
    QString m_refusal;
};
