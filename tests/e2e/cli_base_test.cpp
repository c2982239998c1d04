// tiravol-cli build-base: the archives given, --replace answering the question, the summary on the
// standard output and the outcome on the error output (the building itself is the Workspace's).
#include "acquire/LocalArchiveSource.h"
#include "support/CliSupport.h"

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
