// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Extracts every member of a ZIP archive under one folder, keeping the archive's folders and
// replacing existing files without asking. Each file is written aside and renamed when whole,
// so a damaged member never leaves a half-written file behind.
class ZipExtractor {
public:
    // Called at most once per extraction, at the first encrypted member; nullopt or empty
    // means no password, and encrypted members are then refused without asking again.
    using PasswordPrompt = std::function<std::optional<QString>()>;
    // The question the prompt shows.
    static constexpr const char* kPasswordQuestion = "Please Enter The Password!";

    static constexpr qint64 kDefaultMaxMemberSize = 200LL * 1024 * 1024;
    static constexpr qint64 kDefaultMaxTotalSize = 200LL * 1024 * 1024;

    struct Result {
        bool opened = false; // the archive could be read at all
        int extracted = 0; // files written (folders are not counted)
        int refused = 0; // members not written
        QStringList written; // relative paths of the files written, '/' separated
        QStringList keptBack; // members not written because they would replace a file the program keeps
        QStringList messages; // what went wrong, in French
        bool ok() const { return opened && refused == 0; }
    };

    explicit ZipExtractor(PasswordPrompt askPassword = {});

    // Limits against archives that expand far beyond their size.
    void setSizeLimits(qint64 maxMemberSize, qint64 maxTotalSize);

    // Files the program keeps (histories, settings, criteria): no member is written over them,
    // whatever its path, its case or the links on the way; such members are skipped and named.
    void setKeptFiles(const QStringList& paths);

    Result extract(const QString& archivePath, const QString& folder) const;

    // The member name as a safe relative path ('/' separated, no "." parts), or nullopt when it
    // is absolute or climbs out of the folder. A trailing '/' (folder member) is kept.
    static std::optional<QString> safeRelativePath(const QString& memberName);

private:
    PasswordPrompt m_askPassword;
    qint64 m_maxMemberSize = kDefaultMaxMemberSize;
    qint64 m_maxTotalSize = kDefaultMaxTotalSize;
    QStringList m_keptKeys; // see fileKey()
};
