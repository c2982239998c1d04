// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryFile.h"

#include "history/DrawLine.h"
#include "history/DrawListReader.h"
#include "output/TextFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <vector>

namespace HistoryFile {

QString locate(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (dir.exists(name))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return dir.filePath(name);
}

QString workingPath(const QString& folder, FormulaId id)
{
    return locate(folder, Formula::get(id).workingFile);
}

QString basePath(const QString& folder, FormulaId id)
{
    return locate(folder, Formula::get(id).baseFile);
}

std::optional<FormulaId> formulaOfFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    for (FormulaId id : Formula::all()) {
        const Formula& f = Formula::get(id);
        if (name.compare(f.workingFile, Qt::CaseInsensitive) == 0 || name.compare(f.baseFile, Qt::CaseInsensitive) == 0)
            return id;
    }
    return std::nullopt;
}

namespace {

// Opens the file or says why not, in French.
bool openForReading(QFile& file, QString& error)
{
    if (!file.exists()) {
        error = QStringLiteral("Le fichier « %1 » est introuvable.").arg(QDir::toNativeSeparators(file.fileName()));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Le fichier « %1 » ne peut pas être lu : %2.")
                    .arg(QDir::toNativeSeparators(file.fileName()), TextFile::reason(file));
        return false;
    }
    return true;
}

ListReadResult failure(const QString& error);

// The file's name as a message shows it; the bytes read from memory have none.
ListReadResult finish(DrawListReader& reader, const QString& path = {})
{
    ListReadResult result;
    result.found = true;
    result.list = reader.finish();
    if (!reader.refusal().isEmpty()) {
        const QString file = path.isEmpty() ? QStringLiteral("L'historique")
                                            : QStringLiteral("Le fichier « %1 »").arg(QDir::toNativeSeparators(path));
        ListReadResult refused = failure(QStringLiteral("%1 n'a pas été lu : %2 ; un historique ne tient les tirages que "
                                                        "d'un seul jeu.")
                                             .arg(file, reader.refusal()));
        refused.list.setFormula(result.list.formulaId());
        return refused;
    }
    result.badLines = reader.badLines();
    result.problems = reader.problems();
    return result;
}

ReadResult asLines(ListReadResult&& r)
{
    ReadResult result;
    result.lines = r.list.toStringList();
    result.found = r.found;
    result.error = std::move(r.error);
    result.failed = r.failed;
    result.badLines = r.badLines;
    result.problems = std::move(r.problems);
    result.formula = r.list.formulaId();
    return result;
}

} // namespace

namespace {

ListReadResult failure(const QString& error)
{
    ListReadResult result;
    result.error = error;
    result.failed = true;
    return result;
}

ListReadResult tooLarge(const QFile& file)
{
    constexpr qint64 megabyte = 1024 * 1024;
    return failure(QStringLiteral("Le fichier « %1 » est trop grand pour un historique (%2 Mo, au plus %3 Mo admis) : il "
                                  "n'a pas été lu.")
                       .arg(QDir::toNativeSeparators(file.fileName()))
                       .arg((std::max(file.size(), kLargestHistory + 1) + megabyte - 1) / megabyte)
                       .arg(kLargestHistory / megabyte));
}

ListReadResult readFailed(const QFile& file, qint64 bytesRead)
{
    return failure(QStringLiteral("Le fichier « %1 » n'a pas pu être lu jusqu'au bout (%2, après %3 octets).")
                       .arg(QDir::toNativeSeparators(file.fileName()), TextFile::reason(file))
                       .arg(bytesRead));
}

} // namespace

ListReadResult readList(const QString& path, std::optional<FormulaId> expected)
{
    QFile file(path);
    if (QString error; !openForReading(file, error)) {
        ListReadResult result = failure(error);
        result.failed = file.exists();
        return result;
    }
    if (file.size() > kLargestHistory)
        return tooLarge(file);
    DrawListReader reader;
    if (const auto id = expected ? expected : formulaOfFile(path))
        reader.expect(*id);
    reader.reserve(static_cast<int>(file.size() / (DrawLine::kLength + 2) + 1));
    // Small pieces: a long history costs its records, not a copy of the file.
    std::vector<char> buffer(64 * 1024);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    qint64 total = 0;
    for (;;) {
        // A short read may hide a failed one: only a read of nothing without an error is the end.
        const qint64 n = file.read(buffer.data(), static_cast<qint64>(buffer.size()));
        if (n < 0 || file.error() != QFileDevice::NoError)
            return readFailed(file, total + std::max<qint64>(n, 0));
        if (n == 0)
            break;
        total += n;
        if (total > kLargestHistory) // grown since it was measured
            return tooLarge(file);
        reader.feed(QByteArrayView(buffer.data(), n));
        hash.addData(QByteArrayView(buffer.data(), n));
    }
    ListReadResult read = finish(reader, file.fileName());
    read.digest = hash.result();
    return read;
}

ListReadResult parseList(QByteArrayView bytes, std::optional<FormulaId> expected)
{
    DrawListReader reader;
    if (expected)
        reader.expect(*expected);
    reader.reserve(static_cast<int>(bytes.size() / (DrawLine::kLength + 2) + 1));
    reader.feed(bytes);
    ListReadResult read = finish(reader);
    read.digest = digest(bytes);
    return read;
}

QByteArray digest(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

ReadResult read(const QString& path)
{
    return asLines(readList(path));
}

ReadResult parse(const QByteArray& bytes)
{
    return asLines(parseList(bytes));
}

bool write(const QString& path, const QStringList& draws, QString* error)
{
    QStringList lines;
    lines.reserve(draws.size());
    for (const QString& l : draws)
        if (!l.isEmpty())
            lines << l;
    return TextFile::writeAtomic(path, TextFile::crlfLines(lines), error);
}

bool write(const QString& path, const DrawList& draws, QString* error)
{
    return TextFile::writeAtomic(path, draws.toCrlfBytes(), error);
}

} // namespace HistoryFile
