#include "acquire/ArchiveImport.h"
#include "acquire/LocalArchiveSource.h"

#include "support/TestSupport.h"
#include "support/ZipWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using TestSupport::readFile;
using TestSupport::writeFile;

QByteArray csvRow(const QByteArray& date, const QByteArray& slot, int first)
{
    QByteArray row = "1;" + date + ';' + slot + ";x";
    for (int k = 0; k < 20; ++k)
        row += ';' + QByteArray::number(first + k);
    return row + ";\r\n";
}

// Newest first, as the operator writes it; one bad row.
const QByteArray kCsv = "num\xE9ro;date;heure\r\n" + csvRow("02/01/2024", "midi", 1) + csvRow("01/01/2024", "soir", 71)
    + csvRow("01/01/2024", "midi", 11);

const QString kOldest = QStringLiteral("01/01/2024 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 midi");
const QString kNewest = QStringLiteral("02/01/2024 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 midi");

class ArchiveImportTest : public ::testing::Test {
protected:
    QTemporaryDir m_temp;
    QString path(const QString& name) const { return m_temp.filePath(name); }
    QString archive() const { return path(QLatin1String(ArchiveImport::kArchiveName)); }
    QString csv() const { return path(QLatin1String(ArchiveImport::kCsvName)); }
};

} // namespace

TEST_F(ArchiveImportTest, ExtractsThenConvertsOldestFirst)
{
    ASSERT_TRUE(ZipWriter::write(archive(), {{ArchiveImport::kCsvName, kCsv}}));
    int lastMaximum = 0;
    const ArchiveImport::Result result = ArchiveImport::extractAndConvert(
        m_temp.path(), {}, [&](int, int maximum) { lastMaximum = maximum; });

    EXPECT_TRUE(result.csvRead);
    EXPECT_EQ(result.lines, QStringList({kOldest, kNewest}));
    EXPECT_EQ(result.rows, 3);
    EXPECT_EQ(result.skipped, 1);
    EXPECT_EQ(result.reasons, QStringList{QStringLiteral("ligne 3 : numéro hors de 1..70 (71)")});
    EXPECT_TRUE(result.extractionMessages.isEmpty());
    EXPECT_EQ(lastMaximum, 4);
    EXPECT_EQ(readFile(csv()), kCsv); // left in the folder
}

TEST_F(ArchiveImportTest, TheCsvOfTheFolderIsReadWhateverTheExtractionGave)
{
    // Encrypted archive, no password given: the earlier CSV is still there and is read.
    writeFile(csv(), kCsv);
    const zip_uint16_t method = ZipWriter::encryptionSupported(ZIP_EM_TRAD_PKWARE) ? ZIP_EM_TRAD_PKWARE : ZIP_EM_AES_256;
    if (ZipWriter::encryptionSupported(method)) {
        ASSERT_TRUE(ZipWriter::write(archive(), {{ArchiveImport::kCsvName, "head\n" + csvRow("03/01/2024", "soir", 5) + "\n",
                                                  false, method, "pw"}}));
        int asked = 0;
        ArchiveImport::Result result = ArchiveImport::extractAndConvert(
            m_temp.path(), [&] { ++asked; return std::optional<QString>(); }, {});
        EXPECT_EQ(asked, 1);
        EXPECT_TRUE(result.csvRead);
        EXPECT_EQ(result.lines, QStringList({kOldest, kNewest}));
        EXPECT_EQ(result.extractionMessages.size(), 1);

        // With the password the new CSV replaces it.
        result = ArchiveImport::extractAndConvert(m_temp.path(), [] { return std::optional<QString>(QStringLiteral("pw")); }, {});
        ASSERT_EQ(result.lines.size(), 1);
        EXPECT_TRUE(result.lines[0].startsWith(QLatin1String("03/01/2024 05 06")));
    }

    // A CSV inside a folder of the archive is not the one imported.
    writeFile(csv(), kCsv);
    ASSERT_TRUE(ZipWriter::write(archive(), {{"sub/keno_gagnant_a_vie.csv", "head\n"}}));
    const ArchiveImport::Result nested = ArchiveImport::extractAndConvert(m_temp.path(), {}, {});
    EXPECT_EQ(nested.lines, QStringList({kOldest, kNewest}));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("sub/keno_gagnant_a_vie.csv"))));

    // A damaged archive: reported, the earlier CSV read.
    writeFile(archive(), "PK\x03\x04 not really");
    const ArchiveImport::Result damaged = ArchiveImport::extractAndConvert(m_temp.path(), {}, {});
    EXPECT_TRUE(damaged.csvRead);
    EXPECT_FALSE(damaged.extractionMessages.isEmpty());
    EXPECT_EQ(damaged.lines.size(), 2);
}

TEST_F(ArchiveImportTest, NoArchiveAndNoCsvReadsNothing)
{
    const ArchiveImport::Result result = ArchiveImport::extractAndConvert(m_temp.path(), {}, {});
    EXPECT_FALSE(result.csvRead);
    EXPECT_TRUE(result.lines.isEmpty());
    ASSERT_EQ(result.extractionMessages.size(), 2);
    EXPECT_TRUE(result.extractionMessages[0].startsWith(QLatin1String("Archive introuvable")));
    EXPECT_TRUE(result.extractionMessages[1].startsWith(QLatin1String("Fichier des tirages illisible ou absent")));

    // An archive without the CSV: same ending.
    ASSERT_TRUE(ZipWriter::write(archive(), {{"readme.txt", "x"}}));
    EXPECT_FALSE(ArchiveImport::extractAndConvert(m_temp.path(), {}, {}).csvRead);
}

TEST_F(ArchiveImportTest, LocalSourceCopiesAZipAndWrapsACsv)
{
    const QString source = path(QStringLiteral("given.zip"));
    ASSERT_TRUE(ZipWriter::write(source, {{ArchiveImport::kCsvName, kCsv}}));
    LocalArchiveSource local;
    QString error;
    qint64 lastReceived = -1;
    ASSERT_TRUE(local.fetch(source, archive(), [&](qint64 received, qint64) { lastReceived = received; }, &error))
        << error.toStdString();
    EXPECT_EQ(readFile(archive()), readFile(source));
    EXPECT_EQ(lastReceived, readFile(source).size());

    // A plain CSV, given by a file: URL, goes through the same extraction.
    const QString csvSource = path(QStringLiteral("given.csv"));
    writeFile(csvSource, kCsv);
    ASSERT_TRUE(local.fetch(QUrl::fromLocalFile(csvSource).toString(), archive(), {}, &error)) << error.toStdString();
    EXPECT_TRUE(LocalArchiveSource::looksLikeZip(readFile(archive())));
    QFile::remove(csv());
    const ArchiveImport::Result result = ArchiveImport::extractAndConvert(m_temp.path(), {}, {});
    EXPECT_TRUE(result.extractionMessages.isEmpty()) << result.extractionMessages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(result.lines, QStringList({kOldest, kNewest}));
    EXPECT_EQ(readFile(csv()), kCsv);

    // An empty CSV still makes a valid archive.
    writeFile(csvSource, QByteArray());
    ASSERT_TRUE(local.fetch(csvSource, archive(), {}, &error)) << error.toStdString();
    EXPECT_TRUE(ArchiveImport::extractAndConvert(m_temp.path(), {}, {}).csvRead);
}

TEST_F(ArchiveImportTest, LocalSourceFailureLeavesTheDestination)
{
    writeFile(archive(), "previous");
    LocalArchiveSource local;
    QString error;
    EXPECT_FALSE(local.fetch(path(QStringLiteral("missing.zip")), archive(), {}, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Échec de l'import : "))) << error.toStdString();
    EXPECT_FALSE(local.fetch(m_temp.path(), archive(), {}, &error)); // a folder
    EXPECT_EQ(readFile(archive()), QByteArray("previous"));
}
