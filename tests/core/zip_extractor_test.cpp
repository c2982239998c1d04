#include "acquire/ZipExtractor.h"

#include "support/TestSupport.h"
#include "support/ZipWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using TestSupport::readFile;
using TestSupport::writeFile;

// Every file and folder under `root`, relative, sorted: "what the folder holds".
QStringList tree(const QString& root)
{
    QStringList entries;
    const QDir dir(root);
    for (const QFileInfo& info : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        entries.append(info.fileName());
        if (info.isDir() && !info.isSymLink()) {
            for (const QString& inner : tree(info.filePath()))
                entries.append(info.fileName() + QLatin1Char('/') + inner);
        }
    }
    entries.sort();
    return entries;
}

bool messagesContain(const ZipExtractor::Result& result, const QString& text)
{
    for (const QString& message : result.messages) {
        if (message.contains(text))
            return true;
    }
    return false;
}

// The data folder is a subfolder of the temporary folder, so escapes can be seen beside it.
class ZipExtractorTest : public ::testing::Test {
protected:
    QTemporaryDir m_temp;
    QString m_data;
    QString m_archive;
    int m_asked = 0;

    void SetUp() override
    {
        ASSERT_TRUE(m_temp.isValid());
        m_data = m_temp.filePath(QStringLiteral("data"));
        ASSERT_TRUE(QDir().mkpath(m_data));
        m_archive = QDir(m_data).filePath(QStringLiteral("keno_gagnant_a_vie.zip"));
    }

    QString dataFile(const QString& relative) const { return QDir(m_data).filePath(relative); }

    ZipExtractor extractorAnswering(std::optional<QString> answer)
    {
        return ZipExtractor([this, answer]() {
            ++m_asked;
            return answer;
        });
    }
};

const QByteArray kCsv = "date;heure\n01/01/2024;midi\n";

} // namespace

TEST_F(ZipExtractorTest, ExtractsAtRootReplacingWithoutAsking)
{
    writeFile(dataFile(QStringLiteral("keno_gagnant_a_vie.csv")), "old content");
    ASSERT_TRUE(ZipWriter::write(m_archive, {{"keno_gagnant_a_vie.csv", kCsv}}));

    const ZipExtractor::Result result = extractorAnswering(QStringLiteral("unused")).extract(m_archive, m_data);
    EXPECT_TRUE(result.ok()) << result.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(result.extracted, 1);
    EXPECT_EQ(result.written, QStringList{QStringLiteral("keno_gagnant_a_vie.csv")});
    EXPECT_EQ(readFile(dataFile(QStringLiteral("keno_gagnant_a_vie.csv"))), kCsv);
    EXPECT_EQ(m_asked, 0);
    // Nothing left over from writing aside.
    EXPECT_EQ(tree(m_data), QStringList({QStringLiteral("keno_gagnant_a_vie.csv"), QStringLiteral("keno_gagnant_a_vie.zip")}));
}

TEST_F(ZipExtractorTest, FoldersAreKeptAndTheRootCopyIsLeftAlone)
{
    writeFile(dataFile(QStringLiteral("keno_gagnant_a_vie.csv")), "root copy");
    ASSERT_TRUE(ZipWriter::write(m_archive, {
                                                {"export/", {}, true},
                                                {"export/keno_gagnant_a_vie.csv", kCsv},
                                                {"a/b/c/deep.txt", "deep"},
                                                {"./dot/x.txt", "dot"},
                                            }));

    const ZipExtractor::Result result = ZipExtractor().extract(m_archive, m_data);
    EXPECT_TRUE(result.ok()) << result.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(result.extracted, 3);
    EXPECT_EQ(readFile(dataFile(QStringLiteral("keno_gagnant_a_vie.csv"))), QByteArray("root copy"));
    EXPECT_EQ(readFile(dataFile(QStringLiteral("export/keno_gagnant_a_vie.csv"))), kCsv);
    EXPECT_EQ(readFile(dataFile(QStringLiteral("a/b/c/deep.txt"))), QByteArray("deep"));
    EXPECT_EQ(readFile(dataFile(QStringLiteral("dot/x.txt"))), QByteArray("dot"));
}

TEST_F(ZipExtractorTest, MembersLeavingTheFolderAreRefused)
{
    ASSERT_TRUE(ZipWriter::write(m_archive, {
                                                {"../evil.txt", "x"},
                                                {"/tmp/tiravol-absolute-evil.txt", "x"},
                                                {"ok/../../evil2.txt", "x"},
                                                {"..\\evil3.txt", "x"},
                                                {"C:/evil4.txt", "x"},
                                                {"keno_gagnant_a_vie.csv", kCsv},
                                            }));

    const ZipExtractor::Result result = ZipExtractor().extract(m_archive, m_data);
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(result.refused, 5);
    EXPECT_EQ(result.extracted, 1);
    EXPECT_TRUE(messagesContain(result, QStringLiteral("Membre refusé, chemin hors du dossier de données : ../evil.txt")));
    EXPECT_EQ(tree(m_temp.path()), QStringList({QStringLiteral("data"), QStringLiteral("data/keno_gagnant_a_vie.csv"),
                                                QStringLiteral("data/keno_gagnant_a_vie.zip")}));
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/tiravol-absolute-evil.txt")));
}

#ifdef Q_OS_UNIX
TEST_F(ZipExtractorTest, ALinkInTheFolderDoesNotLeadOutside)
{
    const QString outside = m_temp.filePath(QStringLiteral("outside"));
    ASSERT_TRUE(QDir().mkpath(outside));
    ASSERT_TRUE(QFile::link(outside, dataFile(QStringLiteral("link"))));
    ASSERT_TRUE(ZipWriter::write(m_archive, {{"link/evil.txt", "x"}, {"link/sub/", {}, true}}));

    const ZipExtractor::Result result = ZipExtractor().extract(m_archive, m_data);
    EXPECT_EQ(result.refused, 2);
    EXPECT_TRUE(tree(outside).isEmpty());
}
#endif

TEST(ZipExtractorPaths, SafeRelativePath)
{
    EXPECT_EQ(ZipExtractor::safeRelativePath(QStringLiteral("a/b.csv")), QStringLiteral("a/b.csv"));
    EXPECT_EQ(ZipExtractor::safeRelativePath(QStringLiteral("./a//b.csv")), QStringLiteral("a/b.csv"));
    EXPECT_EQ(ZipExtractor::safeRelativePath(QStringLiteral("a\\b.csv")), QStringLiteral("a/b.csv"));
    EXPECT_EQ(ZipExtractor::safeRelativePath(QStringLiteral("dir/")), QStringLiteral("dir/"));
    EXPECT_EQ(ZipExtractor::safeRelativePath(QStringLiteral("./")), QString());
    EXPECT_EQ(ZipExtractor::safeRelativePath(QStringLiteral("a..b/c..")), QStringLiteral("a..b/c.."));
    for (const char* unsafe : {"..", "../x", "a/../../x", "a/..", "/x", "\\x", "C:x", "c:/x", ".. /x", "a/.../x"})
        EXPECT_FALSE(ZipExtractor::safeRelativePath(QString::fromLatin1(unsafe))) << unsafe;
}

TEST_F(ZipExtractorTest, EncryptedMembersAskThePasswordOnce)
{
    std::vector<zip_uint16_t> methods = {ZIP_EM_TRAD_PKWARE, ZIP_EM_AES_256};
    int tried = 0;
    for (zip_uint16_t method : methods) {
        if (!ZipWriter::encryptionSupported(method))
            continue;
        ++tried;
        m_asked = 0;
        ASSERT_TRUE(ZipWriter::write(m_archive, {
                                                    {"keno_gagnant_a_vie.csv", kCsv, false, method, "s3cr\xC3\xA9t"},
                                                    {"plain.txt", "plain"},
                                                    {"second.txt", "second", false, method, "s3cr\xC3\xA9t"},
                                                }));
        const ZipExtractor::Result result
            = extractorAnswering(QStringLiteral("s3cr\u00E9t")).extract(m_archive, m_data);
        EXPECT_TRUE(result.ok()) << method << ' ' << result.messages.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(m_asked, 1);
        EXPECT_EQ(readFile(dataFile(QStringLiteral("keno_gagnant_a_vie.csv"))), kCsv);
        EXPECT_EQ(readFile(dataFile(QStringLiteral("second.txt"))), QByteArray("second"));
    }
    if (tried == 0)
        GTEST_SKIP() << "this libzip writes no encrypted members";
}

TEST_F(ZipExtractorTest, WrongPasswordIsReportedAndTheOldFileKept)
{
    const zip_uint16_t method = ZipWriter::encryptionSupported(ZIP_EM_AES_256) ? ZIP_EM_AES_256 : ZIP_EM_TRAD_PKWARE;
    if (!ZipWriter::encryptionSupported(method))
        GTEST_SKIP() << "this libzip writes no encrypted members";
    writeFile(dataFile(QStringLiteral("keno_gagnant_a_vie.csv")), "old");
    ASSERT_TRUE(ZipWriter::write(m_archive, {{"keno_gagnant_a_vie.csv", kCsv, false, method, "right"},
                                             {"other.csv", kCsv, false, method, "right"}}));

    const ZipExtractor::Result result = extractorAnswering(QStringLiteral("wrong")).extract(m_archive, m_data);
    EXPECT_EQ(m_asked, 1);
    EXPECT_EQ(result.refused, 2);
    EXPECT_TRUE(messagesContain(result, QStringLiteral("Mot de passe incorrect")));
    EXPECT_EQ(readFile(dataFile(QStringLiteral("keno_gagnant_a_vie.csv"))), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(dataFile(QStringLiteral("other.csv"))));
}

TEST_F(ZipExtractorTest, NoPasswordRefusesEncryptedMembersWithoutAskingAgain)
{
    const zip_uint16_t method = ZipWriter::encryptionSupported(ZIP_EM_TRAD_PKWARE) ? ZIP_EM_TRAD_PKWARE : ZIP_EM_AES_256;
    if (!ZipWriter::encryptionSupported(method))
        GTEST_SKIP() << "this libzip writes no encrypted members";
    ASSERT_TRUE(ZipWriter::write(m_archive, {{"one.txt", "1", false, method, "pw"},
                                             {"plain.txt", "plain"},
                                             {"two.txt", "2", false, method, "pw"}}));

    for (const std::optional<QString>& answer : {std::optional<QString>(QString()), std::optional<QString>()}) {
        m_asked = 0;
        const ZipExtractor::Result result = extractorAnswering(answer).extract(m_archive, m_data);
        EXPECT_EQ(m_asked, 1);
        EXPECT_EQ(result.refused, 2);
        EXPECT_EQ(result.written, QStringList{QStringLiteral("plain.txt")});
        EXPECT_TRUE(messagesContain(result, QStringLiteral("Membre chiffré refusé, aucun mot de passe : two.txt")));
        EXPECT_FALSE(QFile::exists(dataFile(QStringLiteral("one.txt"))));
    }
    // Without any prompt at all, the same refusal.
    EXPECT_EQ(ZipExtractor().extract(m_archive, m_data).refused, 2);
}

TEST_F(ZipExtractorTest, UnreadableArchivesLeaveTheFolderAsItWas)
{
    writeFile(dataFile(QStringLiteral("keno_gagnant_a_vie.csv")), "old");
    ASSERT_TRUE(ZipWriter::write(m_archive, {{"keno_gagnant_a_vie.csv", kCsv}, {"b.txt", QByteArray(5000, 'b')}}));
    const QByteArray whole = readFile(m_archive);

    struct Case {
        const char* what;
        QByteArray bytes;
        QString message;
    };
    const std::vector<Case> cases = {
        {"truncated", whole.left(whole.size() / 2), QStringLiteral("Ce fichier n'est pas une archive ZIP")},
        {"central directory cut", whole.left(whole.size() - 10), QStringLiteral("archive")},
        {"not a zip", "date;heure\n01/01/2024;midi\n", QStringLiteral("Ce fichier n'est pas une archive ZIP")},
        {"zero bytes", QByteArray(), QStringLiteral("n'est pas une archive ZIP")},
    };
    for (const Case& c : cases) {
        writeFile(m_archive, c.bytes);
        const QStringList before = tree(m_data);
        const ZipExtractor::Result result = ZipExtractor().extract(m_archive, m_data);
        EXPECT_FALSE(result.messages.isEmpty()) << c.what;
        EXPECT_EQ(result.extracted, 0) << c.what;
        EXPECT_TRUE(messagesContain(result, c.message)) << c.what << ": " << result.messages.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(tree(m_data), before) << c.what;
        EXPECT_EQ(readFile(dataFile(QStringLiteral("keno_gagnant_a_vie.csv"))), QByteArray("old")) << c.what;
    }

    QDir(m_data).remove(QStringLiteral("keno_gagnant_a_vie.zip"));
    const ZipExtractor::Result missing = ZipExtractor().extract(m_archive, m_data);
    EXPECT_FALSE(missing.opened);
    EXPECT_TRUE(messagesContain(missing, QStringLiteral("Archive introuvable")));
}

TEST_F(ZipExtractorTest, DamagedMemberDataKeepsTheOldFile)
{
    writeFile(dataFile(QStringLiteral("keno_gagnant_a_vie.csv")), "old");
    QByteArray content;
    for (int i = 0; i < 2000; ++i)
        content += "01/01/2024;midi;" + QByteArray::number(i) + '\n';
    ASSERT_TRUE(ZipWriter::write(m_archive, {{"keno_gagnant_a_vie.csv", content}}));
    QByteArray bytes = readFile(m_archive);
    // Spoil the compressed data, past the 30-byte local header and the name.
    for (int i = 80; i < 120; ++i)
        bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
    writeFile(m_archive, bytes);

    const ZipExtractor::Result result = ZipExtractor().extract(m_archive, m_data);
    EXPECT_EQ(result.refused, 1);
    EXPECT_TRUE(messagesContain(result, QStringLiteral("Membre endommagé : keno_gagnant_a_vie.csv")));
    EXPECT_EQ(readFile(dataFile(QStringLiteral("keno_gagnant_a_vie.csv"))), QByteArray("old"));
    EXPECT_EQ(tree(m_data), QStringList({QStringLiteral("keno_gagnant_a_vie.csv"), QStringLiteral("keno_gagnant_a_vie.zip")}));
}

TEST_F(ZipExtractorTest, EmptyArchiveIsReported)
{
    ASSERT_TRUE(ZipWriter::write(m_archive, {}));
    const ZipExtractor::Result result = ZipExtractor().extract(m_archive, m_data);
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(result.extracted, 0);
    EXPECT_TRUE(messagesContain(result, QStringLiteral("Archive vide")));
}

TEST_F(ZipExtractorTest, SizeLimitsHoldPerMemberAndInTotal)
{
    ASSERT_TRUE(ZipWriter::write(m_archive, {{"big.bin", QByteArray(3000, '\0')},
                                             {"first.bin", QByteArray(900, '1')},
                                             {"second.bin", QByteArray(900, '2')},
                                             {"small.bin", QByteArray(50, '3')}}));
    ZipExtractor extractor;
    extractor.setSizeLimits(2000, 1000);
    const ZipExtractor::Result result = extractor.extract(m_archive, m_data);
    EXPECT_EQ(result.written, QStringList({QStringLiteral("first.bin"), QStringLiteral("small.bin")}));
    EXPECT_EQ(result.refused, 2);
    EXPECT_TRUE(messagesContain(result, QStringLiteral("trop volumineux une fois extrait : big.bin")));
    EXPECT_TRUE(messagesContain(result, QStringLiteral("second.bin")));
    EXPECT_FALSE(QFile::exists(dataFile(QStringLiteral("big.bin"))));
    EXPECT_FALSE(QFile::exists(dataFile(QStringLiteral("second.bin"))));
}
