// SPDX-License-Identifier: GPL-3.0-or-later
// The one write helper: a write that fails leaves the old file as it was and says why in French.
#include "output/TextFile.h"
#include "support/EioFault.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

using TestSupport::EioFault;
using TestSupport::readFile;
using TestSupport::startsWith;
using TestSupport::writeFile;

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
        // A new file goes to the folder's owner: the player's folder stays the player's.
        const QString fresh = tmp.filePath(QStringLiteral("Tirages_keno.txt"));
        ASSERT_EQ(::chown(QFile::encodeName(tmp.path()).constData(), 4321, 4322), 0);
        ASSERT_TRUE(TextFile::writeAtomic(fresh, "x", &error)) << error.toStdString();
        ASSERT_EQ(::stat(QFile::encodeName(fresh).constData(), &st), 0);
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

// Every read to the real end: a short read is no end of file, and a failed one is said.
TEST(TextFileTest, ReadsToTheRealEndAndAPairIsNotWrittenWhenTheOldFileCannotBeKept)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("Tirages.txt"));
    const QString second = dir.filePath(QStringLiteral("Tirages_keno.txt"));
    const QByteArray big(200 * 1024, 'x'); // more than one piece
    writeFile(first, big);
    writeFile(second, "ancien");
    QFile file(first);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes;
    QString why;
    EXPECT_TRUE(TextFile::readToEnd(file, &bytes, &why));
    EXPECT_EQ(bytes, big);

    {
        const EioFault badSector("Tirages.txt", 100 * 1024 + 7);
        ASSERT_TRUE(file.seek(0));
        EXPECT_FALSE(TextFile::readToEnd(file, &bytes, &why));
        EXPECT_TRUE(bytes.isEmpty());
        EXPECT_EQ(why, QStringLiteral("le disque a signalé une erreur"));

        QString error;
        EXPECT_FALSE(TextFile::writeAtomicPair(first, "nouveau", second, "nouveau", &error));
        EXPECT_TRUE(startsWith(error, QStringLiteral("« %1 » ne peut pas être lu (le disque a signalé une erreur)").arg(first)))
            << error.toStdString();
    }
    EXPECT_EQ(readFile(first), big);
    EXPECT_EQ(readFile(second), QByteArray("ancien"));
}
