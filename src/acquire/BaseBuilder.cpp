// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/BaseBuilder.h"

#include "history/DateText.h"
#include "history/DrawList.h"
#include "output/Plural.h"

#include "acquire/ArchiveCheck.h"
#include "acquire/CsvImport.h"
#include "acquire/ZipExtractor.h"
#include "history/DrawLine.h"
#include "history/HistoryFile.h"
#include "history/MultiplierFile.h"
#include "output/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <array>

namespace {

constexpr int kMaxListedConflicts = 20;
constexpr int kMaxListedGaps = 20;
constexpr int kMaxListedDraws = 20;

struct Known {
    int archive = 0;
    QString line;
};

// The draw lines of an archive and the multiplier of each, where its row gives one.
struct Rows {
    QStringList lines;
    QList<std::optional<int>> multipliers;
};

// A draw is its date and its slot; its numbers are compared as a set, since eras of the
// operator's files do not all list them in the same order.
QString drawKey(const QString& line)
{
    return line.left(10) + (DrawLine::isMiddayByChar(line) ? QLatin1String(" midi") : QLatin1String(" soir"));
}

std::array<int, Formula::kMaxDrawn> sortedNumbers(const QString& line)
{
    const int drawn = Formula::get(Formula::ofLine(line).value_or(FormulaId::Keno20of70)).drawn;
    std::array<int, Formula::kMaxDrawn> numbers{};
    for (int k = 1; k <= drawn; ++k)
        numbers[static_cast<std::size_t>(k - 1)] = DrawLine::number(line, k);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
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

bool isZip(const QByteArray& bytes)
{
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

// The rows of the archive's CSV that are draws of `game`: one of another game refuses the whole
// file, one dated outside the days the game ran is refused and named.
void keepGameRows(CsvImport::Conversion& conversion, BaseBuilder::ArchiveReport& report, FormulaId game)
{
    if (!conversion.headerProblem.isEmpty()) {
        report.messages << QStringLiteral("En-tête illisible : %1").arg(conversion.headerProblem);
        return;
    }
    if (conversion.formula != game) {
        report.messages << ArchiveCheck::otherGame(conversion.formula, game);
        conversion.lines.clear();
        conversion.lineNumbers.clear();
        conversion.multipliers.clear();
        return;
    }
    const Formula& formula = Formula::get(game);
    for (qsizetype i = conversion.lines.size() - 1; i >= 0; --i) {
        const QString& line = conversion.lines[i];
        if (formula.ranOn(DrawLine::date(line)))
            continue;
        ++report.skipped;
        report.messages << QStringLiteral("ligne %1 : %2 hors des dates du %3")
                               .arg(conversion.lineNumbers[i])
                               .arg(line.left(10), CsvImport::gameName(formula));
        conversion.lines.removeAt(i);
        conversion.lineNumbers.removeAt(i);
        if (i < conversion.multipliers.size())
            conversion.multipliers.removeAt(i);
        if (i == 0)
            conversion.lastPieceKept = false;
    }
}

void addConversion(CsvImport::Conversion conversion, BaseBuilder::ArchiveReport& report, Rows& rows, FormulaId game)
{
    report.rows += conversion.rows;
    report.skipped += conversion.skipped;
    report.messages << conversion.reasons;
    keepGameRows(conversion, report, game);
    rows.lines << conversion.lines;
    // One multiplier a line, none where the conversion gave fewer.
    conversion.multipliers.resize(conversion.lines.size());
    rows.multipliers << conversion.multipliers;
    for (qsizetype i = 0; i < conversion.lines.size(); ++i) {
        const QString& line = conversion.lines[i];
        if (report.newestLine.isEmpty() || drawBefore(report.newestLine, line))
            report.newestLine = line;
        // The row a download would drop is not where its draws begin.
        if (i == 0 && conversion.lastPieceKept)
            continue;
        if (report.firstImportedLine.isEmpty() || drawBefore(line, report.firstImportedLine))
            report.firstImportedLine = line;
    }
}

CsvImport::Conversion convertAll(const QByteArray& bytes)
{
    return CsvImport::convert(bytes, {}, CsvImport::LastPiece::KeptWhenNotEmpty);
}

// A read that fails midway drops the whole archive: a part of it must never pass for all of it.
bool readWhole(QFile& file, const QString& shown, BaseBuilder::ArchiveReport& report, QByteArray* bytes)
{
    QString why;
    if (TextFile::readToEnd(file, bytes, &why))
        return true;
    report.messages << QStringLiteral("Lecture interrompue : %1 (%2)").arg(shown, why);
    report.cut = true;
    return false;
}

// The CSV members of an extracted archive, read one after the other.
Rows readMembers(const QString& folder, const ZipExtractor::Result& extraction, BaseBuilder::ArchiveReport& report,
                 FormulaId game)
{
    Rows rows;
    int csvFiles = 0;
    for (const QString& member : extraction.written) {
        if (!member.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            continue;
        ++csvFiles;
        QFile csv(QDir(folder).filePath(member));
        if (!csv.open(QIODevice::ReadOnly)) {
            report.messages << QStringLiteral("Fichier illisible dans l'archive : %1").arg(member);
            continue;
        }
        QByteArray bytes;
        if (!readWhole(csv, member, report, &bytes))
            return {};
        addConversion(convertAll(bytes), report, rows, game);
    }
    if (csvFiles == 0)
        report.messages << QStringLiteral("Aucun fichier CSV dans l'archive");
    return rows;
}

// The draw lines of one archive, oldest first as the importer gives them.
Rows readArchive(const QString& path, BaseBuilder::ArchiveReport& report, FormulaId game)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > ZipExtractor::kDefaultMaxTotalSize) {
        report.messages << QStringLiteral("Archive illisible : %1").arg(QDir::toNativeSeparators(path));
        return {};
    }
    QByteArray bytes;
    if (!readWhole(file, QDir::toNativeSeparators(path), report, &bytes))
        return {};
    if (!isZip(bytes)) {
        report.read = true;
        Rows rows;
        addConversion(convertAll(bytes), report, rows, game);
        return rows;
    }

    // Each archive is opened in a folder of its own, so no member of one is read for another.
    QTemporaryDir folder;
    if (!folder.isValid()) {
        report.messages << QStringLiteral("Dossier temporaire impossible à créer : %1").arg(folder.errorString());
        return {};
    }
    const ZipExtractor::Result extraction = ZipExtractor().extract(path, folder.path());
    report.messages << extraction.messages;
    if (!extraction.opened)
        return {};
    report.read = true;
    return readMembers(folder.path(), extraction, report, game);
}

// The first multiplier an archive gives for a draw stays: an older archive may have none, a
// later one with the same numbers then gives it.
void keepMultiplier(BaseBuilder::Result& result, const QString& line, const std::optional<int>& multiplier)
{
    QDate day;
    int slot = 0;
    if (multiplier && MultiplierFile::allowed(*multiplier) && MultiplierFile::keyOfLine(line, &day, &slot)
        && !result.multipliers.of(day, slot))
        result.multipliers.set(day, slot, *multiplier);
}

// Each draw of an archive is new, the same as one known, or in conflict with it.
void addDraws(BaseBuilder::Result& result, QHash<QString, Known>& known, int a, BaseBuilder::ArchiveReport& report,
              const Rows& rows)
{
    for (qsizetype i = 0; i < rows.lines.size(); ++i) {
        const QString& line = rows.lines[i];
        const QString key = drawKey(line);
        const auto found = known.constFind(key);
        if (found == known.constEnd()) {
            known.insert(key, Known{a, line});
            result.lines << line;
            ++report.draws;
            keepMultiplier(result, line, rows.multipliers.value(i));
        } else if (sortedNumbers(found->line) == sortedNumbers(line)) {
            ++report.duplicates;
            ++result.duplicates;
            keepMultiplier(result, line, rows.multipliers.value(i));
        } else {
            ++report.conflicts;
            result.conflicts << BaseBuilder::Conflict{
                DrawLine::date(line), slotOf(line), found->archive == a ? report.name : result.archives[found->archive].name,
                found->line,          report.name,  line};
        }
    }
}

void findGaps(BaseBuilder::Result& result)
{
    if (result.lines.isEmpty())
        return;
    result.first = DrawLine::date(result.lines.first());
    result.last = DrawLine::date(result.lines.last());
    QDate previous = result.first;
    for (const QString& line : std::as_const(result.lines)) {
        const QDate date = DrawLine::date(line);
        if (previous.daysTo(date) > 1)
            result.gaps << BaseBuilder::Gap{previous.addDays(1), date.addDays(-1)};
        previous = date;
    }
}

// The archive a download fetches again is the one that brings the latest draw; of two that
// end alike, the one that starts earlier, so that no draw can be in the base history too.
int newestArchive(const QList<BaseBuilder::ArchiveReport>& archives)
{
    int newest = -1;
    for (int a = 0; a < archives.size(); ++a) {
        const BaseBuilder::ArchiveReport& candidate = archives[a];
        if (candidate.newestLine.isEmpty())
            continue;
        if (newest < 0) {
            newest = a;
            continue;
        }
        const BaseBuilder::ArchiveReport& best = archives[newest];
        if (drawBefore(best.newestLine, candidate.newestLine)
            || (!drawBefore(candidate.newestLine, best.newestLine)
                && drawBefore(candidate.firstImportedLine, best.firstImportedLine)))
            newest = a;
    }
    return newest;
}

// Each draw of the archives, by its date and slot.
QHash<QString, QString> archivedByKey(const QStringList& lines)
{
    QHash<QString, QString> archived;
    for (const QString& line : lines)
        archived.insert(drawKey(line), line);
    return archived;
}

// A history line that is no dated draw, named for the summary; empty when the line is one.
QString unreadableLine(const QString& name, qsizetype i, const QString& line)
{
    if (DrawLine::date(line).isValid() && (DrawLine::endsWithSoir(line) || DrawLine::endsWithSpaceMidi(line)))
        return {};
    return QStringLiteral("%1, ligne %2 : %3").arg(name).arg(i + 1).arg(line.left(40));
}

} // namespace

BaseBuilder::Result BaseBuilder::collect(const QStringList& archivePaths, const Progress& progress,
                                         const std::atomic<bool>* cancel, FormulaId game)
{
    Result result;
    result.formula = game;
    QHash<QString, Known> known;
    const int total = static_cast<int>(archivePaths.size());
    for (int a = 0; a < total; ++a) {
        if (cancel && cancel->load()) {
            result.stopped = true;
            break;
        }
        ArchiveReport report;
        report.name = QFileInfo(archivePaths[a]).fileName();
        addDraws(result, known, a, report, readArchive(archivePaths[a], report, game));
        result.archives << report;
        if (progress)
            progress(a + 1, total);
    }

    std::stable_sort(result.lines.begin(), result.lines.end(), drawBefore);
    findGaps(result);
    result.newestArchive = newestArchive(result.archives);
    splitFiles(result);
    return result;
}

void BaseBuilder::mergeWorking(Result& result, const QStringList& workingLines, const QString& name)
{
    result.workingName = name;
    result.kept.clear();
    result.baseName.clear();
    result.keptBase.clear();
    result.workingConflicts.clear();
    result.unreadable.clear();
    const QHash<QString, QString> archived = archivedByKey(result.lines);
    QHash<QString, QString> keptByKey;
    for (qsizetype i = 0; i < workingLines.size(); ++i) {
        const QString& line = workingLines[i];
        if (line.isEmpty())
            continue;
        if (const QString unreadable = unreadableLine(name, i, line); !unreadable.isEmpty()) {
            result.unreadable << unreadable;
            continue;
        }
        const QString key = drawKey(line);
        const auto inArchives = archived.constFind(key);
        if (inArchives != archived.constEnd()) {
            if (sortedNumbers(*inArchives) != sortedNumbers(line))
                result.workingConflicts << Conflict{DrawLine::date(line),           slotOf(line), name, line,
                                                    QStringLiteral("les archives"), *inArchives};
            continue;
        }
        const auto seen = keptByKey.constFind(key);
        if (seen == keptByKey.constEnd()) {
            keptByKey.insert(key, line);
            result.kept << line;
        } else if (sortedNumbers(*seen) != sortedNumbers(line)) {
            // The file gives one draw twice with other numbers: nothing says which is right.
            result.workingConflicts << Conflict{DrawLine::date(line), slotOf(line), name, *seen, name, line};
        }
    }
    std::stable_sort(result.kept.begin(), result.kept.end(), drawBefore);
    splitFiles(result);
}

void BaseBuilder::mergeBase(Result& result, const QStringList& baseLines, const QStringList& workingLines, const QString& name)
{
    result.baseName = name;
    result.keptBase.clear();
    const QHash<QString, QString> archived = archivedByKey(result.lines);
    QSet<QString> held; // the working history's draws and those already kept from the base
    for (const QString& line : workingLines)
        if (DrawLine::date(line).isValid())
            held.insert(drawKey(line));
    for (qsizetype i = 0; i < baseLines.size(); ++i) {
        const QString& line = baseLines[i];
        if (line.isEmpty())
            continue;
        if (const QString unreadable = unreadableLine(name, i, line); !unreadable.isEmpty()) {
            result.unreadable << unreadable;
            continue;
        }
        const QString key = drawKey(line);
        if (held.contains(key))
            continue;
        const auto inArchives = archived.constFind(key);
        if (inArchives == archived.constEnd()) {
            held.insert(key);
            result.keptBase << line;
        } else if (sortedNumbers(*inArchives) != sortedNumbers(line)) {
            result.workingConflicts << Conflict{DrawLine::date(line),           slotOf(line), name, line,
                                                QStringLiteral("les archives"), *inArchives};
        }
    }
    std::stable_sort(result.keptBase.begin(), result.keptBase.end(), drawBefore);
    splitFiles(result);
}

void BaseBuilder::splitFiles(Result& result)
{
    result.working = result.lines;
    result.working << result.kept << result.keptBase;
    std::stable_sort(result.working.begin(), result.working.end(), drawBefore);
    result.base.clear();
    if (result.newestArchive < 0)
        return;
    // A download of an archive whose one row it drops appends nothing: everything is base then.
    const QString& from = result.archives[result.newestArchive].firstImportedLine;
    for (const QString& line : std::as_const(result.working)) {
        if (!from.isEmpty() && !drawBefore(line, from))
            break;
        result.base << line;
    }
}

namespace {

// The first `limit` items, then how many more there are.
template <class Item, class Format> void listSome(QStringList& out, const QList<Item>& items, int limit, Format format)
{
    for (int i = 0; i < items.size() && i < limit; ++i)
        out << format(items[i]);
    if (items.size() > limit)
        out << QStringLiteral("  ... et %1 autres").arg(items.size() - limit);
}

QString conflictLine(const BaseBuilder::Conflict& c)
{
    return QStringLiteral("  %1 %2 : %3 et %4 diffèrent").arg(DateText::format(c.date), c.slot, c.keptArchive, c.otherArchive);
}

QString drawLine(const QString& line)
{
    return QStringLiteral("  %1 %2").arg(line.left(10), slotOf(line));
}

QString tirages(qsizetype n)
{
    return Plural::count(n, QStringLiteral("tirage"), QStringLiteral("tirages"));
}

QStringList archiveLines(const QList<BaseBuilder::ArchiveReport>& archives)
{
    QStringList out;
    for (const BaseBuilder::ArchiveReport& archive : archives) {
        if (!archive.read) {
            out << QStringLiteral("%1 : illisible").arg(archive.name);
        } else {
            out << QStringLiteral("%1 : %2, %3 en double, %4 en désaccord (%5, %6)")
                       .arg(archive.name,
                            Plural::count(archive.draws, QStringLiteral("tirage nouveau"), QStringLiteral("tirages nouveaux")))
                       .arg(archive.duplicates)
                       .arg(archive.conflicts)
                       .arg(Plural::count(archive.rows, QStringLiteral("ligne lue"), QStringLiteral("lignes lues")),
                            Plural::count(archive.skipped, QStringLiteral("refusée"), QStringLiteral("refusées")));
        }
        for (const QString& message : archive.messages)
            out << QStringLiteral("  %1").arg(message);
    }
    return out;
}

QStringList gapLines(const QList<BaseBuilder::Gap>& gaps)
{
    QStringList out;
    out << QStringLiteral("Périodes sans tirage : %1").arg(gaps.size());
    listSome(out, gaps, kMaxListedGaps, [](const BaseBuilder::Gap& g) {
        return g.days() == 1
            ? QStringLiteral("  le %1").arg(DateText::format(g.from))
            : QStringLiteral("  du %1 au %2 (%3 jours)").arg(DateText::format(g.from), DateText::format(g.to)).arg(g.days());
    });
    return out;
}

// What was kept of the player's working history, and what of it the archives contradict.
QStringList workingLines(const BaseBuilder::Result& r)
{
    QStringList out;
    out << QStringLiteral("Tirages gardés de %1, absents des archives : %2").arg(r.workingName).arg(r.kept.size());
    listSome(out, r.kept, kMaxListedDraws, drawLine);
    out << QStringLiteral("Tirages de %1 en désaccord avec les archives : %2").arg(r.workingName).arg(r.workingConflicts.size());
    listSome(out, r.workingConflicts, kMaxListedConflicts, conflictLine);
    if (!r.unreadable.isEmpty()) {
        out << QStringLiteral("Lignes qui ne sont pas des tirages datés : %1").arg(r.unreadable.size());
        listSome(out, r.unreadable, kMaxListedDraws, [](const QString& line) { return QStringLiteral("  %1").arg(line); });
    }
    return out;
}

// What each history file receives.
QStringList fileLines(const BaseBuilder::Result& r)
{
    QStringList out;
    const Formula& game = Formula::get(r.formula);
    out << QStringLiteral("Historique de travail (%1) : %2, tous les tirages").arg(game.workingFile, tirages(r.working.size()));
    const QString newest = r.newestArchive >= 0 ? r.archives[r.newestArchive].name : QString();
    if (r.base.size() == r.working.size())
        out << QStringLiteral("Historique de base (%1) : %2, tous les tirages").arg(game.baseFile, tirages(r.base.size()));
    else
        out << QStringLiteral("Historique de base (%1) : %2, ceux d'avant l'archive la plus récente, %3, que le "
                              "téléchargement ajoute à sa suite")
                   .arg(game.baseFile, tirages(r.base.size()), newest);
    return out;
}

} // namespace

QStringList BaseBuilder::Result::summary() const
{
    QStringList out = archiveLines(archives);
    out << QStringLiteral("Tirages retenus : %1").arg(lines.size());
    out << QStringLiteral("Tirages en double : %1").arg(duplicates);
    out << QStringLiteral("Tirages en désaccord : %1").arg(conflicts.size());
    listSome(out, conflicts, kMaxListedConflicts, conflictLine);
    if (!lines.isEmpty()) {
        out << QStringLiteral("Premier tirage : %1 %2").arg(DateText::format(first), slotOf(lines.first()));
        out << QStringLiteral("Dernier tirage : %1 %2").arg(DateText::format(last), slotOf(lines.last()));
    }
    out << gapLines(gaps);
    if (!workingName.isEmpty())
        out << workingLines(*this);
    if (!baseName.isEmpty()) {
        out << QStringLiteral("Tirages gardés de %1, absents des archives et de l'historique de travail : %2")
                   .arg(baseName)
                   .arg(keptBase.size());
        listSome(out, keptBase, kMaxListedDraws, drawLine);
    }
    if (!working.isEmpty())
        out << fileLines(*this);
    return out;
}

QString BaseBuilder::Result::cutArchive() const
{
    for (const ArchiveReport& archive : archives)
        if (archive.cut)
            return archive.name;
    return {};
}

BaseBuilder::Paths BaseBuilder::Paths::in(const QString& dataFolder, FormulaId game)
{
    const Formula& formula = Formula::get(game);
    return {HistoryFile::locate(dataFolder, formula.baseFile), HistoryFile::locate(dataFolder, formula.workingFile)};
}

QString BaseBuilder::existingHistory(const Paths& paths)
{
    for (const QString& path : {paths.base, paths.working})
        if (QFileInfo::exists(path))
            return path;
    return {};
}

namespace {

// Both histories and the multipliers beside the working one.
bool writeFiles(const BaseBuilder::Result& result, const BaseBuilder::Paths& paths, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const auto quoted = [](const QString& path) { return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(path)); };
    // The base is written aside first and put in place last: a full disk stops the build before
    // any file is replaced, and a stop after the working history leaves a base older than it,
    // whose draws the working history holds.
    TextFile::StagedWrite base(paths.base, TextFile::crlfLines(result.base));
    if (base.failure())
        return fail(TextFile::describe(*base.failure())
                    + QStringLiteral(" %1 n'a pas été remplacé non plus.").arg(quoted(paths.working)));
    DrawList draws = DrawList::fromLines(result.working);
    draws.setFormula(result.formula);
    QString why;
    if (!MultiplierFile::writeWithHistory(paths.working, draws, TextFile::crlfLines(result.working), {}, &why,
                                          result.multipliers))
        return fail(why + QStringLiteral(" %1 n'a pas été remplacé non plus.").arg(quoted(paths.base)));
    if (!base.commit())
        return fail(TextFile::describe(*base.failure()) + QStringLiteral(" %1 a été remplacé, lui.").arg(quoted(paths.working)));
    return true;
}

} // namespace

bool BaseBuilder::write(const Result& result, const Paths& paths, const WriteOptions& options, QString* error)
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
    if (!result.workingConflicts.isEmpty())
        return refuse(
            QStringLiteral("« %1 » et les archives ne sont pas d'accord sur %2 : rien n'est écrit.")
                .arg(result.workingName,
                     Plural::count(result.workingConflicts.size(), QStringLiteral("tirage"), QStringLiteral("tirages"))));
    if (!result.unreadable.isEmpty())
        return refuse(QStringLiteral("L'historique a %1 qui ne sont pas des tirages datés : rien n'est écrit.")
                          .arg(Plural::count(result.unreadable.size(), QStringLiteral("ligne"), QStringLiteral("lignes"))));
    if (const QString cut = result.cutArchive(); !cut.isEmpty())
        return refuse(QStringLiteral("L'archive « %1 » n'a pas pu être lue jusqu'au bout : rien n'est écrit.").arg(cut));
    const QString existing = existingHistory(paths);
    if (!existing.isEmpty() && !options.replace)
        return refuse(QStringLiteral("L'historique %1 existe déjà : il n'est remplacé que sur confirmation.")
                          .arg(QDir::toNativeSeparators(existing)));

    return writeFiles(result, paths, error);
}
