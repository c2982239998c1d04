#include "acquire/ArchiveImport.h"

#include "output/TextFile.h"

#include "acquire/CsvImport.h"
#include "acquire/ZipExtractor.h"

#include <QDir>
#include <QFile>

namespace ArchiveImport {

namespace {

// The operator's archives since 2018 name their CSV after their period (keno_202010.csv): when
// the archive brought no keno_gagnant_a_vie.csv but exactly one CSV of draws at its root, that
// one is read. Otherwise the folder's keno_gagnant_a_vie.csv is, whatever the archive gave.
QString csvToRead(const QDir& folder, const QStringList& written)
{
    const QString usual = QLatin1String(kCsvName);
    if (written.contains(usual))
        return folder.filePath(usual);
    QStringList draws;
    for (const QString& member : written) {
        if (member.contains(QLatin1Char('/')) || !member.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            continue;
        QFile file(folder.filePath(member));
        if (file.open(QIODevice::ReadOnly) && CsvImport::hasDrawHeader(file.read(64 * 1024)))
            draws << member;
    }
    return folder.filePath(draws.size() == 1 ? draws.first() : usual);
}

} // namespace

Result extractAndConvert(const QString& dataFolder, const PasswordPrompt& askPassword, const ImportProgress& progress,
                         const QStringList& keptFiles)
{
    Result result;
    const QDir folder(dataFolder);

    // Whatever the extraction gives, the CSV the folder holds afterwards is the one imported.
    ZipExtractor extractor(askPassword);
    extractor.setKeptFiles(keptFiles);
    const ZipExtractor::Result extraction = extractor.extract(folder.filePath(QLatin1String(kArchiveName)), dataFolder);
    result.extractionMessages = extraction.messages;
    result.keptBack = extraction.keptBack;

    const QString csvPath = csvToRead(folder, extraction.written);
    QFile csv(csvPath);
    if (!csv.open(QIODevice::ReadOnly)) {
        result.extractionMessages.append(QStringLiteral("Fichier des tirages illisible ou absent : %1 (%2)")
                                             .arg(QDir::toNativeSeparators(csvPath), TextFile::reason(csv)));
        return result;
    }
    // Nothing larger can come out of the extraction; a bigger file was not put there by it.
    if (csv.size() > ZipExtractor::kDefaultMaxMemberSize) {
        result.extractionMessages.append(
            QStringLiteral("Fichier des tirages trop volumineux : %1").arg(QDir::toNativeSeparators(csvPath)));
        return result;
    }
    const QByteArray bytes = csv.readAll();
    if (csv.error() != QFileDevice::NoError) {
        result.extractionMessages.append(QStringLiteral("Fichier des tirages illisible ou absent : %1 (%2)")
                                             .arg(QDir::toNativeSeparators(csvPath), TextFile::reason(csv)));
        return result;
    }
    result.csvRead = true;

    CsvImport::Conversion conversion = CsvImport::convert(bytes, progress);
    result.lines = std::move(conversion.lines);
    result.rows = conversion.rows;
    result.skipped = conversion.skipped;
    result.reasons = std::move(conversion.reasons);
    return result;
}

} // namespace ArchiveImport
