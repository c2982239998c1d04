#include "history/HistoryFile.h"
#include "output/TextFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using TestSupport::makeHistory;
using TestSupport::readFile;
using TestSupport::writeFile;

namespace {

QByteArray crlf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += l.toLatin1() + "\r\n";
    return bytes;
}

class HistoryFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

} // namespace

TEST_F(HistoryFileTest, SavedFileIsCrLfWithoutEmptyLastLineAndReloadsTheSame)
{
    ASSERT_TRUE(dir.isValid());
    const QStringList draws = makeHistory(5);
    const QString file = path(QStringLiteral("Tirages_keno.txt"));
    QString error;
    // The trailing empty item of the list is never written.
    ASSERT_TRUE(HistoryFile::write(file, draws + QStringList{QString()}, &error)) << error.toStdString();
    const QByteArray bytes = readFile(file);
    EXPECT_EQ(bytes, crlf(draws));
    EXPECT_EQ(bytes.size(), 5 * 77);
    EXPECT_TRUE(bytes.endsWith("soir\r\n") || bytes.endsWith("midi\r\n"));
    EXPECT_FALSE(bytes.endsWith("\r\n\r\n"));

    const HistoryFile::ReadResult back = HistoryFile::read(file);
    EXPECT_TRUE(back.found);
    EXPECT_TRUE(back.error.isEmpty());
    EXPECT_EQ(back.lines, draws);
    EXPECT_EQ(back.badLines, 0);

    // Writing again replaces the file, whatever it held before.
    ASSERT_TRUE(HistoryFile::write(file, draws.mid(0, 2), &error));
    EXPECT_EQ(readFile(file), crlf(draws.mid(0, 2)));
    ASSERT_TRUE(HistoryFile::write(file, {}, &error));
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(readFile(file), QByteArray());
}

TEST_F(HistoryFileTest, LineEndingsAndSemicolonsReadAlike)
{
    const QStringList draws = makeHistory(3);
    QByteArray semicolons = crlf(draws);
    semicolons.replace(' ', ';');
    writeFile(path(QStringLiteral("semi.txt")), semicolons);
    EXPECT_EQ(HistoryFile::read(path(QStringLiteral("semi.txt"))).lines, draws);

    // LF only, and no line end after the last line.
    QByteArray lfOnly = crlf(draws);
    lfOnly.replace("\r\n", "\n");
    lfOnly.chop(1);
    writeFile(path(QStringLiteral("unix.txt")), lfOnly);
    const HistoryFile::ReadResult r = HistoryFile::read(path(QStringLiteral("unix.txt")));
    EXPECT_EQ(r.lines, draws);
    EXPECT_EQ(r.badLines, 0);
}

TEST_F(HistoryFileTest, MissingUnreadableAndEmptyFiles)
{
    const HistoryFile::ReadResult missing = HistoryFile::read(path(QStringLiteral("absent.txt")));
    EXPECT_FALSE(missing.found);
    EXPECT_TRUE(missing.lines.isEmpty());
    EXPECT_TRUE(missing.error.contains(QStringLiteral("introuvable"))) << missing.error.toStdString();

    // A folder where the file should be: found on disk but not readable as a file.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Tirages_keno.txt")));
    const HistoryFile::ReadResult folder = HistoryFile::read(path(QStringLiteral("Tirages_keno.txt")));
    EXPECT_FALSE(folder.found);
    EXPECT_TRUE(folder.lines.isEmpty());
    EXPECT_TRUE(folder.error.startsWith(QStringLiteral("Le fichier « "))) << folder.error.toStdString();
    EXPECT_TRUE(folder.error.contains(QStringLiteral("ne peut pas être lu"))) << folder.error.toStdString();

    writeFile(path(QStringLiteral("empty.txt")), QByteArray());
    const HistoryFile::ReadResult empty = HistoryFile::read(path(QStringLiteral("empty.txt")));
    EXPECT_TRUE(empty.found);
    EXPECT_TRUE(empty.error.isEmpty());
    EXPECT_TRUE(empty.lines.isEmpty());
    EXPECT_EQ(empty.badLines, 0);
}

TEST_F(HistoryFileTest, BadLinesAreKeptAndCounted)
{
    const QStringList draws = makeHistory(4);
    QString shortLine = draws[1].left(60);
    QString letters = draws[2];
    letters.replace(14, 2, QStringLiteral("xy"));
    QString above = draws[3];
    above.replace(11, 2, QStringLiteral("99"));
    const QStringList lines{draws[0], shortLine, letters, above};
    QByteArray bytes = crlf({draws[0], shortLine});
    bytes += "\r\n"; // an empty line in the middle
    bytes += crlf({letters, above});
    writeFile(path(QStringLiteral("bad.txt")), bytes);

    const HistoryFile::ReadResult r = HistoryFile::read(path(QStringLiteral("bad.txt")));
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.lines, lines);
    EXPECT_EQ(r.badLines, 4);
    ASSERT_EQ(r.problems.size(), 4);
    EXPECT_EQ(r.problems[0], QStringLiteral("ligne 2 : longueur 60 au lieu de 75 caractères"));
    EXPECT_EQ(r.problems[1], QStringLiteral("ligne 3 : ligne vide ignorée"));
    EXPECT_EQ(r.problems[2], QStringLiteral("ligne 4 : numéro 2 « xy » illisible"));
    EXPECT_EQ(r.problems[3], QStringLiteral("ligne 5 : numéro 1 hors de 1 à 70 (99)"));

    // Only the first reasons are listed; every bad line is counted.
    QByteArray many;
    for (int i = 0; i < 12; ++i)
        many += "garbage\r\n";
    writeFile(path(QStringLiteral("many.txt")), many);
    const HistoryFile::ReadResult m = HistoryFile::read(path(QStringLiteral("many.txt")));
    EXPECT_EQ(m.badLines, 12);
    EXPECT_EQ(m.lines.size(), 12);
    EXPECT_EQ(m.problems.size(), 5);
}

TEST_F(HistoryFileTest, LocateIgnoresCase)
{
    const QString name = QStringLiteral("Tirages_keno.txt");
    EXPECT_EQ(HistoryFile::locate(dir.path(), name), QDir(dir.path()).filePath(name));

    writeFile(path(QStringLiteral("TIRAGES_KENO.TXT")), "x\r\n");
    EXPECT_EQ(HistoryFile::locate(dir.path(), name), path(QStringLiteral("TIRAGES_KENO.TXT")));
    EXPECT_EQ(HistoryFile::locate(dir.path(), QStringLiteral("tirages_KENO.txt")), path(QStringLiteral("TIRAGES_KENO.TXT")));
    // Another name is not matched.
    EXPECT_EQ(HistoryFile::locate(dir.path(), QStringLiteral("Tirages.txt")), path(QStringLiteral("Tirages.txt")));
}

TEST_F(HistoryFileTest, AnsiAndUtf8FilesDecode)
{
    const QStringList draws = makeHistory(2);
    // UTF-8 with a byte-order mark: the first line stays a draw.
    writeFile(path(QStringLiteral("bom.txt")), "\xEF\xBB\xBF" + crlf(draws));
    const HistoryFile::ReadResult bom = HistoryFile::read(path(QStringLiteral("bom.txt")));
    EXPECT_EQ(bom.lines, draws);
    EXPECT_EQ(bom.badLines, 0);

    // Windows-1252 text in a bad line is read as the same characters.
    writeFile(path(QStringLiteral("ansi.txt")), crlf(draws) + "tirage modifi\xE9 \x80\r\n");
    const HistoryFile::ReadResult ansi = HistoryFile::read(path(QStringLiteral("ansi.txt")));
    ASSERT_EQ(ansi.lines.size(), 3);
    EXPECT_EQ(ansi.lines[2], QStringLiteral("tirage modifié €"));

    writeFile(path(QStringLiteral("utf8.txt")), crlf(draws) + "tirage modifi\xC3\xA9\r\n");
    const HistoryFile::ReadResult utf8 = HistoryFile::read(path(QStringLiteral("utf8.txt")));
    ASSERT_EQ(utf8.lines.size(), 3);
    EXPECT_EQ(utf8.lines[2], QStringLiteral("tirage modifié"));

    EXPECT_EQ(TextFile::decode("\x80\x9F\xA0\xFF"), QString::fromUtf16(u"\u20AC\u0178\u00A0\u00FF"));
}

TEST_F(HistoryFileTest, FailedWriteLeavesWhatWasThere)
{
    const QStringList draws = makeHistory(3);
    QString error;

    // The folder of the target is a regular file: nothing can be created under it.
    writeFile(path(QStringLiteral("blocker")), "keep me");
    EXPECT_FALSE(HistoryFile::write(path(QStringLiteral("blocker/Tirages_keno.txt")), draws, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFile(path(QStringLiteral("blocker"))), QByteArray("keep me"));

    // A folder in place of the target is not replaced, nor is what it holds.
    error.clear();
    writeFile(path(QStringLiteral("Tirages_keno.txt/inside.txt")), "old");
    EXPECT_FALSE(HistoryFile::write(path(QStringLiteral("Tirages_keno.txt")), draws, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("Tirages_keno.txt"))).isDir());
    EXPECT_EQ(readFile(path(QStringLiteral("Tirages_keno.txt/inside.txt"))), QByteArray("old"));

    // No temporary file is left beside a successful write either.
    ASSERT_TRUE(HistoryFile::write(path(QStringLiteral("ok.txt")), draws, &error));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // blocker and ok.txt
}
