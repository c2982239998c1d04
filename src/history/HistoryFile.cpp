#include "history/HistoryFile.h"

#include "history/DrawLine.h"
#include "output/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace HistoryFile {

namespace {
constexpr int kProblemsShown = 5;
}

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

ReadResult read(const QString& path)
{
    ReadResult result;
    QFile file(path);
    if (!file.exists()) {
        result.error = QStringLiteral("Le fichier « %1 » est introuvable.").arg(QDir::toNativeSeparators(path));
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Le fichier « %1 » ne peut pas être lu : %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString());
        return result;
    }
    return parse(file.readAll());
}

ReadResult parse(const QByteArray& bytes)
{
    ReadResult result;
    const QString text = TextFile::decode(bytes);
    result.found = true;
    const QStringList pieces = text.split(QLatin1Char('\n'));
    int lineNo = 0;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        ++lineNo;
        QString line = pieces[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // An empty line would pose as the end of the list: skip it.
        if (line.trimmed().isEmpty()) {
            if (i + 1 < pieces.size()) {
                ++result.badLines;
                if (result.problems.size() < kProblemsShown)
                    result.problems << QStringLiteral("ligne %1 : ligne vide ignorée").arg(lineNo);
            }
            continue;
        }
        line = DrawLine::normalize(line);
        if (const auto why = DrawLine::problem(line)) {
            ++result.badLines;
            if (result.problems.size() < kProblemsShown)
                result.problems << QStringLiteral("ligne %1 : %2").arg(lineNo).arg(*why);
        }
        result.lines << line;
    }
    return result;
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

} // namespace HistoryFile
