// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/ZipExtractor.h"
#include "support/TestSupport.h"

#include <QDir>

namespace {

using namespace TestSupport;

const QByteArray kCsv = "date;heure\n01/01/2024;midi\n";

// The data folder sits inside the temporary folder, so anything written beside it shows.
class ZipExtractorTest : public ::testing::Test {
protected:
    QTemporaryDir m_temp;
    QString m_data = m_temp.filePath(QStringLiteral("data"));
    QString in(const char* name) const { return m_data + QLatin1Char('/') + QLatin1String(name); }
    QString m_archive = in("keno_gagnant_a_vie.zip"), m_csv = in("keno_gagnant_a_vie.csv");
    int m_asked = 0;

    void SetUp() override { writeFile(m_csv, "old"); }
    ZipExtractor::Result extract(std::optional<QString> answer = QStringLiteral("unused"))
    {
        m_asked = 0;
        return ZipExtractor([this, answer] { return ++m_asked, answer; }).extract(m_archive, m_data);
    }
    // The archive holding the CSV, then members `names`, each holding "x".
    void writeArchive(const QByteArrayList& names)
    {
        QList<std::pair<QByteArray, QByteArray>> members = {{"keno_gagnant_a_vie.csv", kCsv}};
        for (const QByteArray& name : names)
            members.append({name, "x"});
        writeZip(m_archive, members);
    }
    static QStringList entries(const QString& dir)
    {
        return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
};

} // namespace

TEST_F(ZipExtractorTest, RootCsvIsReplacedWithoutAskingAndASubfolderCopyLeavesItAlone)
{
    writeZip(m_archive, {{"keno_gagnant_a_vie.csv", kCsv}});
    EXPECT_TRUE(extract().ok());
    EXPECT_EQ(m_asked, 0);
    EXPECT_EQ(readFile(m_csv), kCsv);
    EXPECT_EQ(entries(m_data).size(), 2); // nothing left over from writing aside

    writeFile(m_csv, "old");
    writeZip(m_archive, {{"export/keno_gagnant_a_vie.csv", kCsv}, {"./a//b.txt", "b"}});
    EXPECT_EQ(extract().written, QStringList({QStringLiteral("export/keno_gagnant_a_vie.csv"), QStringLiteral("a/b.txt")}));
    EXPECT_EQ(readFile(m_csv), QByteArray("old"));
}

TEST_F(ZipExtractorTest, MembersLeavingTheFolderAreRefusedAndNothingIsWrittenOutside)
{
    const QByteArray absolute = m_temp.filePath(QStringLiteral("absolute.txt")).toUtf8();
    writeArchive({"../evil.txt", "ok/../../evil.txt", "..\\evil.txt", ".. /evil.txt", absolute});
    const ZipExtractor::Result result = extract();
    EXPECT_EQ(result.written, QStringList{QStringLiteral("keno_gagnant_a_vie.csv")});
    EXPECT_EQ(result.refused, 5);
    EXPECT_TRUE(result.messages.contains(QStringLiteral("Membre refusé, chemin hors du dossier de données : ../evil.txt")));
    EXPECT_EQ(entries(m_temp.path()), QStringList{QStringLiteral("data")});
    EXPECT_EQ(entries(m_data).size(), 2);
}

TEST_F(ZipExtractorTest, EncryptedMembersAskOnceAndOnlyTheRightPasswordReplacesTheFile)
{
    writeZip(m_archive, {{"keno_gagnant_a_vie.csv", kCsv}, {"second.txt", "2"}}, "s3cr\xC3\xA9t");
    // ZipCrypto may let a wrong password through its header check and fail only on reading.
    for (const auto& [answer, message] : {std::pair<std::optional<QString>, const char*>(QStringLiteral("s3cr\u00E9t"), nullptr),
                                          {QStringLiteral("wrong"), "Mot de passe incorrect"},
                                          {QString(), "Membre chiffré refusé, aucun mot de passe : second.txt"},
                                          {std::nullopt, "Membre chiffré refusé, aucun mot de passe : second.txt"}}) {
        writeFile(m_csv, "old");
        QFile::remove(in("second.txt"));
        const QString messages = extract(answer).messages.join(QLatin1Char('|'));
        EXPECT_EQ(m_asked, 1) << messages.toStdString();
        EXPECT_TRUE(message ? messages.contains(QString::fromUtf8(message)) : messages.isEmpty()) << messages.toStdString();
        EXPECT_EQ(readFile(m_csv), message ? QByteArray("old") : kCsv);
        EXPECT_EQ(entries(m_data).size(), message ? 2 : 3); // nothing half-written beside
    }
}

TEST_F(ZipExtractorTest, UnreadableArchivesLeaveTheFolderAsItWas)
{
    writeZip(m_archive, {{"keno_gagnant_a_vie.csv", kCsv.repeated(500)}});
    const QByteArray whole = readFile(m_archive);
    QByteArray spoiled = whole; // the compressed data begins after the 30-byte header and the 22-byte name
    spoiled.replace(56, 8, "spoiled!");
    for (const auto& [bytes, message] : {std::pair<QByteArray, const char*>(whole.left(whole.size() / 2), "pas une archive ZIP"),
                                         {spoiled, "Membre endommagé : keno_gagnant_a_vie.csv"},
                                         {kCsv, "pas une archive ZIP"},
                                         {"missing", "Archive introuvable"}}) {
        QFile::remove(m_archive);
        if (bytes != "missing")
            writeFile(m_archive, bytes);
        const QStringList before = entries(m_data);
        const ZipExtractor::Result result = extract();
        EXPECT_TRUE(result.messages.join(QLatin1Char('|')).contains(QString::fromUtf8(message))) << message;
        EXPECT_EQ(entries(m_data), before) << message;
        EXPECT_EQ(readFile(m_csv), QByteArray("old")) << message;
    }
}

TEST_F(ZipExtractorTest, SizeLimitsHoldPerMemberAndInTotal)
{
    QList<std::pair<QByteArray, QByteArray>> members;
    for (const auto& [name, size] : {std::pair("big.bin", 1500), {"a.bin", 900}, {"c.bin", 900}, {"d.bin", 300}, {"e.bin", 50}})
        members.append({name, QByteArray(size, name[0])});
    writeZip(m_archive, members);
    ZipExtractor extractor;
    extractor.setSizeLimits(1000, 2000);
    const QStringList kept = {QStringLiteral("a.bin"), QStringLiteral("c.bin"), QStringLiteral("e.bin")};
    const ZipExtractor::Result result = extractor.extract(m_archive, m_data);
    EXPECT_EQ(result.written, kept);
    EXPECT_EQ(result.messages,
              QStringList({QStringLiteral("Membre refusé, trop volumineux une fois extrait (plus de 1000 octets) : big.bin"),
                           QStringLiteral("Membre refusé, l'archive dépasse 2000 octets une fois extraite : d.bin")}));
    EXPECT_EQ(entries(m_data).size(), 5); // the archive, the old CSV and the three files written
}

TEST_F(ZipExtractorTest, KeptFilesAreNeverWrittenWhateverTheNameCaseOrLinks)
{
    // The working history is a link to a file further in the folder; the settings live beside it.
    writeFile(in("hist/real.txt"), "draws");
    ASSERT_TRUE(QFile::link(in("hist/real.txt"), in("Tirages_keno.txt")));
    writeFile(in("tiravol.ini"), "ini");
    writeArchive({"hist/real.txt", "TIRAGES.txt", "./tiravol.ini", "hist/notes.txt"});
    ZipExtractor extractor;
    extractor.setKeptFiles({in("Tirages_keno.txt"), in("Tirages.txt"), in("tiravol.ini")});
    const ZipExtractor::Result result = extractor.extract(m_archive, m_data);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.keptBack,
              QStringList({QStringLiteral("hist/real.txt"), QStringLiteral("TIRAGES.txt"), QStringLiteral("./tiravol.ini")}));
    EXPECT_EQ(result.written, QStringList({QStringLiteral("keno_gagnant_a_vie.csv"), QStringLiteral("hist/notes.txt")}));
    EXPECT_EQ(readFile(in("hist/real.txt")), "draws");
    EXPECT_EQ(readFile(in("tiravol.ini")), "ini");
    EXPECT_FALSE(QFile::exists(in("TIRAGES.txt")));
}
