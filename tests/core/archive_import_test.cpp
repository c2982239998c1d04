#include "acquire/ArchiveImport.h"
#include "acquire/LocalArchiveSource.h"
#include "support/TestSupport.h"

#include <QUrl>

namespace {

using namespace TestSupport;

// As the operator writes it: newest first, Windows-1252 header, CR LF; the middle row is refused (71).
const QByteArray kCsv = testData("operator_archive.csv");

} // namespace

TEST(ArchiveImport, ALocalCsvOrZipIsExtractedThenConvertedAndFailuresKeepTheFolder)
{
    QTemporaryDir temp;
    const QString archive = temp.filePath(QLatin1String(ArchiveImport::kArchiveName));
    const QString plain = temp.filePath(QStringLiteral("given.csv"));
    const QString zip = temp.filePath(QStringLiteral("given.zip"));
    writeFile(plain, kCsv);
    LocalArchiveSource local;
    QString error;
    ASSERT_TRUE(local.fetch(QUrl::fromLocalFile(plain).toString(), zip, {}, &error)) << error.toStdString(); // wrapped

    // The wrapped CSV and the ZIP given as it is come to the same import.
    for (const QString& source : {plain, zip}) {
        QFile::remove(temp.filePath(QLatin1String(ArchiveImport::kCsvName)));
        ASSERT_TRUE(local.fetch(source, archive, {}, &error)) << error.toStdString();
        int maximum = 0;
        const ArchiveImport::Result result
            = ArchiveImport::extractAndConvert(temp.path(), {}, [&](int, int max) { maximum = max; });
        EXPECT_TRUE(result.extractionMessages.isEmpty()) << result.extractionMessages.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(result.lines, QStringList({drawFrom("01/01/2024", 11), drawFrom("02/01/2024", 1)}));
        EXPECT_EQ(result.rows, 3);
        EXPECT_EQ(result.reasons, QStringList{QStringLiteral("ligne 3 : numéro hors de 1..70 (71)")});
        EXPECT_EQ(maximum, 4);
    }
    EXPECT_EQ(readFile(archive), readFile(zip));

    // A damaged archive is reported and the CSV already in the folder is still read; a missing source changes nothing.
    writeFile(archive, "PK\x03\x04 damaged");
    const ArchiveImport::Result damaged = ArchiveImport::extractAndConvert(temp.path(), {}, {});
    EXPECT_FALSE(damaged.extractionMessages.isEmpty());
    EXPECT_EQ(damaged.lines.size(), 2);
    EXPECT_FALSE(local.fetch(temp.filePath(QStringLiteral("missing.zip")), archive, {}, &error));
    EXPECT_EQ(readFile(archive), QByteArray("PK\x03\x04 damaged"));
}

TEST(ArchiveImport, APeriodNamedArchiveHasItsOneCsvOfDrawsRead)
{
    QTemporaryDir temp;
    const QString archive = temp.filePath(QLatin1String(ArchiveImport::kArchiveName));
    // As the 2020 archives give it: the first 24 columns only, newest first.
    const QStringList draws = {drawFrom("31/10/2020", 1),
                               QStringLiteral("31/10/2020 70 69 68 67 66 65 64 63 62 61 60 59 58 57 56 55 54 53 52 51 soir")};
    const QByteArray period = operatorCsv(draws);
    // An earlier import's CSV is still in the folder; it must not be taken for this archive's.
    writeFile(temp.filePath(QLatin1String(ArchiveImport::kCsvName)), kCsv);

    writeZip(archive,
             {{"lisezmoi.csv", "date;texte\r\n01/11/2020;archive du mois\r\n"},
              {"autre.csv", operatorCsv({}).replace("boule2;", "boule12;")},
              {"keno_202010.csv", period},
              {"ancien/keno_201811.csv", period}});
    ArchiveImport::Result result = ArchiveImport::extractAndConvert(temp.path(), {}, {});
    EXPECT_TRUE(result.csvRead && result.extractionMessages.isEmpty())
        << result.extractionMessages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(result.lines, draws);
    EXPECT_EQ(result.rows, 2);

    // Two CSVs of draws: neither is chosen, and the import reads the usual name as before.
    QFile::remove(temp.filePath(QLatin1String(ArchiveImport::kCsvName)));
    writeZip(archive, {{"keno_202010.csv", period}, {"keno_202011.csv", period}});
    result = ArchiveImport::extractAndConvert(temp.path(), {}, {});
    EXPECT_FALSE(result.csvRead);
    ASSERT_EQ(result.extractionMessages.size(), 1);
    EXPECT_TRUE(result.extractionMessages[0].startsWith(QStringLiteral("Fichier des tirages illisible ou absent : ")));
    EXPECT_TRUE(result.extractionMessages[0].contains(QLatin1String(ArchiveImport::kCsvName)));

    // The usual name inside the archive is read even beside a period-named CSV.
    writeZip(archive, {{"keno_202010.csv", period}, {ArchiveImport::kCsvName, kCsv}});
    EXPECT_EQ(ArchiveImport::extractAndConvert(temp.path(), {}, {}).rows, 3);
}
