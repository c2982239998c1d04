#include "acquire/ArchiveImport.h"

#include "output/TextFile.h"

#include "acquire/CsvImport.h"
#include "acquire/ZipExtractor.h"

#include <QDir>
#include <QFile>

namespace ArchiveImport {

Result extractAndConvert(const QString& dataFolder, const PasswordPrompt& askPassword, const ImportProgress& progress)
{
    Result result;
    const QDir folder(dataFolder);

    // Whatever the extraction gives, the CSV the folder holds afterwards is the one imported.
    const ZipExtractor extractor(askPassword);
    const ZipExtractor::Result extraction = extractor.extract(folder.filePath(QLatin1String(kArchiveName)), dataFolder);
    result.extractionMessages = extraction.messages;

    const QString csvPath = folder.filePath(QLatin1String(kCsvName));
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
