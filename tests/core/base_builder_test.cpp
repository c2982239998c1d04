// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/BaseBuilder.h"
#include "acquire/CsvImport.h"
#include "history/HistoryFile.h"
#include "history/MultiplierFile.h"
#include "support/EioFault.h"
#include "support/GameArchive.h"
#include "support/TestSupport.h"

#include <QDir>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace TestSupport;

class BaseBuilderTest : public ::testing::Test {
protected:
    QTemporaryDir m_temp;
    QString m_error;
    QString in(const char* name) const { return m_temp.filePath(QString::fromLatin1(name)); }
    QByteArray workingFile() const { return readFile(in("Tirages_keno.txt")); }
    QString companion() const { return in("Multiplicateurs_keno.txt"); }
    // The base, the working history and the multipliers beside it, as they are.
    QList<QByteArray> files() const { return {readFile(in("Tirages.txt")), workingFile(), readFile(companion())}; }
};

} // namespace

TEST_F(BaseBuilderTest, OverlappingArchivesGiveEveryDrawOnceInDateOrderMidiBeforeSoir)
{
    // Older era as a ZIP, newer era as a plain CSV; the newer one's first draw is also in the older
    // archive, numbers in another order.
    const QString older = in("keno_1993.zip"), newer = in("keno_2024.csv");
    const QStringList olderDraws
        = {drawFrom("01/10/1993", 1, " soir"), drawFrom("02/10/1993", 2), drawFrom("02/10/1993", 3, " soir")};
    const QStringList newerDraws = {QStringLiteral("02/10/1993 22 21 20 19 18 17 16 15 14 13 12 11 10 09 08 07 06 05 04 03 soir"),
                                    drawFrom("03/10/1993", 4), drawFrom("04/10/1993", 5, " soir"), drawFrom("06/10/1993", 6)};
    writeZip(older, {{"keno_1993.csv", operatorCsv(olderDraws)}});
    writeFile(newer, operatorCsv(newerDraws));

    QList<std::pair<int, int>> steps;
    // Given newest first: the order of the archives does not decide the order of the draws.
    const BaseBuilder::Result result = BaseBuilder::collect({newer, older}, [&](int value, int maximum) {
        steps.append({value, maximum});
    });
    // The draw both archives hold is kept as the first archive given wrote it.
    EXPECT_EQ(result.lines, olderDraws.mid(0, 2) + newerDraws);
    EXPECT_EQ(steps, (QList<std::pair<int, int>>{{1, 2}, {2, 2}}));
    EXPECT_EQ(
        result.summary(),
        QStringList({QStringLiteral("keno_2024.csv : 4 tirages nouveaux, 0 en double, 0 en désaccord (4 lignes lues, 0 refusée)"),
                     QStringLiteral("keno_1993.zip : 2 tirages nouveaux, 1 en double, 0 en désaccord (3 lignes lues, 0 refusée)"),
                     QStringLiteral("Tirages retenus : 6"), QStringLiteral("Tirages en double : 1"),
                     QStringLiteral("Tirages en désaccord : 0"), QStringLiteral("Premier tirage : 01/10/1993 soir"),
                     QStringLiteral("Dernier tirage : 06/10/1993 midi"), QStringLiteral("Périodes sans tirage : 1"),
                     QStringLiteral("  le 05/10/1993"),
                     QStringLiteral("Historique de travail (Tirages_keno.txt) : 6 tirages, tous les tirages"),
                     QStringLiteral("Historique de base (Tirages.txt) : 2 tirages, ceux d'avant l'archive la plus récente, "
                                    "keno_2024.csv, que le téléchargement ajoute à sa suite")}));

    // Written to both history files, CR LF after each line (the base without what the newest
    // archive brings); a second build is refused until told to replace.
    ASSERT_TRUE(BaseBuilder::write(result, m_temp.path(), {}, &m_error)) << m_error.toStdString();
    EXPECT_EQ(readFile(in("Tirages.txt")), crlf(result.lines.mid(0, 2)));
    EXPECT_EQ(workingFile(), crlf(result.lines));

    const BaseBuilder::Result smaller = BaseBuilder::collect({older});
    EXPECT_FALSE(BaseBuilder::write(smaller, m_temp.path(), {}, &m_error));
    EXPECT_TRUE(m_error.contains(QStringLiteral("existe déjà"))) << m_error.toStdString();
    EXPECT_EQ(workingFile(), crlf(result.lines));
    ASSERT_TRUE(BaseBuilder::write(smaller, m_temp.path(), {true, false}, &m_error)) << m_error.toStdString();
    EXPECT_EQ(workingFile(), crlf(smaller.lines));
}

TEST_F(BaseBuilderTest, ArchivesThatDisagreeAreReportedAndNothingIsWrittenUnlessTheFirstMayWin)
{
    const QString a = in("a.csv"), b = in("b.zip"), broken = in("broken.zip");
    const QStringList draws = {drawFrom("01/01/2024", 1), drawFrom("01/01/2024", 1, " soir"), drawFrom("02/01/2024", 10)};
    writeFile(a, operatorCsv(draws) + "1;01/01/2024;soir;x;71\r\n");
    writeZip(b, {{"data/b.csv", operatorCsv({drawFrom("01/01/2024", 2, " soir")})}});
    writeFile(broken, "PK\x03\x04 damaged");

    const BaseBuilder::Result result = BaseBuilder::collect({a, b, broken});
    EXPECT_EQ(result.lines, draws);
    // The summary below names the conflict's date, slot and archives.
    ASSERT_EQ(result.conflicts.size(), 1);
    EXPECT_EQ(result.conflicts[0].otherLine, drawFrom("01/01/2024", 2, " soir"));
    EXPECT_EQ(result.archives.value(0).skipped, 1);
    for (const char* line : {"Tirages en désaccord : 1", "  01/01/2024 soir : a.csv et b.zip diffèrent", "broken.zip : illisible",
                             "Périodes sans tirage : 0"})
        EXPECT_TRUE(result.summary().contains(QString::fromUtf8(line))) << line;

    EXPECT_FALSE(BaseBuilder::write(result, m_temp.path(), {}, &m_error));
    EXPECT_FALSE(QFile::exists(in("Tirages.txt")) || QFile::exists(in("Tirages_keno.txt")));
    ASSERT_TRUE(BaseBuilder::write(result, m_temp.path(), {false, true}, &m_error)) << m_error.toStdString(); // the first wins
    EXPECT_EQ(workingFile(), crlf(result.lines));

    // Nothing readable: nothing written, even with replace.
    EXPECT_FALSE(BaseBuilder::write(BaseBuilder::collect({broken}), m_temp.path(), {true, true}, &m_error));
    EXPECT_EQ(workingFile(), crlf(result.lines));
}

TEST_F(BaseBuilderTest, PlayersDrawsAndUnterminatedRowsAreKeptAndADownloadAfterwardsGivesEachDrawOnce)
{
    const QStringList all = makeHistory(25, QDate(2019, 1, 1));
    const QStringList archived = all.mid(0, 24);
    const QString older = in("keno_2018.csv"), newest = in("keno_2019.csv");
    writeFile(older, operatorCsv(archived.mid(0, 8)));
    // As the operator serves it: no line feed after the last row, the newest archive's oldest draw.
    const QByteArray newestBytes = operatorCsv(archived.mid(8), false);
    writeFile(newest, newestBytes);

    BaseBuilder::Result result = BaseBuilder::collect({older, newest});
    EXPECT_EQ(result.lines, archived);
    EXPECT_TRUE(result.archives.value(1).rows == 16 && result.archives.value(1).skipped == 0);

    // The working history holds a draw typed by hand after the archives, and lacks a few others.
    QStringList working = all.mid(3);
    BaseBuilder::mergeWorking(result, working, QStringLiteral("Tirages_keno.txt"));
    EXPECT_EQ(result.kept, QStringList{all.last()});
    EXPECT_EQ(result.working, all);
    const QStringList summary = result.summary();
    EXPECT_TRUE(summary.contains(QStringLiteral("Tirages gardés de Tirages_keno.txt, absents des archives : 1")));
    EXPECT_TRUE(summary.contains(QStringLiteral("  ") + all.last().left(10) + QLatin1Char(' ') + all.last().right(4)));

    ASSERT_TRUE(BaseBuilder::write(result, m_temp.path(), {}, &m_error)) << m_error.toStdString();
    EXPECT_EQ(workingFile(), crlf(all));
    // A download of the newest archive appends it after the base history (and drops its
    // unterminated last row): every archived draw comes back once.
    const QStringList reloaded = HistoryFile::read(in("Tirages.txt")).lines + CsvImport::convert(newestBytes).lines;
    EXPECT_EQ(reloaded, archived);

    // A working line the archives contradict: reported, nothing replaced.
    QString& changed = working[4];
    changed.replace(68, 2, changed.mid(68, 2) == QLatin1String("70") ? QStringLiteral("69") : QStringLiteral("70"));
    BaseBuilder::mergeWorking(result, working, QStringLiteral("Tirages_keno.txt"));
    ASSERT_EQ(result.workingConflicts.size(), 1);
    EXPECT_TRUE(result.summary().contains(
        QStringLiteral("  %1 %2 : Tirages_keno.txt et les archives diffèrent").arg(changed.left(10), changed.right(4))));
    EXPECT_FALSE(BaseBuilder::write(result, m_temp.path(), {true, true}, &m_error));
    EXPECT_EQ(workingFile(), crlf(all));

    // Both files or neither: a working history that cannot be written leaves the base untouched.
    const QString other = in("other");
    QDir().mkpath(other + QStringLiteral("/Tirages_keno.txt"));
    BaseBuilder::mergeWorking(result, all, QStringLiteral("Tirages_keno.txt"));
    EXPECT_FALSE(BaseBuilder::write(result, other, {true, true}, &m_error));
    EXPECT_FALSE(QFile::exists(other + QStringLiteral("/Tirages.txt"))) << m_error.toStdString();
    EXPECT_TRUE(m_error.contains(QStringLiteral("Tirages.txt » n'a pas été remplacé non plus"))) << m_error.toStdString();
}

TEST_F(BaseBuilderTest, TheBaseHistorysOwnDrawsAreKeptUnlessTheArchivesAloneContradictThem)
{
    const QStringList all = makeHistory(12, QDate(2020, 10, 15));
    const QString archive = in("keno_202010.csv");
    writeFile(archive, operatorCsv(all.mid(6)));
    BaseBuilder::Result result = BaseBuilder::collect({archive});
    // The base holds two draws that neither the archive nor the working history holds, a line
    // that is not a draw, and a draw the working history gives with other numbers.
    QStringList base = all.mid(0, 8), working = all.mid(0, 4);
    working[1] = drawLine(all[1].left(10), numberRange(51, 70), " soir");
    base.insert(2, QStringLiteral("pas un tirage"));
    BaseBuilder::mergeWorking(result, working, QStringLiteral("Tirages_keno.txt"));
    BaseBuilder::mergeBase(result, base, working, QStringLiteral("Tirages.txt"));
    EXPECT_EQ(result.keptBase, all.mid(4, 2));
    EXPECT_EQ(result.unreadable, QStringList{QStringLiteral("Tirages.txt, ligne 3 : pas un tirage")});
    base.removeAt(2);
    BaseBuilder::mergeWorking(result, working, QStringLiteral("Tirages_keno.txt"));
    BaseBuilder::mergeBase(result, base, working, QStringLiteral("Tirages.txt"));
    EXPECT_TRUE(result.writable());
    EXPECT_EQ(result.working, working + all.mid(4));
    EXPECT_TRUE(result.summary().contains(
        QStringLiteral("Tirages gardés de Tirages.txt, absents des archives et de l'historique de travail : 2")));

    // A base draw the archives give with other numbers, which the working history lacks: nothing says which is right.
    base[7] = drawLine(all[7].left(10), numberRange(51, 70), " soir");
    BaseBuilder::mergeWorking(result, working, QStringLiteral("Tirages_keno.txt"));
    BaseBuilder::mergeBase(result, base, working, QStringLiteral("Tirages.txt"));
    ASSERT_EQ(result.workingConflicts.size(), 1);
    EXPECT_EQ(result.workingConflicts[0].keptArchive, QStringLiteral("Tirages.txt"));
    EXPECT_FALSE(result.writable());
}

// An archive cut by a read error, plain or as a ZIP member, gives none of its draws and stops the
// build: the histories are never written from part of it.
TEST_F(BaseBuilderTest, AnArchiveCutByAReadErrorStopsTheBuild)
{
    const QStringList draws = {drawFrom("01/10/1993", 1), drawFrom("02/10/1993", 2), drawFrom("03/10/1993", 3)};
    const QByteArray csv = operatorCsv(draws);
    writeFile(in("plain.csv"), csv);
    writeZip(in("zipped.zip"), {{"member.csv", csv}});
    writeFile(in("other.csv"), operatorCsv({drawFrom("04/10/1993", 4)}));
    for (const auto& [faulty, path, shown] : {std::tuple{"plain.csv", in("plain.csv"), QDir::toNativeSeparators(in("plain.csv"))},
                                              std::tuple{"member.csv", in("zipped.zip"), QStringLiteral("member.csv")}}) {
        const TestSupport::EioFault fault(faulty, csv.size() / 2);
        const BaseBuilder::Result result = BaseBuilder::collect({path, in("other.csv")});
        ASSERT_EQ(result.archives.size(), 2) << faulty;
        EXPECT_TRUE(result.archives[0].cut) << faulty;
        EXPECT_EQ(result.archives[0].draws, 0) << faulty;
        EXPECT_TRUE(result.archives[0].messages.contains(
            QStringLiteral("Lecture interrompue : %1 (le disque a signalé une erreur)").arg(shown)))
            << faulty;
        EXPECT_EQ(result.lines, QStringList{drawFrom("04/10/1993", 4)}) << faulty;
        EXPECT_FALSE(result.writable()) << faulty;
        EXPECT_FALSE(BaseBuilder::write(result, m_temp.path(), {}, &m_error)) << faulty;
        EXPECT_EQ(m_error,
                  QStringLiteral("L'archive « %1 » n'a pas pu être lue jusqu'au bout : rien n'est écrit.")
                      .arg(QFileInfo(path).fileName()))
            << faulty;
        EXPECT_FALSE(QFileInfo::exists(in("Tirages_keno.txt")) || QFileInfo::exists(in("Tirages.txt"))) << faulty;
    }
}

// Each game is built into its own files from its own archives only.
TEST_F(BaseBuilderTest, EachGameIsBuiltFromItsOwnArchivesIntoItsOwnFiles)
{
    // The new game's archive holds a row dated before its first draw: refused and named.
    std::vector<GameArchive::Draw> draws = GameArchive::draws(4, QDate(2025, 11, 2));
    const QString current = in("keno_202511.zip"), classic = in("keno_202010.csv");
    writeZip(current, {{"keno_202511.csv", GameArchive::csv(draws)}});
    const QStringList classicDraws = makeHistory(10, QDate(2025, 10, 30)); // the last two on 03/11/2025
    writeFile(classic, operatorCsv(classicDraws));

    BaseBuilder::Result result = BaseBuilder::collect({current}, {}, nullptr, FormulaId::Keno16of56);
    const QStringList lines = GameArchive::lines(draws);
    EXPECT_EQ(result.lines, lines.mid(1));
    EXPECT_EQ(result.archives.value(0).skipped, 1);
    EXPECT_EQ(result.archives.value(0).messages,
              QStringList{QStringLiteral("ligne 5 : 02/11/2025 hors des dates du Keno 16 sur 56")});
    ASSERT_TRUE(BaseBuilder::write(result, BaseBuilder::Paths::in(m_temp.path(), FormulaId::Keno16of56), {}, &m_error))
        << m_error.toStdString();
    EXPECT_EQ(readFile(in("Tirages_keno_16-56.txt")), crlf(lines.mid(1)));
    EXPECT_EQ(readFile(in("Multiplicateurs_16-56.txt")),
              QByteArray("03/11/2025 soir x2\r\n04/11/2025 soir x2\r\n05/11/2025 soir x3\r\n"));
    EXPECT_FALSE(QFile::exists(in("Tirages_keno.txt")) || QFile::exists(companion()));

    // The other game's archive: one sentence, no draw, nothing written.
    const QByteArray before = readFile(in("Tirages_keno_16-56.txt"));
    result = BaseBuilder::collect({classic}, {}, nullptr, FormulaId::Keno16of56);
    EXPECT_TRUE(result.lines.isEmpty());
    EXPECT_TRUE(result.archives.value(0).messages.contains(
        QStringLiteral("Cette archive est celle du Keno 20 sur 70 ; l'historique ouvert est celui du Keno 16 sur 56.")));
    EXPECT_FALSE(
        BaseBuilder::write(result, BaseBuilder::Paths::in(m_temp.path(), FormulaId::Keno16of56), {true, true}, &m_error));
    EXPECT_EQ(readFile(in("Tirages_keno_16-56.txt")), before);

    result = BaseBuilder::collect({current, classic});
    EXPECT_TRUE(result.archives.value(0).messages.contains(
        QStringLiteral("Cette archive est celle du Keno 16 sur 56 ; l'historique ouvert est celui du Keno 20 sur 70.")));
    // The classic archive's rows after 02/11/2025 are no draws of its game.
    EXPECT_EQ(result.lines, classicDraws.mid(0, 8));
    EXPECT_EQ(result.archives.value(1).skipped, 2);
    EXPECT_EQ(result.archives.value(1).messages,
              QStringList({QStringLiteral("ligne 2 : 03/11/2025 hors des dates du Keno 20 sur 70"),
                           QStringLiteral("ligne 3 : 03/11/2025 hors des dates du Keno 20 sur 70")}));
}

// Each draw's multiplier goes beside the working history: the first archive that gives one for a
// draw wins, and a value the file already holds is the player's and stays.
TEST_F(BaseBuilderTest, TheArchivesMultipliersGoBesideTheWorkingHistoryAndThePlayersStay)
{
    // 01/03/2021 midi and soir to 03/03/2021 midi and soir.
    const QStringList draws = makeHistory(6, QDate(2021, 3, 1));
    // The oldest archive has no multiplier column; a row of the next gives none.
    writeFile(in("old.csv"), operatorCsv(draws.mid(0, 3)));
    writeFile(in("new.csv"), operatorCsv(draws.mid(2), {"5", "", "2", "10"}));
    writeFile(in("again.csv"), operatorCsv(draws.mid(3), {"4", "3", "3"}));
    const BaseBuilder::Result result = BaseBuilder::collect({in("old.csv"), in("new.csv"), in("again.csv")});
    ASSERT_EQ(result.lines, draws);
    EXPECT_EQ(result.multipliers.size(), 4);

    ASSERT_TRUE(BaseBuilder::write(result, m_temp.path(), {}, &m_error)) << m_error.toStdString();
    EXPECT_EQ(readFile(companion()),
              QByteArray("02/03/2021 midi x5\r\n02/03/2021 soir x4\r\n03/03/2021 midi x2\r\n03/03/2021 soir x10\r\n"));
    EXPECT_EQ(workingFile(), crlf(draws));

    // The player gave two draws theirs: a rebuild fills the others only.
    writeFile(companion(), "01/03/2021 soir x7\r\n02/03/2021 midi x8\r\n");
    ASSERT_TRUE(BaseBuilder::write(result, m_temp.path(), {true, false}, &m_error)) << m_error.toStdString();
    EXPECT_EQ(readFile(companion()),
              QByteArray("01/03/2021 soir x7\r\n02/03/2021 midi x8\r\n02/03/2021 soir x4\r\n"
                         "03/03/2021 midi x2\r\n03/03/2021 soir x10\r\n"));
}

// The base, the working history and the multipliers beside it are all replaced or none: a full
// disk at any of the three leaves each whole. A file beside that cannot be read is left as it is
// and the histories are built without it.
TEST_F(BaseBuilderTest, AFullDiskOrAnUnreadableFileBesideLeavesEveryFileWhole)
{
    // A small base (8 kB of multipliers, 34 kB of working history): each limit below stops one file.
    const QStringList draws = makeHistory(400, QDate(2019, 1, 1));
    writeFile(in("old.csv"), operatorCsv(draws.mid(0, 2)));
    writeFile(in("new.csv"), operatorCsv(draws.mid(2), QList<QByteArray>(398, "2")));
    const BaseBuilder::Result result = BaseBuilder::collect({in("old.csv"), in("new.csv")});
    ASSERT_EQ(result.base, draws.mid(0, 2));
    writeFile(in("Tirages.txt"), crlf(draws.mid(0, 1)));
    writeFile(in("Tirages_keno.txt"), crlf(draws.mid(0, 3)));
    writeFile(companion(), "01/01/2019 midi x3\r\n");
    const QList<QByteArray> before = files();
    const struct {
        qint64 limit;
        const char *refused, *notReplaced;
    } cases[] = {{64, "Tirages.txt » n'a pas été enregistré", "Tirages_keno.txt » n'a pas été remplacé non plus"},
                 {2048, "Multiplicateurs_keno.txt » n'a pas été enregistré", "Tirages.txt » n'a pas été remplacé non plus"},
                 {16384, "Tirages_keno.txt » n'a pas été enregistré", "Tirages.txt » n'a pas été remplacé non plus"}};
    for (const auto& c : cases) {
        {
            const FileSizeLimit full(c.limit);
            EXPECT_FALSE(BaseBuilder::write(result, m_temp.path(), {true, false}, &m_error)) << c.limit;
        }
        EXPECT_EQ(files(), before) << c.limit;
        EXPECT_TRUE(contains(m_error, QString::fromUtf8(c.refused))) << m_error.toStdString();
        EXPECT_TRUE(contains(m_error, QString::fromUtf8(c.notReplaced))) << m_error.toStdString();
    }

    {
        const EioFault badSector("Multiplicateurs_keno.txt", 4);
        ASSERT_TRUE(BaseBuilder::write(result, m_temp.path(), {true, false}, &m_error)) << m_error.toStdString();
    }
    EXPECT_EQ(files(), (QList<QByteArray>{crlf(draws.mid(0, 2)), crlf(draws), before[2]}));

    // Read whole again, it takes the archives' values beside its own.
    ASSERT_TRUE(BaseBuilder::write(result, m_temp.path(), {true, false}, &m_error)) << m_error.toStdString();
    const Multipliers kept = MultiplierFile::read(companion(), FormulaId::Keno20of70).values;
    EXPECT_EQ(kept.size(), 399); // the second draw's archive gives none
    EXPECT_EQ(kept.of(QDate(2019, 1, 1), 0), 3);
    EXPECT_EQ(kept.of(QDate(2019, 1, 1), 1), std::nullopt);
    EXPECT_EQ(kept.of(QDate(2019, 1, 2), 0), 2);
}

// A stop right after the working history is in place leaves the old base beside it: every draw
// is in the working history, its multiplier beside it, and the next build puts the base in place.
TEST_F(BaseBuilderTest, AKillAfterTheWorkingHistoryLeavesTheOldBaseBesideTheNewHistory)
{
    const QStringList draws = makeHistory(6, QDate(2021, 3, 1));
    writeFile(in("old.csv"), operatorCsv(draws.mid(0, 2)));
    writeFile(in("new.csv"), operatorCsv(draws.mid(2), {"2", "3", "4", "5"}));
    const BaseBuilder::Result result = BaseBuilder::collect({in("old.csv"), in("new.csv")});
    ASSERT_EQ(result.base, draws.mid(0, 2));
    writeFile(in("Tirages.txt"), crlf(draws.mid(0, 1)));
    writeFile(in("Tirages_keno.txt"), crlf(draws.mid(0, 1)));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        qputenv("TIRAVOL_KILL_AFTER_RENAME", "Tirages_keno.txt");
        BaseBuilder::write(result, m_temp.path(), {true, false}, nullptr);
        ::_exit(0); // not killed: the test fails below
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    const QByteArray multipliers = "02/03/2021 midi x2\r\n02/03/2021 soir x3\r\n03/03/2021 midi x4\r\n03/03/2021 soir x5\r\n";
    EXPECT_EQ(files(), (QList<QByteArray>{crlf(draws.mid(0, 1)), crlf(draws), multipliers}));

    ASSERT_TRUE(BaseBuilder::write(result, m_temp.path(), {true, false}, &m_error)) << m_error.toStdString();
    EXPECT_EQ(files(), (QList<QByteArray>{crlf(draws.mid(0, 2)), crlf(draws), multipliers}));
}
