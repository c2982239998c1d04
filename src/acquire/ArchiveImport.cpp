// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/ArchiveImport.h"

#include "output/TextFile.h"

#include "acquire/ArchiveCheck.h"
#include "acquire/CsvImport.h"
#include "acquire/ZipExtractor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

namespace ArchiveImport {

namespace {

// Only the members nearest the archive's root: a copy in a sub-folder is not a second candidate.
QStringList shallowest(const QStringList& members)
{
    qsizetype depth = -1;
    for (const QString& member : members)
        depth = depth < 0 ? member.count(QLatin1Char('/')) : std::min(depth, member.count(QLatin1Char('/')));
    QStringList kept;
    for (const QString& member : members)
        if (member.count(QLatin1Char('/')) == depth)
            kept << member;
    return kept;
}

bool holdsDraws(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && CsvImport::hasDrawHeader(file.read(64 * 1024));
}

// The member to read, or an empty text and why there is none.
QString csvToRead(const QDir& folder, const ZipExtractor::Result& extraction, const Formula& game, QString* why)
{
    QStringList csvs, usual, draws;
    for (const QString& member : extraction.written) {
        if (!member.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            continue;
        csvs << member;
        if (QFileInfo(member).fileName().compare(QLatin1String(kCsvName), Qt::CaseInsensitive) == 0)
            usual << member;
        else if (holdsDraws(folder.filePath(member)))
            draws << member;
    }
    const QStringList candidates = shallowest(usual.isEmpty() ? draws : usual);
    if (candidates.size() == 1)
        return candidates.first();
    if (candidates.size() > 1)
        *why = QStringLiteral("Plusieurs fichiers de tirages dans l'archive, aucun n'est lu : %1")
                   .arg(candidates.join(QStringLiteral(", ")));
    else if (csvs.isEmpty() && extraction.refused > 0)
        *why = QStringLiteral("Aucun fichier de tirages n'a pu être extrait de l'archive.");
    else if (csvs.isEmpty())
        *why = QStringLiteral("L'archive n'apporte aucun fichier CSV de tirages.");
    else
        *why = QStringLiteral("Aucun fichier CSV de l'archive n'a les colonnes des tirages (date, boule1 à boule%1) : %2")
                   .arg(game.drawn)
                   .arg(csvs.join(QStringLiteral(", ")));
    return {};
}

// The whole file, or nullopt and a French reason.
std::optional<QByteArray> readCsv(const QString& path, const QString& shown, QString* why)
{
    QFile csv(path);
    if (!csv.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("Fichier des tirages illisible : %1 (%2)").arg(shown, TextFile::reason(csv));
        return std::nullopt;
    }
    // Nothing larger can come out of the extraction.
    if (csv.size() > ZipExtractor::kDefaultMaxMemberSize) {
        *why = QStringLiteral("Fichier des tirages trop volumineux : %1").arg(shown);
        return std::nullopt;
    }
    // A read that stops early must not pass for a shorter history.
    QByteArray bytes;
    QString readError;
    if (!TextFile::readToEnd(csv, &bytes, &readError)) {
        *why = QStringLiteral("Fichier des tirages illisible : %1 (%2)").arg(shown, readError);
        return std::nullopt;
    }
    return bytes;
}

// The converted rows, when they are of the game asked.
void take(Result& result, CsvImport::Conversion conversion, FormulaId game)
{
    result.formula = conversion.formula;
    if (!conversion.headerProblem.isEmpty()) {
        result.extractionMessages
            << QStringLiteral("En-tête du fichier des tirages illisible : %1.").arg(conversion.headerProblem);
        return;
    }
    if (conversion.formula != game) {
        result.wrongGame = ArchiveCheck::otherGame(conversion.formula, game);
        result.extractionMessages << result.wrongGame;
        return;
    }
    result.csvRead = true;
    result.lines = std::move(conversion.lines);
    result.lineNumbers = std::move(conversion.lineNumbers);
    result.multipliers = std::move(conversion.multipliers);
    result.rows = conversion.rows;
    result.skipped = conversion.skipped;
    result.reasons = std::move(conversion.reasons);
}

} // namespace

QString archiveName(FormulaId game)
{
    return game == FormulaId::Keno20of70 ? QString::fromLatin1(kArchiveName)
                                         : QStringLiteral("keno_%1.zip").arg(Formula::get(game).key);
}

Result convertArchive(const QString& archivePath, const PasswordPrompt& askPassword, const ImportProgress& progress,
                      FormulaId game)
{
    Result result;
    // A scratch folder of its own: a CSV left by an earlier import can never stand in for this
    // archive's, and nothing extracted stays behind.
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        result.extractionMessages << QStringLiteral("Dossier temporaire impossible à créer : %1").arg(scratch.errorString());
        return result;
    }
    const ZipExtractor::Result extraction = ZipExtractor(askPassword).extract(archivePath, scratch.path());
    result.extractionMessages = extraction.messages;

    QString why;
    const QString member = csvToRead(QDir(scratch.path()), extraction, Formula::get(game), &why);
    std::optional<QByteArray> bytes;
    if (!member.isEmpty())
        bytes = readCsv(QDir(scratch.path()).filePath(member), member, &why);
    if (!bytes) {
        // An archive that could not be opened has said why already.
        if (extraction.opened)
            result.extractionMessages << why;
        return result;
    }
    take(result, CsvImport::convert(*bytes, progress), game);
    return result;
}

Result extractAndConvert(const QString& dataFolder, const PasswordPrompt& askPassword, const ImportProgress& progress,
                         FormulaId game)
{
    return convertArchive(QDir(dataFolder).filePath(archiveName(game)), askPassword, progress, game);
}

} // namespace ArchiveImport
