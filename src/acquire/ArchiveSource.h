// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <atomic>
#include <functional>

// Puts the operator's results archive at a local path. The window and `tiravol-cli download`
// use the network; `tiravol-cli import` and tests use a local file.
class ArchiveSource {
public:
    // received and total bytes; total is -1 while unknown.
    using Progress = std::function<void(qint64 received, qint64 total)>;

    virtual ~ArchiveSource() = default;

    // Stores the archive at `destination` (replacing it only when whole). Returns false and a
    // French reason in *error on failure, with `destination` left as it was.
    virtual bool fetch(const QString& url, const QString& destination, const Progress& progress, QString* error) = 0;
    // True when the last fetch failed because the user stopped it (the address is not to blame).
    virtual bool wasCancelled() const { return false; }
    // A flag that, once set (from any thread), stops the running fetch; null: none.
    void setCancelFlag(const std::atomic<bool>* cancel) { m_cancelFlag = cancel; }

protected:
    bool cancelRequested() const { return m_cancelFlag && m_cancelFlag->load(); }

private:
    const std::atomic<bool>* m_cancelFlag = nullptr;
};
