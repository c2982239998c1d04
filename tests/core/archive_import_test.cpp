#include "acquire/ArchiveImport.h"
#include "acquire/LocalArchiveSource.h"

#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using TestSupport::readFile;
using TestSupport::writeFile;

// As the operator writes it: newest first, Windows-1252 header, CR LF; the middle row is refused (71).
const QByteArray kCsv = "num\xE9ro;date\r\n"
                        "1;02/01/2024;midi;x;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20\r\n"
                        "1;01/01/2024;soir;x;71;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20\r\n"
                        "1;01/01/2024;midi;x;11;12;13;14;15;16;17;18;19;20;21;22;23;24;25;26;27;28;29;30\r\n";

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
        EXPECT_EQ(result.lines,
                  QStringList({QStringLiteral("01/01/2024 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 midi"),
                               QStringLiteral("02/01/2024 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 midi")}));
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
    QByteArray header = "annee_numero_de_tirage;date_de_tirage;heure_de_tirage;date_de_forclusion";
    for (int k = 1; k <= 20; ++k)
        header += ";boule" + QByteArray::number(k);
    // As the 2020 archives give it: the first 24 columns only, newest first.
    const QByteArray period = header + "\r\n"
        + "2020302;31/10/2020;soir;30/12/2020;70;69;68;67;66;65;64;63;62;61;60;59;58;57;56;55;54;53;52;51\r\n"
        + "2020301;31/10/2020;midi;30/12/2020;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20\r\n";
    const QByteArray notes = "date;texte\r\n01/11/2020;archive du mois\r\n";
    // An earlier import's CSV is still in the folder; it must not be taken for this archive's.
    writeFile(temp.filePath(QLatin1String(ArchiveImport::kCsvName)), kCsv);

    TestSupport::writeZip(archive,
                          {{"lisezmoi.csv", notes},
                           {"autre.csv", QByteArray(header).replace("boule2;", "boule12;") + "\r\n"},
                           {"keno_202010.csv", period},
                           {"ancien/keno_201811.csv", period}});
    ArchiveImport::Result result = ArchiveImport::extractAndConvert(temp.path(), {}, {});
    EXPECT_TRUE(result.csvRead && result.extractionMessages.isEmpty())
        << result.extractionMessages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(result.lines,
              QStringList({QStringLiteral("31/10/2020 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 midi"),
                           QStringLiteral("31/10/2020 70 69 68 67 66 65 64 63 62 61 60 59 58 57 56 55 54 53 52 51 soir")}));
    EXPECT_EQ(result.rows, 2);

    // Two CSVs of draws: neither is chosen, and the import reads the usual name as before.
    QFile::remove(temp.filePath(QLatin1String(ArchiveImport::kCsvName)));
    TestSupport::writeZip(archive, {{"keno_202010.csv", period}, {"keno_202011.csv", period}});
    result = ArchiveImport::extractAndConvert(temp.path(), {}, {});
    EXPECT_FALSE(result.csvRead);
    ASSERT_EQ(result.extractionMessages.size(), 1);
    EXPECT_TRUE(result.extractionMessages[0].startsWith(QStringLiteral("Fichier des tirages illisible ou absent : ")));
    EXPECT_TRUE(result.extractionMessages[0].contains(QLatin1String(ArchiveImport::kCsvName)));

    // The usual name inside the archive is read even beside a period-named CSV.
    TestSupport::writeZip(archive, {{"keno_202010.csv", period}, {ArchiveImport::kCsvName, kCsv}});
    EXPECT_EQ(ArchiveImport::extractAndConvert(temp.path(), {}, {}).rows, 3);
}
