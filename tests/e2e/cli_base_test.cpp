// SPDX-License-Identifier: GPL-3.0-or-later
// tiravol-cli build-base: the archives given, --replace answering the question, the summary on the
// standard output and the outcome on the error output (the building itself is the Workspace's).
#include "acquire/LocalArchiveSource.h"
#include "support/CliSupport.h"

#include <sys/stat.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

class CliBase : public CliTest {
protected:
    CliOutput base(const QStringList& rest) const { return cli(QStringList{QStringLiteral("build-base")} + rest); }
};

TEST_F(CliBase, ZipAndCsvArchivesBuildBothHistories)
{
    const QStringList all = makeHistory(40, QDate(2020, 6, 1));
    writeFile(dataFile("keno_2020.zip"),
              *LocalArchiveSource::zipOneFile(QStringLiteral("keno_2020.csv"), operatorCsv(all.mid(0, 25)), nullptr));
    writeFile(dataFile("recent.csv"), operatorCsv(all.mid(20)));

    const CliOutput r = base({dataFile("recent.csv"), dataFile("keno_2020.zip")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(dataFile("Tirages_keno.txt")), crlf(all));
    EXPECT_TRUE(r.outLines().contains(QStringLiteral("Tirages en double : 5"))) << r.out.toStdString();
    EXPECT_TRUE(contains(r.err, QStringLiteral("Historique construit : 40 tirages écrits")));
    // Nothing is said about the working history that did not exist yet.
    EXPECT_FALSE(contains(r.err, QStringLiteral("complete")));
}

TEST_F(CliBase, AnExistingHistoryIsReplacedOnlyWithReplace)
{
    const QStringList old = makeHistory(6, QDate(2021, 1, 1), 4), fresh = makeHistory(10, QDate(2022, 2, 1), 5);
    writeFile(dataFile("Tirages.txt"), crlf(old));
    writeFile(dataFile("a.csv"), operatorCsv(fresh));

    const CliOutput refused = base({dataFile("a.csv")});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(contains(refused.err, QStringLiteral("existe déjà : ajoutez --replace pour le remplacer")));
    EXPECT_EQ(readFile(dataFile("Tirages.txt")), crlf(old));
    EXPECT_FALSE(QFile::exists(dataFile("Tirages_keno.txt")));

    const CliOutput replaced = base({dataFile("a.csv"), QStringLiteral("--replace")});
    ASSERT_EQ(replaced.code, 0) << replaced.err.toStdString();
    EXPECT_EQ(readFile(dataFile("Tirages_keno.txt")), crlf(old + fresh));
    EXPECT_FALSE(contains(replaced.err, QStringLiteral("fenêtre")));
}

TEST_F(CliBase, ARebuildKeepsTheDrawsOnlyTheBaseHistoryHolds)
{
    // The base holds 19/10/2020, the archive starts on the 20th, the working history lacks it.
    const QStringList all = makeHistory(20, QDate(2020, 10, 15));
    ASSERT_TRUE(all[8].startsWith(QLatin1String("19/10/2020")) && all[10].startsWith(QLatin1String("20/10/2020")));
    writeFile(dataFile("Tirages.txt"), crlf(all.mid(0, 10)));
    writeHistory(all.mid(0, 8));
    writeFile(dataFile("keno_202010.csv"), operatorCsv(all.mid(10)));

    const CliOutput r = base({dataFile("keno_202010.csv"), QStringLiteral("--replace")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(working()), crlf(all));
    EXPECT_EQ(readFile(dataFile("Tirages.txt")), crlf(all.mid(0, 10)));
    const QStringList lines = r.outLines();
    const qsizetype told
        = lines.indexOf(QStringLiteral("Tirages gardés de Tirages.txt, absents des archives et de l'historique de travail : 2"));
    ASSERT_GE(told, 0) << r.out.toStdString();
    EXPECT_EQ(lines.mid(told + 1, 2), QStringList({QStringLiteral("  19/10/2020 midi"), QStringLiteral("  19/10/2020 soir")}));

    // Where the working history corrected a draw of the base, its numbers stand.
    QStringList corrected = all;
    corrected[3] = drawLine(all[3].left(10), numberRange(51, 70), " soir");
    writeFile(dataFile("Tirages.txt"), crlf(all.mid(0, 10)));
    writeHistory(corrected.mid(0, 8));
    ASSERT_EQ(base({dataFile("keno_202010.csv"), QStringLiteral("--replace")}).code, 0);
    EXPECT_EQ(readFile(working()), crlf(corrected));
}

TEST_F(CliBase, ARootRunLeavesWhatItWritesToTheFoldersOwner)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only a run as root can give files away";
    constexpr uid_t kPlayer = 4321;
    constexpr gid_t kGroup = 4322;
    const auto owner = [](const QString& path) {
        struct stat info { };
        return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? std::pair(info.st_uid, info.st_gid)
                                                                        : std::pair(uid_t(-1), gid_t(-1));
    };
    ASSERT_EQ(::chown(QFile::encodeName(m_data.path()).constData(), kPlayer, kGroup), 0);
    const QStringList all = makeHistory(20, QDate(2020, 10, 15));
    writeFile(dataFile("x.csv"), operatorCsv(all.mid(0, 6)));
    writeFile(dataFile("a.csv"), operatorCsv(all.mid(6, 6)));
    writeFile(dataFile("b.csv"), operatorCsv(all.mid(6)));

    // New files, then a file replaced and the archive downloaded.
    ASSERT_EQ(base({dataFile("x.csv"), dataFile("a.csv")}).code, 0);
    EXPECT_EQ(owner(dataFile("Tirages.txt")), std::pair(kPlayer, kGroup));
    EXPECT_EQ(owner(working()), std::pair(kPlayer, kGroup));
    const CliOutput imported = cli({QStringLiteral("import"), dataFile("b.csv")});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_EQ(readFile(working()), crlf(all));
    for (const char* name : {"keno_gagnant_a_vie.zip", "Tirages_keno.txt", "Tirages.txt"})
        EXPECT_EQ(owner(dataFile(name)), std::pair(kPlayer, kGroup)) << name;
}

TEST_F(CliBase, DisagreeingMissingOrNoArchivesWriteNothing)
{
    const QStringList all = makeHistory(8, QDate(2020, 3, 1));
    QStringList other = all;
    other[5] = makeHistory(8, QDate(2020, 3, 1), 99)[5]; // the same draw with other numbers
    ASSERT_NE(other[5], all[5]);
    writeFile(dataFile("un.csv"), operatorCsv(all));
    writeFile(dataFile("deux.csv"), operatorCsv(other));

    const CliOutput conflict = base({dataFile("un.csv"), dataFile("deux.csv")});
    EXPECT_EQ(conflict.code, 1);
    // The summary is printed whatever the outcome.
    EXPECT_TRUE(conflict.outLines().contains(QStringLiteral("Tirages en désaccord : 1"))) << conflict.out.toStdString();
    EXPECT_TRUE(contains(conflict.err,
                         QStringLiteral("tiravol-cli : Des archives ne donnent pas les mêmes numéros pour un "
                                        "même tirage : rien n'a été écrit.")));
    const CliOutput missing = base({dataFile("un.csv"), dataFile("absent.zip")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(contains(missing.err, QStringLiteral("absent.zip » est introuvable")));
    EXPECT_FALSE(QFile::exists(dataFile("Tirages.txt")));
    EXPECT_FALSE(QFile::exists(dataFile("Tirages_keno.txt")));

    const CliOutput none = base({});
    EXPECT_EQ(none.code, 2);
    EXPECT_TRUE(contains(none.err, QStringLiteral("build-base : 1 à 100 arguments attendus, 0 donné\n")));
}

} // namespace

// A rebuild from archives without multipliers keeps those beside the history of its draws, and
// drops one no draw holds; the next save keeps them.
TEST_F(CliBase, ARebuildKeepsTheMultipliersOfItsDraws)
{
    const QStringList old = makeHistory(6, QDate(2021, 1, 1), 4), fresh = makeHistory(10, QDate(2022, 2, 1), 5);
    writeFile(dataFile("Tirages.txt"), crlf(old));
    writeFile(dataFile("Tirages_keno.txt"), crlf(old));
    const QByteArray kept = "01/01/2021 midi x4\r\n02/01/2021 soir x10\r\n05/05/2021 midi x2\r\n";
    writeFile(dataFile("Multiplicateurs_keno.txt"), kept);
    writeFile(dataFile("a.csv"), operatorCsv(fresh));

    const CliOutput replaced = base({dataFile("a.csv"), QStringLiteral("--replace")});
    ASSERT_EQ(replaced.code, 0) << replaced.err.toStdString();
    EXPECT_EQ(readFile(dataFile("Tirages_keno.txt")), crlf(old + fresh));
    EXPECT_EQ(readFile(dataFile("Multiplicateurs_keno.txt")), QByteArray("01/01/2021 midi x4\r\n02/01/2021 soir x10\r\n"));

    const CliOutput added = cli({QStringLiteral("add"), QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20")});
    ASSERT_EQ(added.code, 0) << added.err.toStdString();
    EXPECT_EQ(readFile(dataFile("Multiplicateurs_keno.txt")), QByteArray("01/01/2021 midi x4\r\n02/01/2021 soir x10\r\n"));
}
