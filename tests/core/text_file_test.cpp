// The one write helper: a write that fails leaves the old file as it was and says why in French.
#include "output/TextFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

using TestSupport::readFile;

TEST(TextFileTest, AFailedWriteKeepsTheOldFileByteForByteAndSaysWhy)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("Tirages_keno.txt"));
    const QString fresh = tmp.filePath(QStringLiteral("nouveau.txt"));
    const QByteArray old = TestSupport::crlf(TestSupport::makeHistory(102));
    TestSupport::writeFile(path, old);
    // Under 16 KiB: the bytes wait in a buffer and only the final flush meets the full disk.
    const QByteArray longer = TestSupport::crlf(TestSupport::makeHistory(103));
    QString error, freshError;
    {
        const TestSupport::FileSizeLimit full(4096);
        EXPECT_FALSE(TextFile::writeAtomic(path, longer, &error));
        EXPECT_FALSE(TextFile::writeAtomic(fresh, longer, &freshError));
    }
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(error,
              QStringLiteral("Fichier trop grand pour le disque : « %1 » n'a pas été enregistré ; l'ancien fichier est "
                             "gardé tel quel.")
                  .arg(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(freshError.endsWith(QStringLiteral(" n'a pas été enregistré ; aucun fichier n'a été créé.")))
        << freshError.toStdString();
    // Neither a cut file nor a temporary one is left behind.
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Tirages_keno.txt")});
    ASSERT_TRUE(TextFile::writeAtomic(path, longer, &error));
    EXPECT_EQ(readFile(path), longer);
}

TEST(TextFileTest, AReplacedFileKeepsItsOwnerAndModeAndAReadOnlyFileIsRefused)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("tiravol.ini"));
    const QByteArray name = QFile::encodeName(path);
    TestSupport::writeFile(path, "[URL]\n");
    ASSERT_EQ(::chmod(name.constData(), 0640), 0);
    // Only the superuser can give a file away; it must then stay the player's.
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(name.constData(), 4321, 4322), 0);
    }
    QString error;
    ASSERT_TRUE(TextFile::writeAtomic(path, "[URL]\nFileFdesjeux=x\n", &error)) << error.toStdString();
    struct stat st { };
    ASSERT_EQ(::stat(name.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_TRUE(st.st_uid == 4321 && st.st_gid == 4322) << st.st_uid << ':' << st.st_gid;
    }

    // A file nobody may write is refused, even by the superuser.
    ASSERT_EQ(::chmod(name.constData(), 0444), 0);
    EXPECT_FALSE(TextFile::writeAtomic(path, "autre", &error));
    EXPECT_EQ(readFile(path), QByteArray("[URL]\nFileFdesjeux=x\n"));
    EXPECT_EQ(error,
              QStringLiteral("Fichier protégé en écriture : « %1 » n'a pas été remplacé ; l'ancien fichier est gardé "
                             "tel quel.")
                  .arg(QDir::toNativeSeparators(path)));
}
