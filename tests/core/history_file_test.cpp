#include "history/HistoryFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestSupport;

TEST(HistoryFile, ListReadWriteRoundTripOverManyPieces)
{
    QTemporaryDir dir;
    // Longer than one read piece, with odd lines on both sides of piece boundaries.
    QStringList lines;
    for (int i = 0; i < 3000; ++i)
        lines << (i % 997 == 5 ? QStringLiteral("ligne %1 illisible é").arg(i) : drawFrom("16/09/1993", 1 + i % 50));
    const QString path = dir.filePath(QStringLiteral("Tirages_keno.txt"));
    QString error;
    ASSERT_TRUE(HistoryFile::write(path, DrawList::fromLines(lines), &error)) << error.toStdString();
    EXPECT_EQ(readFile(path), crlf(lines));

    const HistoryFile::ListReadResult read = HistoryFile::readList(path);
    EXPECT_TRUE(read.found && read.badLines == 4 && read.problems.size() == 4);
    EXPECT_EQ(read.list.toStringList(), lines);
    EXPECT_EQ(read.problems.value(0), QStringLiteral("ligne 6 : longueur 19 au lieu de 75 caractères"));
    const HistoryFile::ReadResult asLines = HistoryFile::read(path);
    EXPECT_TRUE(asLines.found && asLines.error.isEmpty() && asLines.badLines == 4);
    EXPECT_EQ(asLines.lines, lines);
    EXPECT_EQ(asLines.problems, read.problems);

    // The list's trailing empty item is never written; a folder in place of the file is neither replaced nor emptied.
    ASSERT_TRUE(HistoryFile::write(path, lines.mid(0, 5) + QStringList{QString()}, &error)) << error.toStdString();
    EXPECT_EQ(readFile(path), crlf(lines.mid(0, 5)));
    writeFile(dir.filePath(QStringLiteral("dir.txt/inside.txt")), "old");
    EXPECT_FALSE(HistoryFile::write(dir.filePath(QStringLiteral("dir.txt")), lines, &error));
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("dir.txt/inside.txt"))), QByteArray("old"));
}

TEST(HistoryFile, MissingEmptyAndUnreadableFilesAreToldInFrench)
{
    QTemporaryDir tmp;
    const QString absent = tmp.filePath(QStringLiteral("absent.txt"));
    const HistoryFile::ListReadResult missing = HistoryFile::readList(absent);
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.error, QStringLiteral("Le fichier « %1 » est introuvable.").arg(QDir::toNativeSeparators(absent)));
    EXPECT_EQ(missing.list.itemCount(), 1);
    EXPECT_FALSE(HistoryFile::read(absent).found);

    const QString empty = tmp.filePath(QStringLiteral("empty.txt"));
    writeFile(empty, QByteArray());
    const HistoryFile::ReadResult nothing = HistoryFile::read(empty);
    EXPECT_TRUE(nothing.found && nothing.error.isEmpty() && nothing.lines.isEmpty());

    const QString folder = tmp.filePath(QStringLiteral("Tirages_keno.txt"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(HistoryFile::read(folder).error,
              QStringLiteral("Le fichier « %1 » ne peut pas être lu : c'est un dossier.").arg(folder));
    if (::geteuid() != 0) { // the superuser reads everything
        const QString locked = tmp.filePath(QStringLiteral("Tirages.txt"));
        writeFile(locked, "x");
        ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0), 0);
        EXPECT_TRUE(HistoryFile::read(locked).error.endsWith(QStringLiteral(" : l'accès est refusé.")))
            << HistoryFile::read(locked).error.toStdString();
    }
}
