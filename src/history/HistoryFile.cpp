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

ListReadResult finish(DrawListReader& reader)
{
    ListReadResult result;
    result.found = true;
    result.list = reader.finish();
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
    result.badLines = r.badLines;
    result.problems = std::move(r.problems);
    return result;
}

} // namespace

ListReadResult readList(const QString& path)
{
    ListReadResult result;
    QFile file(path);
    if (!openForReading(file, result.error))
        return result;
    DrawListReader reader;
    reader.reserve(static_cast<int>(std::min<qint64>(file.size() / (DrawLine::kLength + 2) + 1, 1 << 24)));
    // Small pieces: a long history costs its records, not a copy of the file.
    std::vector<char> buffer(64 * 1024);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (;;) {
        const qint64 n = file.read(buffer.data(), static_cast<qint64>(buffer.size()));
        if (n <= 0)
            break;
        reader.feed(QByteArrayView(buffer.data(), n));
        hash.addData(QByteArrayView(buffer.data(), n));
    }
    ListReadResult read = finish(reader);
    read.digest = hash.result();
    return read;
}

ListReadResult parseList(QByteArrayView bytes)
{
    DrawListReader reader;
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
