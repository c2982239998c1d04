#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace TextFile {

// Encodes text for files and clipboard in the system's 8-bit code page (UTF-8 on Linux).
QByteArray encodeSystem(const QString& text);

// Decodes a file's bytes: valid UTF-8 is taken as such (BOM dropped), anything else as
// Windows-1252, so ASCII, UTF-8 and ANSI files all read right.
QString decode(const QByteArray& bytes);

// Windows-1252 bytes as text (the few undefined bytes give U+FFFD).
QString decodeWindows1252(QByteArrayView bytes);

// The single way user data reaches the disk: written aside, then renamed over the target.
// Returns false and fills *error (French) when anything fails; the old file is then untouched.
bool writeAtomic(const QString& path, const QByteArray& data, QString* error);

// Two files that belong together, both replaced or neither: both are written aside and checked
// whole before either replaces its old file; when the second cannot replace its own, the first is
// put back as it was. Returns false and fills *error (French, saying what each file holds then).
bool writeAtomicPair(const QString& firstPath, const QByteArray& firstData, const QString& secondPath,
                     const QByteArray& secondData, QString* error);

// Lines joined with CR LF after each one, encoded for the system.
QByteArray crlfLines(const QStringList& lines);

} // namespace TextFile
