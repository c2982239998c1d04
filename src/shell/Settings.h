// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"
#include "history/PayTables.h"

#include <QString>
#include <QStringList>
#include <optional>

class QSettings;

// The per-user settings file Varn/tiravol.ini (section "URL", one archive address a game, the
// classic game's under "FileFdesjeux"; section "Jeu", key "Formule": the game played), read and
// written by QSettings in INI form. Names are found without regard to case, and an existing
// key keeps the case it was written with.
class Settings {
public:
    static QString defaultArchiveUrl();
    static QString iniPath(const QString& appDataFolder);

    // `writable`: the folder "Varn" is created when missing and the default address written
    // back when the key is empty.
    Settings(QString iniPath, bool writable);

    // The archive address of the game (the classic one by default); the game's default when
    // the file, the folder or the key is missing.
    QString archiveUrl(const Formula& game = Formula::classic());
    // Returns false when the file could not be written (the value then lasts only in memory).
    bool setArchiveUrl(const QString& url, const Formula& game = Formula::classic());

    // The game chosen last; nullopt when none was, or the value names no game.
    std::optional<FormulaId> game() const;
    bool setGame(FormulaId id);

    // Whether the window keeps the current game's history up to date by itself (section "Jeu",
    // key "MiseAJourAuto"); on unless the key says 0.
    bool autoUpdate() const;
    bool setAutoUpdate(bool on);

    // The pay tables in force: each game's shipped table with the player's corrections (section
    // "Gains", key the game's key). A text that does not read leaves that game's shipped table
    // and adds to `notices` a French sentence naming the key and what is wrong.
    PayTables payTables(QStringList* notices = nullptr) const;
    // Keeps the rows of `table` that differ from the shipped one; false when the file could not
    // be written (lastError says why).
    bool setPayTable(FormulaId id, const PayTable& table);

    // One key of one section; at most 254 characters are read. A file that cannot be read
    // gives the default.
    QString read(const QString& section, const QString& key, const QString& defaultValue) const;
    // False when the file could not be written, or could not be read: a file that does not
    // read whole is never replaced.
    bool write(const QString& section, const QString& key, const QString& value);

    // Why the last write failed, in French (empty after a write that succeeded).
    QString lastError() const { return m_error; }

private:
    // The value of one key, whole; `defaultValue` when the file cannot be read or lacks it.
    QString readWhole(const QString& section, const QString& key, const QString& defaultValue) const;
    // "section/key" as the file spells it, or as given when the file lacks it.
    static QString storedKey(const QSettings& file, const QString& section, const QString& key);

    QString m_path;
    QString m_error;
    bool m_writable;
};
