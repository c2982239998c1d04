#pragma once

#include <QString>
#include <optional>

// The per-user settings file Varn/tiravol.ini (section "URL", key "FileFdesjeux").
class Settings {
public:
    static QString defaultArchiveUrl();
    static QString iniPath(const QString& appDataFolder);

    // `writable`: the folder "Varn" is created when missing and the default address written
    // back when the key is empty.
    Settings(QString iniPath, bool writable);

    // The archive address; the default when the file, the folder or the key is missing.
    QString archiveUrl();
    // Returns false when the file could not be written (the value then lasts only in memory).
    bool setArchiveUrl(const QString& url);

    // Lit / Ecrit: one key of one section.
    QString read(const QString& section, const QString& key, const QString& defaultValue) const;
    // False when the file could not be written or the value holds a line break.
    bool write(const QString& section, const QString& key, const QString& value);

    // The same on the file's text. A value read is at most 254 characters; names are compared
    // without regard to case. writeText changes the one key's line (or adds it, and its section)
    // and nothing else; nullopt when the value cannot be stored on a line.
    static std::optional<QString> readText(const QString& text, const QString& section, const QString& key);
    static std::optional<QString> writeText(const QString& text, const QString& section, const QString& key,
                                            const QString& value);

    // Why the last write failed, in French (empty after a write that succeeded).
    QString lastError() const { return m_error; }

private:
    QString m_path;
    QString m_error;
    bool m_writable;
};
