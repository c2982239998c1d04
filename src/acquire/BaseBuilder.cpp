#include "acquire/BaseBuilder.h"

#include "history/DateText.h"
#include "output/Plural.h"

#include "acquire/CsvImport.h"
#include "acquire/ZipExtractor.h"
#include "history/DrawLine.h"
#include "history/HistoryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <algorithm>
#include <array>

namespace {

constexpr int kMaxListedConflicts = 20;
constexpr int kMaxListedGaps = 20;

struct Known {
    int archive = 0;
    QString line;
};

// A draw is its date and its slot; its numbers are compared as a set, since eras of the
// operator's files do not all list them in the same order.
QString drawKey(const QString& line)
{
    return line.left(10) + (DrawLine::isMiddayByChar(line) ? QLatin1String(" midi") : QLatin1String(" soir"));
}

std::array<int, DrawLine::kNumbers> sortedNumbers(const QString& line)
{
    std::array<int, DrawLine::kNumbers> numbers{};
    for (int k = 1; k <= DrawLine::kNumbers; ++k)
        numbers[static_cast<std::size_t>(k - 1)] = DrawLine::number(line, k);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

bool isZip(const QByteArray& bytes)
{
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

void addConversion(const CsvImport::Conversion& conversion, BaseBuilder::ArchiveReport& report, QStringList& lines)
{
    report.rows += conversion.rows;
    report.skipped += conversion.skipped;
    report.messages << conversion.reasons;
    lines << conversion.lines;
}

// The draw lines of one archive, oldest first as the importer gives them.
QStringList readArchive(const QString& path, BaseBuilder::ArchiveReport& report)
{
    QStringList lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > ZipExtractor::kDefaultMaxTotalSize) {
        report.messages << QStringLiteral("Archive illisible : %1").arg(QDir::toNativeSeparators(path));
        return lines;
    }
    const QByteArray bytes = file.readAll();
    if (!isZip(bytes)) {
        report.read = true;
        addConversion(CsvImport::convert(bytes), report, lines);
        return lines;
    }

    // Each archive is opened in a folder of its own, so no member of one is read for another.
    QTemporaryDir folder;
    if (!folder.isValid()) {
        report.messages << QStringLiteral("Dossier temporaire impossible à créer : %1").arg(folder.errorString());
        return lines;
    }
    const ZipExtractor::Result extraction = ZipExtractor().extract(path, folder.path());
    report.messages << extraction.messages;
    if (!extraction.opened)
        return lines;
    report.read = true;
    int csvFiles = 0;
    for (const QString& member : extraction.written) {
        if (!member.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            continue;
        ++csvFiles;
        QFile csv(QDir(folder.path()).filePath(member));
        if (!csv.open(QIODevice::ReadOnly)) {
            report.messages << QStringLiteral("Fichier illisible dans l'archive : %1").arg(member);
            continue;
        }
        addConversion(CsvImport::convert(csv.readAll()), report, lines);
    }
    if (csvFiles == 0)
        report.messages << QStringLiteral("Aucun fichier CSV dans l'archive");
    return lines;
}

bool drawBefore(const QString& a, const QString& b)
{
    const QDate da = DrawLine::date(a);
    const QDate db = DrawLine::date(b);
    if (da != db)
        return da < db;
    return DrawLine::isMiddayByChar(a) && !DrawLine::isMiddayByChar(b);
}

QString slotOf(const QString& line)
{
    return DrawLine::isMiddayByChar(line) ? QStringLiteral("midi") : QStringLiteral("soir");
}

} // namespace

BaseBuilder::Result BaseBuilder::collect(const QStringList& archivePaths, const Progress& progress,
                                         const std::atomic<bool>* cancel)
{
    Result result;
    QHash<QString, Known> known;
    const int total = static_cast<int>(archivePaths.size());
    for (int a = 0; a < total; ++a) {
        if (cancel && cancel->load()) {
            result.stopped = true;
            break;
        }
        ArchiveReport report;
        report.name = QFileInfo(archivePaths[a]).fileName();
        const QStringList lines = readArchive(archivePaths[a], report);
        for (const QString& line : lines) {
            const QString key = drawKey(line);
            const auto found = known.constFind(key);
            if (found == known.constEnd()) {
                known.insert(key, Known{a, line});
                result.lines << line;
                ++report.draws;
            } else if (sortedNumbers(found->line) == sortedNumbers(line)) {
                ++report.duplicates;
                ++result.duplicates;
            } else {
                ++report.conflicts;
                result.conflicts << Conflict{
                    DrawLine::date(line), slotOf(line), found->archive == a ? report.name : result.archives[found->archive].name,
                    found->line,          report.name,  line};
            }
        }
        result.archives << report;
        if (progress)
            progress(a + 1, total);
    }

    std::stable_sort(result.lines.begin(), result.lines.end(), drawBefore);
    if (!result.lines.isEmpty()) {
        result.first = DrawLine::date(result.lines.first());
        result.last = DrawLine::date(result.lines.last());
        QDate previous = result.first;
        for (const QString& line : std::as_const(result.lines)) {
            const QDate date = DrawLine::date(line);
            if (previous.daysTo(date) > 1)
                result.gaps << Gap{previous.addDays(1), date.addDays(-1)};
            previous = date;
        }
    }
    return result;
}

QStringList BaseBuilder::Result::summary() const
{
    QStringList out;
    for (const ArchiveReport& archive : archives) {
        if (!archive.read) {
            out << QStringLiteral("%1 : illisible").arg(archive.name);
        } else {
            out << QStringLiteral("%1 : %2 tirages nouveaux, %3 en double, %4 en désaccord (%5 lignes lues, %6 refusées)")
                       .arg(archive.name)
                       .arg(archive.draws)
                       .arg(archive.duplicates)
                       .arg(archive.conflicts)
                       .arg(archive.rows)
                       .arg(archive.skipped);
        }
        for (const QString& message : archive.messages)
            out << QStringLiteral("  %1").arg(message);
    }
    out << QStringLiteral("Tirages retenus : %1").arg(lines.size());
    out << QStringLiteral("Tirages en double : %1").arg(duplicates);
    out << QStringLiteral("Tirages en désaccord : %1").arg(conflicts.size());
    for (int i = 0; i < conflicts.size() && i < kMaxListedConflicts; ++i) {
        const Conflict& c = conflicts[i];
        out << QStringLiteral("  %1 %2 : %3 et %4 diffèrent")
                   .arg(DateText::format(c.date), c.slot, c.keptArchive, c.otherArchive);
    }
    if (conflicts.size() > kMaxListedConflicts)
        out << QStringLiteral("  ... et %1 autres").arg(conflicts.size() - kMaxListedConflicts);
    if (!lines.isEmpty()) {
        out << QStringLiteral("Premier tirage : %1 %2").arg(DateText::format(first), slotOf(lines.first()));
        out << QStringLiteral("Dernier tirage : %1 %2").arg(DateText::format(last), slotOf(lines.last()));
    }
    out << QStringLiteral("Périodes sans tirage : %1").arg(gaps.size());
    for (int i = 0; i < gaps.size() && i < kMaxListedGaps; ++i) {
        const Gap& g = gaps[i];
        if (g.days() == 1)
            out << QStringLiteral("  le %1").arg(DateText::format(g.from));
        else
            out << QStringLiteral("  du %1 au %2 (%3 jours)").arg(DateText::format(g.from), DateText::format(g.to)).arg(g.days());
    }
    if (gaps.size() > kMaxListedGaps)
        out << QStringLiteral("  ... et %1 autres").arg(gaps.size() - kMaxListedGaps);
    return out;
}

QString BaseBuilder::existingHistory(const QString& dataFolder)
{
    for (const char* name : {HistoryFile::kBaseName, HistoryFile::kWorkingName}) {
        const QString path = HistoryFile::locate(dataFolder, QLatin1String(name));
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

bool BaseBuilder::write(const Result& result, const QString& dataFolder, const WriteOptions& options, QString* error)
{
    auto refuse = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (result.lines.isEmpty())
        return refuse(QStringLiteral("Aucun tirage lu dans les archives : rien n'est écrit."));
    if (!result.conflicts.isEmpty() && !options.keepFirstOnConflict)
        return refuse(QStringLiteral("Les archives ne sont pas d'accord sur %1 : rien n'est écrit.")
                          .arg(Plural::count(result.conflicts.size(), QStringLiteral("tirage"), QStringLiteral("tirages"))));
    const QString existing = existingHistory(dataFolder);
    if (!existing.isEmpty() && !options.replace)
        return refuse(QStringLiteral("L'historique %1 existe déjà : il n'est remplacé que sur confirmation.")
                          .arg(QDir::toNativeSeparators(existing)));

    // The base first: a failure there leaves both files as they were.
    if (!HistoryFile::write(HistoryFile::locate(dataFolder, QLatin1String(HistoryFile::kBaseName)), result.lines, error))
        return false;
    return HistoryFile::write(HistoryFile::locate(dataFolder, QLatin1String(HistoryFile::kWorkingName)), result.lines, error);
}
