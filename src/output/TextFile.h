// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QSaveFile;

namespace TextFile {

// Encodes text for files and clipboard in the system's 8-bit code page (UTF-8 on Linux).
QByteArray encodeSystem(const QString& text);

// Decodes a file's bytes: valid UTF-8 is taken as such (BOM dropped), anything else as
// Windows-1252, so ASCII, UTF-8 and ANSI files all read right.
QString decode(const QByteArray& bytes);

// Windows-1252 bytes as text (the few undefined bytes give U+FFFD).
QString decodeWindows1252(QByteArrayView bytes);

// Why a file was not written. The old file, when there was one, is then byte for byte as before.
struct WriteFailure {
    enum class Kind {
        NoSpace, // the disk or the user's quota is full
        ReadOnlyDisk, // the file system is mounted read-only
        AccessDenied, // the folder does not let this user write
        FileReadOnly, // the file itself has no write permission: refused, not replaced
        OwnerNotKept, // the new file could not take the old one's owner
        IsFolder, // a folder stands where the file should be
        NoFolder, // the folder cannot be made
        TooLarge, // the file is larger than the file system or a limit allows
        DiskError, // the device reported an input/output error
        Other,
    };
    Kind kind = Kind::Other;
    int errorNumber = 0; // the system's error code, 0 when none was given
    QString path; // the file that was to be written
    bool existed = false; // an old file is there and is kept as it was
};

// Reads an open file to its real end: a short read may hide a failed one, so only a read of
// nothing without an error ends it. False, with *why set (reason()), when a read failed; *bytes
// then holds nothing.
bool readToEnd(QFileDevice& file, QByteArray* bytes, QString* why);

// Why an open, a read or a write failed, in French and in a few words ("le disque est plein",
// "l'accès est refusé"), from the system's error code, or from what Qt reports for `file`.
QString reason(int errorNumber);
QString reason(const QFileDevice& file);
// The one wording of a file that could not be written: "Impossible d'écrire « path » : reason".
QString cannotWrite(const QString& path, const QString& why);

// The system's error code as a kind of failure (the one place where codes are read).
WriteFailure::Kind failureKind(int errorNumber);
// A French sentence: what happened, which file was not written, and what is kept, e.g.
// "Disque plein : « …/Tirages_keno.txt » n'a pas été enregistré ; l'ancien fichier est gardé tel quel."
QString describe(const WriteFailure& failure);

// A file written beside its place, with every check below, and not yet put in place: two files
// can both be staged and put in place only when both are whole. Destroyed without commit(), it
// leaves the old file as it was and no temporary file behind.
class StagedWrite {
public:
    StagedWrite(const QString& path, const QByteArray& data);
    ~StagedWrite();
    StagedWrite(const StagedWrite&) = delete;
    StagedWrite& operator=(const StagedWrite&) = delete;

    // Why staging or the commit failed; nullopt while everything went well.
    const std::optional<WriteFailure>& failure() const { return m_failure; }
    // Renames the staged file over the target; false, with failure() set, when it did not.
    bool commit();

private:
    std::unique_ptr<QSaveFile> m_file;
    std::optional<WriteFailure> m_failure;
    QString m_path;
    bool m_existed = false;
};

// The single way user data reaches the disk: written aside, then renamed over the target only
// when every byte was written and flushed to the disk. A replaced file keeps its owner and
// permissions; a file without write permission is refused. nullopt when the file was written.
std::optional<WriteFailure> writeFile(const QString& path, const QByteArray& data);
// The same, returning false and filling *error with describe() when anything fails.
bool writeAtomic(const QString& path, const QByteArray& data, QString* error);

// Two files that belong together, both replaced or neither: both are written aside and checked
// whole before either replaces its old file; when the second cannot replace its own, the first is
// put back as it was. Returns false and fills *error (French, saying what each file holds then).
bool writeAtomicPair(const QString& firstPath, const QByteArray& firstData, const QString& secondPath,
                     const QByteArray& secondData, QString* error);

// Lines joined with CR LF after each one, encoded for the system.
QByteArray crlfLines(const QStringList& lines);

} // namespace TextFile
