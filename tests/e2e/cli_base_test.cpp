// tiravol-cli build-base: the two history files built from several archives, and the refusals.
#include "acquire/LocalArchiveSource.h"
#include "support/CliSupport.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

class CliBase : public CliTest {
protected:
    CliOutput base(const QStringList& rest) const { return cli(QStringList{QStringLiteral("build-base")} + rest); }
};

TEST_F(CliBase, ZipAndCsvArchivesGiveEveryDrawOnceInDateOrder)
{
    const QStringList all = makeHistory(40, QDate(2020, 6, 1));
    const auto zip = LocalArchiveSource::zipOneFile(QStringLiteral("keno_2020.csv"), operatorCsv(all.mid(0, 25)), nullptr);
    ASSERT_TRUE(zip);
    writeFile(dataFile("keno_2020.zip"), *zip);
    writeFile(dataFile("recent.csv"), operatorCsv(all.mid(20)));

    // The newer archive first: the order of the arguments does not decide the order of the draws.
    const CliOutput r = base({dataFile("recent.csv"), dataFile("keno_2020.zip")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    // The base stops where the newest archive begins: a download appends that archive after it.
    EXPECT_EQ(readFile(dataFile("Tirages.txt")), crlf(all.mid(0, 20)));
    EXPECT_EQ(readFile(dataFile("Tirages_keno.txt")), crlf(all));
    // The summary's figures are the builder's own; here they reach the standard output, the outcome the errors.
    EXPECT_TRUE(r.outLines().contains(QStringLiteral("Historique de base (Tirages.txt) : 20 tirages, ceux d'avant l'archive la "
                                                     "plus récente, recent.csv, que le téléchargement ajoute à sa suite")))
        << r.out.toStdString();
    EXPECT_TRUE(r.outLines().contains(QStringLiteral("Tirages en double : 5"))) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("Historique construit : 40 tirages écrits"))) << r.err.toStdString();
    // Nothing is said about the history that did not exist yet.
    EXPECT_FALSE(r.err.contains(QStringLiteral("complete"))) << r.err.toStdString();
    // The working history the command built is the one the reports read.
    EXPECT_TRUE(cli("sorties").out.startsWith(QStringLiteral("Classement par sorties au 20/06/2020")));
}

TEST_F(CliBase, AnExistingHistoryIsReplacedOnlyWithReplace)
{
    const QStringList old = makeHistory(6, QDate(2021, 1, 1), 4);
    writeFile(dataFile("Tirages.txt"), crlf(old));
    const QStringList fresh = makeHistory(10, QDate(2022, 2, 1), 5);
    writeFile(dataFile("a.csv"), operatorCsv(fresh));

    const CliOutput refused = base({dataFile("a.csv")});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("existe déjà : ajoutez --replace pour le remplacer")))
        << refused.err.toStdString();
    EXPECT_EQ(readFile(dataFile("Tirages.txt")), crlf(old));
    EXPECT_FALSE(QFile::exists(dataFile("Tirages_keno.txt")));

    // Replaced, the draws the archives lack are kept, older than the archive: in both files.
    const CliOutput replaced = base({dataFile("a.csv"), QStringLiteral("--replace")});
    ASSERT_EQ(replaced.code, 0) << replaced.err.toStdString();
    EXPECT_EQ(readFile(dataFile("Tirages.txt")), crlf(old));
    EXPECT_EQ(readFile(dataFile("Tirages_keno.txt")), crlf(old + fresh));
    EXPECT_TRUE(replaced.out.contains(QStringLiteral("\nTirages gardés de Tirages.txt, absents des archives : 6\n")))
        << replaced.out.toStdString();
    EXPECT_FALSE(replaced.err.contains(QStringLiteral("fenêtre"))) << replaced.err.toStdString();
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
    EXPECT_TRUE(conflict.out.contains(QStringLiteral("Tirages en désaccord : 1"))) << conflict.out.toStdString();
    EXPECT_TRUE(conflict.err.contains(QStringLiteral("tiravol-cli : Des archives ne donnent pas les mêmes numéros pour un "
                                                     "même tirage : rien n'a été écrit.")))
        << conflict.err.toStdString();
    EXPECT_FALSE(QFile::exists(dataFile("Tirages.txt")));
    EXPECT_FALSE(QFile::exists(dataFile("Tirages_keno.txt")));

    const CliOutput missing = base({dataFile("un.csv"), dataFile("absent.zip")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("absent.zip » est introuvable"))) << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(dataFile("Tirages.txt")));

    const CliOutput none = base({});
    EXPECT_EQ(none.code, 2);
    EXPECT_TRUE(none.err.contains(QStringLiteral("build-base ARCHIVE..."))) << none.err.toStdString();
}

} // namespace
