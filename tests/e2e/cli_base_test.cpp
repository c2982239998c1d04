// tiravol-cli build-base: the two history files built from several archives, and the refusals.
#include "acquire/LocalArchiveSource.h"
#include "cli/CliApp.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

struct Result {
    int status;
    QString out, err;
};

Result cli(const QStringList& args)
{
    Result r{};
    QTextStream out(&r.out), err(&r.err);
    r.status = runCli(args, out, err);
    return r;
}

QByteArray crlf(const QStringList& lines)
{
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

class CliBase : public ::testing::Test {
protected:
    void SetUp() override { qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config")))); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QStringList base(const QStringList& rest) const
    {
        return QStringList({QStringLiteral("--data-dir"), m_dir.path(), QStringLiteral("build-base")}) + rest;
    }
    QTemporaryDir m_dir;
};

TEST_F(CliBase, ZipAndCsvArchivesGiveEveryDrawOnceInDateOrder)
{
    const QStringList all = makeHistory(40, QDate(2020, 6, 1));
    const auto zip = LocalArchiveSource::zipOneFile(QStringLiteral("keno_2020.csv"), operatorCsv(all.mid(0, 25)), nullptr);
    ASSERT_TRUE(zip);
    writeFile(path("keno_2020.zip"), *zip);
    writeFile(path("recent.csv"), operatorCsv(all.mid(20)));

    // The newer archive first: the order of the arguments does not decide the order of the draws.
    const Result r = cli(base({path("recent.csv"), path("keno_2020.zip")}));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    // The base stops where the newest archive begins: a download appends that archive after it.
    EXPECT_EQ(readFile(path("Tirages.txt")), crlf(all.mid(0, 20)));
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), crlf(all));
    const QStringList out = r.out.split(QLatin1Char('\n'));
    EXPECT_TRUE(out.contains(QStringLiteral("Historique de base (Tirages.txt) : 20 tirages, ceux d'avant l'archive la plus "
                                            "récente, recent.csv, que le téléchargement ajoute à sa suite")))
        << r.out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Tirages retenus : 40"))) << r.out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Tirages en double : 5"))) << r.out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Premier tirage : 01/06/2020 midi"))) << r.out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Dernier tirage : 20/06/2020 soir"))) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("Historique construit : 40 tirages écrits"))) << r.err.toStdString();
    // Nothing is said about the history that did not exist yet.
    EXPECT_FALSE(r.err.contains(QStringLiteral("complete"))) << r.err.toStdString();

    // A download of the newest archive afterwards appends it after the base: each draw once, so
    // the list is no longer than the working history, which stays as built.
    const Result imported = cli({QStringLiteral("--data-dir"), m_dir.path(), QStringLiteral("import"), path("recent.csv")});
    EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), crlf(all));

    // The working history the command built is the one the reports read.
    const Result report = cli({QStringLiteral("--data-dir"), m_dir.path(), QStringLiteral("sorties")});
    EXPECT_EQ(report.status, 0) << report.err.toStdString();
    EXPECT_TRUE(report.out.startsWith(QStringLiteral("Classement par sorties au 20/06/2020"))) << report.out.toStdString();
}

TEST_F(CliBase, AnExistingHistoryIsReplacedOnlyWithReplace)
{
    const QStringList old = makeHistory(6, QDate(2021, 1, 1), 4);
    writeFile(path("Tirages.txt"), crlf(old));
    const QStringList fresh = makeHistory(10, QDate(2022, 2, 1), 5);
    writeFile(path("a.csv"), operatorCsv(fresh));

    const Result refused = cli(base({path("a.csv")}));
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("existe déjà : ajoutez --replace pour le remplacer")))
        << refused.err.toStdString();
    EXPECT_EQ(readFile(path("Tirages.txt")), crlf(old));
    EXPECT_FALSE(QFile::exists(path("Tirages_keno.txt")));

    // Replaced, the draws the archives lack are kept, older than the archive: in both files.
    const Result replaced = cli(base({path("a.csv"), QStringLiteral("--replace")}));
    ASSERT_EQ(replaced.status, 0) << replaced.err.toStdString();
    EXPECT_EQ(readFile(path("Tirages.txt")), crlf(old));
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), crlf(old + fresh));
    EXPECT_TRUE(replaced.out.contains(QStringLiteral("\nTirages gardés de Tirages.txt, absents des archives : 6\n")))
        << replaced.out.toStdString();
    EXPECT_FALSE(replaced.err.contains(QStringLiteral("fenêtre"))) << replaced.err.toStdString();
}

TEST_F(CliBase, DisagreeingMissingOrNoArchivesWriteNothing)
{
    const QStringList all = makeHistory(8, QDate(2020, 3, 1));
    QStringList other = all;
    QString& changed = other[5];
    // One number changed, the line still ascending: the largest becomes 70, or the smallest 01.
    if (changed.mid(68, 2) != QLatin1String("70"))
        changed.replace(68, 2, QStringLiteral("70"));
    else
        changed.replace(11, 2, QStringLiteral("01"));
    ASSERT_NE(changed, all[5]);
    writeFile(path("un.csv"), operatorCsv(all));
    writeFile(path("deux.csv"), operatorCsv(other));

    const Result conflict = cli(base({path("un.csv"), path("deux.csv")}));
    EXPECT_EQ(conflict.status, 1);
    EXPECT_TRUE(conflict.out.contains(QStringLiteral("Tirages en désaccord : 1"))) << conflict.out.toStdString();
    EXPECT_TRUE(conflict.err.contains(QStringLiteral("tiravol-cli : Des archives ne donnent pas les mêmes numéros pour un "
                                                     "même tirage : rien n'a été écrit.")))
        << conflict.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("Tirages.txt")));
    EXPECT_FALSE(QFile::exists(path("Tirages_keno.txt")));

    const Result missing = cli(base({path("un.csv"), path("absent.zip")}));
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("absent.zip » est introuvable"))) << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("Tirages.txt")));

    const Result none = cli(base({}));
    EXPECT_EQ(none.status, 2);
    EXPECT_TRUE(none.err.contains(QStringLiteral("build-base ARCHIVE..."))) << none.err.toStdString();
}

} // namespace
