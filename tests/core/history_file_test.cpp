// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryFile.h"
#include "support/CurrentGameHistory.h"
#include "support/EioFault.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
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
    EXPECT_FALSE(missing.failed); // a first run: nothing to lose

    const QString empty = tmp.filePath(QStringLiteral("empty.txt"));
    writeFile(empty, QByteArray());
    const HistoryFile::ReadResult nothing = HistoryFile::read(empty);
    EXPECT_TRUE(nothing.found && nothing.error.isEmpty() && nothing.lines.isEmpty());

    const QString folder = tmp.filePath(QStringLiteral("Tirages_keno.txt"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(HistoryFile::read(folder).error,
              QStringLiteral("Le fichier « %1 » ne peut pas être lu : c'est un dossier.").arg(folder));
    EXPECT_TRUE(HistoryFile::read(folder).failed);
    if (::geteuid() != 0) { // the superuser reads everything
        const QString locked = tmp.filePath(QStringLiteral("Tirages.txt"));
        writeFile(locked, "x");
        ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0), 0);
        EXPECT_TRUE(HistoryFile::read(locked).error.endsWith(QStringLiteral(" : l'accès est refusé.")))
            << HistoryFile::read(locked).error.toStdString();
    }
}

// A bad sector in the middle: the pieces before it come back, the last one short, then EIO. No
// part of the file may pass for the whole of it.
TEST(HistoryFile, AReadErrorInTheMiddleIsAFailedReadNeverAShorterHistory)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("Tirages_keno.txt"));
    const QByteArray bytes = crlf(makeHistory(3000));
    writeFile(path, bytes);
    for (const qint64 from : {qint64{0}, qint64{77 * 1000 + 5}, qint64{64 * 1024}, bytes.size() - 1}) {
        const EioFault fault("Tirages_keno.txt", from);
        const HistoryFile::ListReadResult read = HistoryFile::readList(path);
        EXPECT_FALSE(read.found) << from;
        EXPECT_TRUE(read.failed) << from;
        EXPECT_EQ(read.list.drawCount(), 0) << from;
        EXPECT_EQ(read.error,
                  QStringLiteral("Le fichier « %1 » n'a pas pu être lu jusqu'au bout (le disque a signalé une "
                                 "erreur, après %2 octets).")
                      .arg(path)
                      .arg(from));
        EXPECT_TRUE(HistoryFile::read(path).failed && HistoryFile::read(path).lines.isEmpty()) << from;
    }
    // The fault is on that one file, from that byte: another name, or a fault past the end, reads whole.
    for (const auto& [name, from] : {std::pair{"Tirages.txt", qint64{0}}, std::pair{"Tirages_keno.txt", bytes.size() + 1}}) {
        const EioFault fault(name, from);
        const HistoryFile::ListReadResult whole = HistoryFile::readList(path);
        EXPECT_TRUE(whole.found && !whole.failed && whole.error.isEmpty()) << name;
        EXPECT_EQ(whole.list.drawCount(), 3000) << name;
    }
}

TEST(HistoryFile, AHistoryLargerThanAnyRealOneIsRefusedWithoutBeingRead)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("Tirages_keno.txt"));
    writeFile(path, crlf(makeHistory(10)));
    QFile file(path);
    // Sparse: costs no disk, and a read of its bytes would take seconds.
    ASSERT_TRUE(file.resize(HistoryFile::kLargestHistory + 1));
    QElapsedTimer clock;
    clock.start();
    const HistoryFile::ListReadResult read = HistoryFile::readList(path);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(read.failed && !read.found);
    EXPECT_EQ(read.list.drawCount(), 0);
    EXPECT_EQ(read.error,
              QStringLiteral("Le fichier « %1 » est trop grand pour un historique (65 Mo, au plus 64 Mo admis) : "
                             "il n'a pas été lu.")
                  .arg(path));
}

// A generated sixteen-of-fifty-six history in its own file: read as that game, saved back to the byte.
TEST(HistoryFile, TheCurrentGameHistoryReadsAndSavesToTheByte)
{
    QTemporaryDir dir;
    const CurrentGameHistory::History history = CurrentGameHistory::make(400);
    const QString path = HistoryFile::workingPath(dir.path(), FormulaId::Keno16of56);
    EXPECT_EQ(path, dir.filePath(QStringLiteral("Tirages_keno_16-56.txt")));
    writeFile(path, crlf(history.lines));

    const HistoryFile::ListReadResult read = HistoryFile::readList(path);
    ASSERT_TRUE(read.found && !read.failed) << read.error.toStdString();
    EXPECT_EQ(read.list.formulaId(), FormulaId::Keno16of56);
    EXPECT_EQ(read.badLines, 0);
    EXPECT_EQ(read.list.toStringList(), history.lines);
    for (int i : {0, 199, 399})
        for (int k = 1; k <= 16; ++k)
            ASSERT_EQ(read.list.number(i, k), history.draws[static_cast<size_t>(i)][static_cast<size_t>(k - 1)]);
    EXPECT_EQ(HistoryFile::read(path).formula, FormulaId::Keno16of56);

    const QString copy = dir.filePath(QStringLiteral("copie.txt"));
    QString error;
    ASSERT_TRUE(HistoryFile::write(copy, read.list, &error)) << error.toStdString();
    EXPECT_EQ(readFile(copy), readFile(path));
    EXPECT_EQ(HistoryFile::readList(copy).list.formulaId(), FormulaId::Keno16of56); // from its lines
}

// Each game's file refuses the other game's draws; the file is not read and stays as it was.
TEST(HistoryFile, AFileOfOneGameHoldingTheOthersDrawIsNotRead)
{
    QTemporaryDir dir;
    const QStringList current = CurrentGameHistory::make(5).lines;
    const QStringList classic = makeHistory(5);
    const struct {
        QString name;
        QStringList lines;
        QString why;
    } cases[] = {
        {QStringLiteral("Tirages_16-56.txt"), current.mid(0, 3) + classic.mid(0, 1) + current.mid(3),
         QStringLiteral("la ligne 4 est un tirage du Keno 20 sur 70, pas du Keno 16 sur 56")},
        {QStringLiteral("TIRAGES_KENO.TXT"), classic.mid(0, 1) + current.mid(0, 1),
         QStringLiteral("la ligne 2 est un tirage du Keno 16 sur 56, pas du Keno 20 sur 70")},
        {QStringLiteral("Tirages_keno_16-56.txt"), classic,
         QStringLiteral("la ligne 1 est un tirage du Keno 20 sur 70, pas du Keno 16 sur 56")},
        {QStringLiteral("autre.txt"), current.mid(0, 2) + classic.mid(0, 1),
         QStringLiteral("la ligne 3 est un tirage du Keno 20 sur 70, la ligne 1 un tirage du Keno 16 sur 56")},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(c.name);
        writeFile(path, crlf(c.lines));
        const HistoryFile::ListReadResult read = HistoryFile::readList(path);
        EXPECT_TRUE(read.failed && !read.found) << c.name.toStdString();
        EXPECT_EQ(read.list.drawCount(), 0);
        EXPECT_EQ(read.error,
                  QStringLiteral("Le fichier « %1 » n'a pas été lu : %2 ; un historique ne tient les tirages que d'un "
                                 "seul jeu.")
                      .arg(path, c.why));
        EXPECT_EQ(readFile(path), crlf(c.lines));
    }
    // Bytes in memory name no file; the game asked for is the one checked.
    const HistoryFile::ListReadResult bytes = HistoryFile::parseList(crlf(current), FormulaId::Keno20of70);
    EXPECT_TRUE(bytes.failed);
    EXPECT_TRUE(
        startsWith(bytes.error, QStringLiteral("L'historique n'a pas été lu : la ligne 1 est un tirage du Keno 16 sur 56")));
    EXPECT_EQ(HistoryFile::parseList(crlf(current)).list.formulaId(), FormulaId::Keno16of56);
}
