// SPDX-License-Identifier: GPL-3.0-or-later
// tiravol-cli add and import, end to end (download, stopped, in cli_main_test): the working history on disk, byte for byte.
#include "support/CliSupport.h"
#include "support/GameArchive.h"

#include <QDir>
#include <QRegularExpression>

using namespace TestSupport;

namespace {

class CliAcquire : public CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        writeFile(dataFile("Tirages.txt"), crlf(m_all.mid(0, 10)));
    }
    // "import FILE" of the data folder.
    CliOutput import(const char* name) const { return cli({QStringLiteral("import"), dataFile(name)}); }

    const QStringList m_all = makeHistory(30, QDate(2020, 1, 1));
    const QByteArray m_csv = operatorCsv(m_all.mid(10), true, true);
};

TEST_F(CliAcquire, OnlyThisArchivesCsvIsReadAndNothingExtractedStays)
{
    // An earlier import's CSV in the folder, and this archive's in a sub-folder beside members
    // named like the histories (in any case) and through a link.
    writeFile(dataFile("keno_gagnant_a_vie.csv"), operatorCsv(makeHistory(30, QDate(2021, 1, 1), 3)));
    QDir(m_data.path()).mkpath(QStringLiteral("sub"));
    ASSERT_TRUE(QFile::link(m_data.path(), dataFile("sub/back")));
    QList<std::pair<QByteArray, QByteArray>> members = {{"export/keno_gagnant_a_vie.csv", m_csv}};
    for (const char* name : {"Tirages_keno.txt", "TIRAGES.TXT", "sub/back/Tirages_keno.txt"})
        members.append({QByteArray(name), QByteArray("pas un historique\r\n")});
    writeZip(dataFile("archive.zip"), members);
    const QByteArray stale = readFile(dataFile("keno_gagnant_a_vie.csv"));

    const CliOutput r = import("archive.zip");
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(working()), crlf(m_all));
    EXPECT_EQ(readFile(dataFile("Tirages.txt")), crlf(m_all.mid(0, 10)));
    EXPECT_TRUE(startsWith(r.out, QStringLiteral("Classement par sorties au ") + m_all.last().left(10) + u'\n'));
    EXPECT_TRUE(contains(r.err, QStringLiteral("Import de l'archive : 20 tirages importés, aucune ligne ignorée.\n")));
    EXPECT_FALSE(contains(r.err, QStringLiteral("introuvable"))); // no working history yet: nothing to say
    EXPECT_FALSE(QFileInfo::exists(m_home.filePath(QStringLiteral("config/Varn/tiravol.ini"))));
    // What the import extracted is gone; what it did not bring is left as it was.
    const auto holds = [](const QString& folder) {
        QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        names.sort();
        return names;
    };
    EXPECT_EQ(
        holds(m_data.path()),
        QStringList({QStringLiteral("Tirages.txt"), QStringLiteral("Tirages_keno.txt"), QStringLiteral("archive.zip"),
                     QStringLiteral("keno_gagnant_a_vie.csv"), QStringLiteral("keno_gagnant_a_vie.zip"), QStringLiteral("sub")}));
    EXPECT_EQ(holds(dataFile("sub")), QStringList{QStringLiteral("back")});
    EXPECT_EQ(readFile(dataFile("keno_gagnant_a_vie.csv")), stale);

    // An archive without the draws never falls back on that CSV.
    writeZip(dataFile("empty.zip"), {{"lisezmoi.txt", "rien"}});
    const CliOutput none = import("empty.zip");
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(contains(none.err, QStringLiteral("L'archive n'apporte aucun fichier CSV de tirages.")));
    EXPECT_EQ(readFile(working()), crlf(m_all));
}

TEST_F(CliAcquire, AnImportAppendsOnlyNewDrawsInOrderAndNamesWhatItRefuses)
{
    const QString future = drawWith(QDate::currentDate().addYears(1), false, {1}, 2);
    const QString contradicting = drawLine(m_all[9].left(10), numberRange(51, 70), " soir");
    const QString old = drawFrom("15/06/1995", 5);
    ASSERT_TRUE(m_all[9].endsWith(QLatin1String("soir")) && m_all[9] != contradicting);
    // Oldest first; the file lists them newest first, so row i is on line 28 - i.
    const QStringList rows = m_all.mid(6, 9) + QStringList{contradicting} + m_all.mid(15, 5) + QStringList{old} + m_all.mid(20)
        + QStringList{future};
    ASSERT_EQ(rows.size(), 27);
    writeFile(dataFile("overlap.csv"), operatorCsv(rows, true, true));

    const CliOutput r = import("overlap.csv");
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(working()), crlf(m_all));
    const auto named = [](int line, const QString& draw, const char* why) {
        return QStringLiteral("ligne %1 : %2 %3, %4").arg(line).arg(draw.left(10), draw.right(4), QString::fromUtf8(why));
    };
    EXPECT_TRUE(
        contains(r.err,
                 QStringList({QStringLiteral("Import de l'archive : 20 tirages importés, aucune ligne ignorée, 4 déjà dans "
                                             "l'historique, 3 tirages refusés (1 postérieur à aujourd'hui, 1 en désaccord avec "
                                             "l'historique ou l'archive, 1 hors de l'ordre des dates)."),
                              named(2, future, "tirage postérieur à aujourd'hui"),
                              named(13, old, "absent de l'historique et antérieur à son dernier tirage"),
                              named(19, contradicting, "l'historique donne ce tirage avec d'autres numéros")})
                     .join(QLatin1Char('\n'))));

    // What is kept reports exactly as an archive holding only the new draws.
    QTemporaryDir clean;
    writeFile(clean.filePath(QStringLiteral("Tirages.txt")), crlf(m_all.mid(0, 10)));
    writeFile(clean.filePath(QStringLiteral("new.csv")), operatorCsv(m_all.mid(10), true, true));
    const CliOutput plain = TestSupport::cli(
        {QStringLiteral("--data-dir"), clean.path(), QStringLiteral("import"), clean.filePath(QStringLiteral("new.csv"))});
    ASSERT_EQ(plain.code, 0) << plain.err.toStdString();
    EXPECT_EQ(r.out, plain.out);
}

TEST_F(CliAcquire, FailuresExitOneAndNeverShortenTheWorkingHistory)
{
    writeFile(working(), crlf(m_all));
    const CliOutput missing = import("absent.zip");
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, QString());

    // A damaged ZIP: no CSV to read, the base history alone is shorter than the file.
    writeFile(dataFile("broken.zip"), QByteArray("PK\x03\x04 not really an archive"));
    const CliOutput broken = import("broken.zip");
    EXPECT_EQ(broken.code, 1);
    // Every message whole on its own line, and the failure said once at the end.
    const QStringList lines = broken.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.filter(QStringLiteral(" ; ")), QStringList());
    EXPECT_EQ(
        lines.filter(QRegularExpression(QStringLiteral("^Ce fichier n'est pas une archive ZIP : .*keno_gagnant_a_vie\\.zip$")))
            .size(),
        1);
    EXPECT_EQ(lines.filter(QStringLiteral("keno_gagnant_a_vie.zip")).size(), 1);
    EXPECT_EQ(lines.value(lines.size() - 1), QStringLiteral("tiravol-cli : l'import a échoué"));

    // A longer archive that lacks one draw of the working history: refused (the Workspace says why), and said by the status.
    QStringList gapped = m_all.mid(10);
    gapped.removeAt(5);
    gapped << makeHistory(34, QDate(2020, 1, 1)).mid(30);
    writeFile(dataFile("gapped.csv"), operatorCsv(gapped, true, true));
    const CliOutput refused = import("gapped.csv");
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(contains(refused.err, QStringLiteral("tiravol-cli : l'historique de travail n'a pas été remplacé")));
    EXPECT_EQ(readFile(working()), crlf(m_all));
}

TEST_F(CliAcquire, AddWritesTheNextDrawOrExitsOneOnAFullDisk)
{
    QStringList history = makeHistory(3, QDate(2024, 12, 30));
    writeHistory(history);
    const CliOutput r = cli({QStringLiteral("add"), QStringLiteral("70,3,45,12,1,69,20,33,8,50,61,27,14,39,5,58,66,22,41,10")});
    EXPECT_EQ(r.code, 0);
    history << QStringLiteral("31/12/2024 01 03 05 08 10 12 14 20 22 27 33 39 41 45 50 58 61 66 69 70 soir");
    EXPECT_EQ(readFile(working()), crlf(history));
    EXPECT_TRUE(startsWith(r.out, QStringLiteral("Classement par sorties au 31/12/2024\n")));

    CliOutput full;
    {
        const FileSizeLimit limit(readFile(working()).size());
        full = cli({QStringLiteral("add"), QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20")});
    }
    EXPECT_EQ(full.code, 1);
    EXPECT_TRUE(
        contains(full.err, QStringLiteral("Tirages_keno.txt » n'a pas été enregistré ; l'ancien fichier est gardé tel quel")));
    EXPECT_FALSE(contains(full.err, QStringLiteral("fenêtre")));
    EXPECT_EQ(readFile(working()), crlf(history));
}

TEST_F(CliAcquire, AnAddRefusedExitsOneWithTheWindowsWordsAndWritesNothing)
{
    const QStringList history = makeHistory(3, QDate(2024, 12, 30)) << QStringLiteral("tirage illisible");
    writeHistory(history);
    const CliOutput r = cli({QStringLiteral("add"), QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20")});
    EXPECT_EQ(r.code, 1);
    // Told as the window's box says it, after the load's notice of the unreadable line.
    EXPECT_TRUE(endsWith(r.err,
                         QStringLiteral("\nLe tirage précédent (ligne 4) ne commence pas par une date valide : le "
                                        "tirage n'a pas été enregistré.\n")))
        << r.err.toStdString();
    EXPECT_TRUE(startsWith(r.err, QStringLiteral("1 ligne de « Tirages_keno.txt » n'est pas un tirage valide")));
    EXPECT_FALSE(contains(r.err, QStringLiteral("tiravol-cli : ")));
    EXPECT_EQ(r.out, QString()); // no report after a refusal
    EXPECT_EQ(readFile(working()), crlf(history));
}

} // namespace

// --jeu 16-56: the new game's archive goes to its own history; the classic archive is refused in
// one sentence, and an archive that brings nothing, not even a missing multiplier, is a failure
// that says why.
TEST_F(CliAcquire, TheNewGameImportsItsOwnArchiveOnly)
{
    const std::vector<GameArchive::Draw> draws = GameArchive::draws(6, QDate(2025, 11, 3));
    const QStringList lines = GameArchive::lines(draws);
    for (const char* name : {"Tirages_keno_16-56.txt", "Tirages_16-56.txt"})
        writeFile(dataFile(name), crlf(lines.mid(0, 4)));
    writeZip(dataFile("nouveau.zip"), {{"keno_202511.csv", GameArchive::csv(draws)}});
    const QStringList args = {QStringLiteral("--jeu"), QStringLiteral("16-56"), QStringLiteral("import")};
    const CliOutput r = cli(args + QStringList{dataFile("nouveau.zip")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(dataFile("Tirages_keno_16-56.txt")), crlf(lines));
    // The classic game's files are not touched.
    EXPECT_EQ(readFile(dataFile("Tirages.txt")), crlf(m_all.mid(0, 10)));
    EXPECT_FALSE(QFileInfo::exists(working()));

    writeFile(dataFile("Tirages_16-56.txt"), crlf(lines));
    // Draws all known, but kept without their multipliers: the archive gives them, and says so.
    ASSERT_TRUE(QFile::remove(dataFile("Multiplicateurs_16-56.txt")));
    const CliOutput filled = cli(args + QStringList{dataFile("nouveau.zip")});
    EXPECT_EQ(filled.code, 0) << filled.err.toStdString();
    EXPECT_TRUE(contains(filled.err, QStringLiteral("6 multiplicateurs repris pour des tirages qui n'en avaient pas")))
        << filled.err.toStdString();
    EXPECT_EQ(readFile(dataFile("Multiplicateurs_16-56.txt")).count(" soir x"), 6);
    EXPECT_EQ(readFile(dataFile("Tirages_keno_16-56.txt")), crlf(lines));

    const CliOutput none = cli(args + QStringList{dataFile("nouveau.zip")});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err,
              QStringLiteral("L'archive n'apporte aucun tirage nouveau (6 tirages déjà dans l'historique).\n"
                             "tiravol-cli : l'import a échoué\n"));

    writeZip(dataFile("ancien.zip"), {{"keno_202010.csv", m_csv}});
    const CliOutput other = cli(args + QStringList{dataFile("ancien.zip")});
    EXPECT_EQ(other.code, 1);
    EXPECT_EQ(other.err,
              QStringLiteral("Cette archive est celle du Keno 20 sur 70 ; l'historique ouvert est celui du Keno 16 sur "
                             "56.\ntiravol-cli : l'import a échoué\n"));
    EXPECT_EQ(readFile(dataFile("Tirages_keno_16-56.txt")), crlf(lines));
}

namespace {

// The classic archive with a multiplier column: `multipliers` row by row, oldest first ("" = none).
QByteArray withMultipliers(const QStringList& draws, const QList<QByteArray>& multipliers)
{
    QList<QByteArray> rows = operatorCsv(draws).split('\n');
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows[i].isEmpty())
            continue;
        rows[i].chop(1); // "\r"
        // Written newest first, after the header.
        rows[i] += i == 0 ? QByteArray(";multiplicateur") : ';' + multipliers.value(draws.size() - i);
        rows[i] += '\r';
    }
    return rows.join('\n');
}

} // namespace

// The multiplier typed with a draw and those of every archive imported, for both games, are kept
// beside the histories.
TEST_F(CliAcquire, AddAndImportKeepEachDrawsMultiplierBesideTheHistory)
{
    QStringList history = makeHistory(3, QDate(2024, 12, 30));
    writeHistory(history, true);
    const QString numbers = QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20");
    const CliOutput wrong = cli({QStringLiteral("add"), numbers, QStringLiteral("--multiplicateur"), QStringLiteral("11")});
    EXPECT_EQ(wrong.code, 2);
    EXPECT_TRUE(contains(wrong.err, QStringLiteral("--multiplicateur : le multiplicateur va de 1 à 10")))
        << wrong.err.toStdString();
    EXPECT_EQ(readFile(working()), crlf(history));
    const CliOutput r = cli({QStringLiteral("add"), numbers, QStringLiteral("--multiplicateur"), QStringLiteral("5")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(dataFile("Multiplicateurs_keno.txt")), QByteArray("31/12/2024 soir x5\r\n"));

    // The next draws from an archive that gives the multiplier of all but one: those of the draws
    // already kept fill the file too.
    const QStringList more = makeHistory(8, QDate(2024, 12, 30)).mid(4);
    history << QStringLiteral("31/12/2024 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 soir");
    ASSERT_EQ(readFile(working()), crlf(history));
    writeFile(dataFile("suite.csv"), withMultipliers(history + more, {"1", "1", "2", "5", "3", "", "10", "2"}));
    const CliOutput imported = import("suite.csv");
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_EQ(readFile(dataFile("Multiplicateurs_keno.txt")),
              QByteArray("30/12/2024 midi x1\r\n30/12/2024 soir x1\r\n31/12/2024 midi x2\r\n31/12/2024 soir x5\r\n"
                         "01/01/2025 midi x3\r\n02/01/2025 midi x10\r\n02/01/2025 soir x2\r\n"));

    // The new game's archive fills its own file.
    const std::vector<GameArchive::Draw> draws = GameArchive::draws(4, QDate(2025, 11, 3));
    for (const char* name : {"Tirages_keno_16-56.txt", "Tirages_16-56.txt"})
        writeFile(dataFile(name), crlf(GameArchive::lines(draws).mid(0, 2)));
    writeZip(dataFile("nouveau.zip"), {{"keno_202511.csv", GameArchive::csv(draws)}});
    const CliOutput current
        = cli({QStringLiteral("--jeu"), QStringLiteral("16-56"), QStringLiteral("import"), dataFile("nouveau.zip")});
    ASSERT_EQ(current.code, 0) << current.err.toStdString();
    EXPECT_EQ(readFile(dataFile("Multiplicateurs_16-56.txt")),
              QByteArray("03/11/2025 soir x3\r\n04/11/2025 soir x2\r\n05/11/2025 soir x2\r\n06/11/2025 soir x3\r\n"));
    EXPECT_EQ(readFile(dataFile("Multiplicateurs_keno.txt")).count('\n'), 7);
}
