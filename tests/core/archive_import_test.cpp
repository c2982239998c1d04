// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/ArchiveImport.h"
#include "acquire/LocalArchiveSource.h"
#include "acquire/ZipExtractor.h"
#include "support/EioFault.h"
#include "support/TestSupport.h"

#include <QDir>
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

    // A damaged archive is reported and the CSV left in the folder is not read; a missing source changes nothing.
    writeFile(temp.filePath(QLatin1String(ArchiveImport::kCsvName)), kCsv);
    writeFile(archive, "PK\x03\x04 damaged");
    const ArchiveImport::Result damaged = ArchiveImport::extractAndConvert(temp.path(), {}, {});
    EXPECT_FALSE(damaged.csvRead);
    EXPECT_FALSE(damaged.extractionMessages.isEmpty());
    EXPECT_TRUE(damaged.lines.isEmpty());
    EXPECT_FALSE(local.fetch(temp.filePath(QStringLiteral("missing.zip")), archive, {}, &error));
    EXPECT_EQ(readFile(archive), QByteArray("PK\x03\x04 damaged"));
}

TEST(ArchiveImport, OnlyTheCsvThisArchiveBroughtIsReadAndNothingExtractedStays)
{
    QTemporaryDir temp;
    const QString archive = temp.filePath(QLatin1String(ArchiveImport::kArchiveName));
    const QString stale = temp.filePath(QLatin1String(ArchiveImport::kCsvName));
    writeFile(stale, kCsv); // left by an earlier import
    const QStringList draws = makeHistory(4, QDate(2024, 5, 1));
    const auto folderHolds
        = [&temp] { return QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); };
    const QStringList before = folderHolds() << QLatin1String(ArchiveImport::kArchiveName);

    // The CSV in a sub-folder of the archive, beside other members.
    writeZip(archive, {{"export/", ""}, {"export/keno_gagnant_a_vie.csv", operatorCsv(draws)}, {"export/lisezmoi.txt", "x"}});
    ArchiveImport::Result result = ArchiveImport::extractAndConvert(temp.path(), {}, {});
    EXPECT_TRUE(result.csvRead);
    EXPECT_EQ(result.lines, draws);
    EXPECT_EQ(result.lineNumbers, QList<int>({5, 4, 3, 2}));
    EXPECT_EQ(folderHolds(), before);
    EXPECT_EQ(readFile(stale), kCsv);

    // The new game's CSV (16 numbers) in the classic game and an archive without a CSV read nothing, and say why.
    QByteArray sixteen = "date_de_tirage;boule1;boule2;boule3;boule4;boule5;boule6;boule7;boule8;boule9;boule10;boule11;boule12;"
                         "boule13;boule14;boule15;boule16;multiplicateur;\r\n"
                         "04/11/2025;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;2;\r\n";
    struct Case {
        QList<std::pair<QByteArray, QByteArray>> members;
        const char* why;
    };
    for (const auto& [members, why] :
         {Case{{{"keno_202511.csv", sixteen}},
               "Cette archive est celle du Keno 16 sur 56 ; l'historique ouvert est celui du Keno 20 sur 70."},
          Case{{{"lisezmoi.txt", "x"}}, "L'archive n'apporte aucun fichier CSV de tirages."}}) {
        writeZip(archive, members);
        result = ArchiveImport::extractAndConvert(temp.path(), {}, {});
        EXPECT_FALSE(result.csvRead) << why;
        EXPECT_TRUE(result.lines.isEmpty()) << why;
        EXPECT_TRUE(result.extractionMessages.join(QLatin1Char('|')).contains(QString::fromUtf8(why))) << why;
        EXPECT_EQ(folderHolds(), before) << why;
    }

    // An archive that would expand past the limit: refused, said in French, and the old CSV still not read.
    writeZip(archive, {{"keno_gagnant_a_vie.csv", QByteArray(ZipExtractor::kDefaultMaxMemberSize + 1, '0')}});
    result = ArchiveImport::extractAndConvert(temp.path(), {}, {});
    EXPECT_FALSE(result.csvRead);
    EXPECT_TRUE(result.lines.isEmpty());
    EXPECT_EQ(
        result.extractionMessages,
        QStringList({QStringLiteral("Membre refusé, trop volumineux une fois extrait (plus de 200 Mo) : keno_gagnant_a_vie.csv"),
                     QStringLiteral("Aucun fichier de tirages n'a pu être extrait de l'archive.")}));
    EXPECT_EQ(folderHolds(), before);
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

    // Two CSVs of draws side by side: neither is chosen, and nothing else is read instead.
    writeFile(temp.filePath(QLatin1String(ArchiveImport::kCsvName)), kCsv);
    writeZip(archive, {{"keno_202010.csv", period}, {"keno_202011.csv", period}});
    result = ArchiveImport::extractAndConvert(temp.path(), {}, {});
    EXPECT_FALSE(result.csvRead);
    EXPECT_TRUE(result.lines.isEmpty());
    EXPECT_EQ(result.extractionMessages,
              QStringList{QStringLiteral("Plusieurs fichiers de tirages dans l'archive, aucun n'est lu : keno_202010.csv, "
                                         "keno_202011.csv")});

    // The usual name inside the archive is read even beside a period-named CSV, nearer the root or not.
    writeZip(archive, {{"keno_202010.csv", period}, {"a/b/keno_gagnant_a_vie.csv", kCsv}});
    EXPECT_EQ(ArchiveImport::extractAndConvert(temp.path(), {}, {}).rows, 3);
}

// A disk that fails midway through the archive: the import stops with the reason, never with the
// rows read before the fault, and the archive already in the folder stays as it was.
TEST(ArchiveImport, AReadErrorInTheArchiveIsAFailedImportNeverFewerDraws)
{
    QTemporaryDir temp;
    const QString archive = temp.filePath(QLatin1String(ArchiveImport::kArchiveName));
    const QString given = temp.filePath(QStringLiteral("given.csv"));
    writeFile(given, kCsv);
    LocalArchiveSource local;
    QString error;
    ASSERT_TRUE(local.fetch(given, archive, {}, &error)) << error.toStdString();
    const QByteArray before = readFile(archive);

    for (const qint64 from : {qint64{0}, kCsv.size() / 2, kCsv.size() - 1}) {
        const TestSupport::EioFault fault(ArchiveImport::kCsvName, from);
        const ArchiveImport::Result result = ArchiveImport::extractAndConvert(temp.path(), {}, {});
        EXPECT_FALSE(result.csvRead) << from;
        EXPECT_TRUE(result.lines.isEmpty() && result.rows == 0) << from;
        EXPECT_EQ(result.extractionMessages,
                  QStringList{QStringLiteral("Fichier des tirages illisible : %1 (le disque a signalé une erreur)")
                                  .arg(QLatin1String(ArchiveImport::kCsvName))})
            << from;

        const TestSupport::EioFault sourceFault("given.csv", from);
        EXPECT_FALSE(local.fetch(given, archive, {}, &error)) << from;
        EXPECT_EQ(error, QStringLiteral("Échec de l'import : %1 (le disque a signalé une erreur)").arg(given)) << from;
        EXPECT_EQ(readFile(archive), before) << from;
    }
    // Past the end, the fault is never reached: the same archive reads whole.
    const TestSupport::EioFault beyond(ArchiveImport::kCsvName, kCsv.size() + 1);
    EXPECT_EQ(ArchiveImport::extractAndConvert(temp.path(), {}, {}).rows, 3);
}
