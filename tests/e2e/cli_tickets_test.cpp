// SPDX-License-Identifier: GPL-3.0-or-later
// tiravol-cli grilles: a ticket added, its draws listed with what they cost and won, and the
// announcement of its wins when add brings a draw in.
#include "history/DrawLine.h"
#include "support/CliSupport.h"
#include "support/LocalHttpServer.h"

#include <QByteArrayList>
#include <algorithm>

using namespace TestSupport;

namespace {

// A 16-of-56 evening draw holding `wanted`, filled from 41 upwards.
QString currentDraw(const char* date, QList<int> wanted)
{
    for (int n = 41; wanted.size() < Formula::current().drawn; ++n)
        wanted << n;
    return drawLine(QString::fromLatin1(date), wanted, " soir");
}

class CliTickets : public CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        const QStringList draws{currentDraw("10/11/2025", {1, 2, 3, 4, 5}), currentDraw("11/11/2025", {1, 2, 3, 4, 5, 6}),
                                currentDraw("12/11/2025", {1, 2})};
        writeFile(dataFile("Tirages_keno_16-56.txt"), crlf(draws));
        writeFile(dataFile("Tirages_16-56.txt"), crlf(draws));
    }
    // A classic ticket of the first five numbers of `draw` (5 of 5 pays 100 € for 1 €), played
    // since 01/01/2020: the exit status of its addition.
    int addFirstFive(const char* name, const QString& draw) const
    {
        QStringList five;
        for (int k = 1; k <= 5; ++k)
            five << QString::number(DrawLine::number(draw, k));
        return cli(QStringList{QStringLiteral("grilles"), QStringLiteral("--ajouter"), QString::fromUtf8(name),
                               QStringLiteral("--numbers"), five.join(u','), QStringLiteral("--from"),
                               QStringLiteral("01/01/2020")})
            .code;
    }
    // The classic history of 30 draws from 01/01/2020: its first 10 on disk, the others in the
    // archive returned.
    QStringList classicWithArchive(const QString& archive) const
    {
        const QStringList all = makeHistory(30, QDate(2020, 1, 1));
        writeHistory(all.mid(0, 10), true);
        writeFile(archive, operatorCsv(all.mid(10)));
        return all;
    }
};

} // namespace

TEST_F(CliTickets, AddsATicketListsItsDrawsAndAnnouncesItsWins)
{
    const CliOutput added = cli("--jeu 16-56 grilles --ajouter Paul --numbers 7,6,5,4,3,2,1 --mise 2 --from 11/11/2025");
    ASSERT_EQ(added.code, 0) << added.err.toStdString();
    EXPECT_EQ(added.err, QStringLiteral("La grille « Paul » est enregistrée.\n"));
    EXPECT_TRUE(readFile(dataFile("Grilles.txt")).contains("\nPaul;16-56;1,2,3,4,5,6,7;2;;11/11/2025;\n"));
    const QStringList expected = utf8Lines({
        "Grille « Paul » : 1 2 3 4 5 6 7 (7 numéros), 2 €, Keno 16/56, depuis le 11/11/2025, toujours jouée",
        "  11/11/2025 : 6 sur 7, mise 2 €, gain 180 €",
        "  12/11/2025 : 2 sur 7, mise 2 €, gain inconnu",
        "  Total : 2 tirages joués, mise 4 €, gains 180 €, solde 176 € ; 1 gains inconnus de la table des gains, non comptés",
    });
    for (const QString& line : expected)
        EXPECT_TRUE(added.outLines().contains(line)) << line.toStdString() << "\n" << added.out.toStdString();

    // The report alone prints the same lines.
    const CliOutput listed = cli("--jeu 16-56 grilles");
    ASSERT_EQ(listed.code, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.out, added.out);

    // The next draw holds the seven numbers: 3 000 € for 1 €, 6 000 € for 2 €.
    const CliOutput next = cli("--jeu 16-56 add 1,2,3,4,5,6,7,41,42,43,44,45,46,47,48,49");
    ASSERT_EQ(next.code, 0) << next.err.toStdString();
    EXPECT_TRUE(contains(next.err, QStringLiteral("La grille « Paul » a gagné 6 000 € au tirage du 13/11/2025\n")));
    EXPECT_FALSE(contains(next.err, QStringLiteral("11/11/2025"))) << "a win already known is no news";
}

TEST_F(CliTickets, RefusesWhatCannotBeATicketAndLeavesTheFileAsItWas)
{
    ASSERT_EQ(cli("--jeu 16-56 grilles --ajouter Paul --numbers 1,2,3,4").code, 0);
    const QByteArray before = readFile(dataFile("Grilles.txt"));
    const CliOutput twice = cli("--jeu 16-56 grilles --ajouter paul --numbers 5,6,7,8");
    EXPECT_EQ(twice.code, 1);
    EXPECT_TRUE(contains(twice.err, QStringLiteral("Une grille s'appelle déjà « paul »")));
    const CliOutput small = cli("--jeu 16-56 grilles --ajouter Marie --numbers 1,2");
    EXPECT_EQ(small.code, 1);
    EXPECT_TRUE(contains(small.err, QStringLiteral("une grille du Keno 16 sur 56"))) << small.err.toStdString();
    EXPECT_EQ(cli("--jeu 16-56 grilles --ajouter Marie --numbers 1,2,3,4 --mise 4").code, 2);
    EXPECT_EQ(cli("--jeu 16-56 grilles --mise 2").code, 2);
    EXPECT_EQ(readFile(dataFile("Grilles.txt")), before);

    // A file the player broke is said, never replaced.
    writeFile(dataFile("Grilles.txt"), before + "Marie;16-56;1,2\n");
    const CliOutput broken = cli("--jeu 16-56 grilles --ajouter Louise --numbers 1,2,3,4");
    EXPECT_EQ(broken.code, 1);
    EXPECT_TRUE(contains(broken.err, QStringLiteral("ne peuvent pas être lues : ligne 3 : "))) << broken.err.toStdString();
    EXPECT_EQ(readFile(dataFile("Grilles.txt")), before + "Marie;16-56;1,2\n");
}

// An import announces the wins of the draws it brought, and only those, each named by its day
// and its time of day.
TEST_F(CliTickets, AnImportAnnouncesTheWinsOfTheDrawsItBrought)
{
    const QStringList all = classicWithArchive(dataFile("archive.csv"));
    // Jean's wins on 07/01/2020 at midday and Marie's that evening, new draws; Louis's on
    // 02/01/2020 in the evening, a draw the history had.
    ASSERT_EQ(addFirstFive("Jean", all[12]), 0);
    ASSERT_EQ(addFirstFive("Marie", all[13]), 0);
    ASSERT_EQ(addFirstFive("Louis", all[3]), 0);

    const CliOutput imported = cli(QStringList{QStringLiteral("import"), dataFile("archive.csv")});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_TRUE(contains(imported.err, QStringLiteral("La grille « Jean » a gagné 100 € au tirage du 07/01/2020 midi\n")));
    EXPECT_TRUE(contains(imported.err, QStringLiteral("La grille « Marie » a gagné 100 € au tirage du 07/01/2020 soir\n")));
    for (int day = 1; day <= 5; ++day)
        EXPECT_FALSE(contains(imported.err, QStringLiteral("au tirage du 0%1/01/2020").arg(day))) << imported.err.toStdString();
}

// The download announces as the import does: the archive served on this machine.
TEST_F(CliTickets, ADownloadAnnouncesTheWinsOfTheDrawsItBrought)
{
    const QString csv = m_home.filePath(QStringLiteral("keno.csv"));
    const QStringList all = classicWithArchive(csv);
    const QString zip = m_home.filePath(QStringLiteral("keno.zip"));
    writeZip(zip, {{"keno_202001.csv", readFile(csv)}});
    LocalHttpServer server;
    ASSERT_TRUE(server.listen());
    server.serveFile("/keno.zip", readFile(zip));
    ASSERT_EQ(addFirstFive("Jean", all[12]), 0);

    const CliOutput downloaded = cli(QStringList{QStringLiteral("download"), QStringLiteral("--url"), server.url("/keno.zip")});
    ASSERT_EQ(downloaded.code, 0) << downloaded.err.toStdString();
    EXPECT_EQ(server.requests(), QByteArrayList{"/keno.zip"});
    EXPECT_EQ(readFile(working()), crlf(all));
    EXPECT_TRUE(contains(downloaded.err, QStringLiteral("La grille « Jean » a gagné 100 € au tirage du 07/01/2020 midi\n")))
        << downloaded.err.toStdString();
}

// A tickets file the player broke never stops an import: it is said once, with its reason.
TEST_F(CliTickets, AnUnreadableTicketsFileIsSaidAndTheImportGoesOn)
{
    const QStringList all = classicWithArchive(dataFile("archive.csv"));
    writeFile(dataFile("Grilles.txt"), "Marie;20-70;1,2\nLouise;20-70\n");
    const CliOutput imported = cli(QStringList{QStringLiteral("import"), dataFile("archive.csv")});
    EXPECT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_EQ(readFile(working()), crlf(all));
    EXPECT_EQ(imported.err.count(QStringLiteral("ne peuvent pas être lues : ligne 1 : ")), 1) << imported.err.toStdString();
    EXPECT_TRUE(contains(imported.err, QStringLiteral("Les grilles gagnantes ne sont pas annoncées.")));
}

// A ticket is played on every draw: a calendar filter chooses the days "Mes grilles" counts,
// never which draws of those days.
TEST_F(CliTickets, MesGrillesUnderACalendarFilterCountsEveryDrawOfTheDaysShown)
{
    writeHistory(makeHistory(10, QDate(2020, 1, 1)), true);
    ASSERT_EQ(cli("grilles --ajouter Jean --numbers 1,2,3,4,5,6 --from 01/01/2020").code, 0);
    const auto total = [](const CliOutput& r) {
        const QStringList lines = r.outLines();
        const auto found = std::find_if(lines.begin(), lines.end(),
                                        [](const QString& l) { return l.startsWith(QStringLiteral("  Total : ")); });
        return found == lines.end() ? QString() : found->section(u',', 0, 1);
    };
    const CliOutput middays = cli("grilles --slots midi");
    ASSERT_EQ(middays.code, 0) << middays.err.toStdString();
    EXPECT_EQ(total(middays), QStringLiteral("  Total : 10 tirages joués, mise 10 €")) << middays.out.toStdString();
    const QStringList rows = middays.outLines();
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(),
                            [](const QString& l) { return l.startsWith(QStringLiteral("  05/01/2020 soir : ")); }));
    // The days the filter keeps bound the period: 02/01 to 03/01, both draws of each.
    const CliOutput early = cli("grilles --slots soir --from 02/01/2020 --to 03/01/2020");
    ASSERT_EQ(early.code, 0) << early.err.toStdString();
    EXPECT_EQ(total(early), QStringLiteral("  Total : 4 tirages joués, mise 4 €")) << early.out.toStdString();
}
// The classic table knows every amount: the report ends with the share of random players above.
TEST_F(CliTickets, TheReportOfAGameWhoseAmountsAreKnownPlacesThePlayerAmongRandomPlayers)
{
    writeHistory(makeHistory(30, QDate(2020, 1, 1)), true);
    ASSERT_EQ(cli("grilles --ajouter Jean --numbers 1,2,3,4,5,6 --from 01/01/2020").code, 0);
    ASSERT_EQ(cli("grilles --ajouter Louis --numbers 7,8,9 --mise 5 --multiplicateur --from 10/01/2020").code, 0);
    const CliOutput r = cli("grilles");
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.outLines();
    // 30 draws of 1 € for Jean, 12 of 10 € (5 €, doubled by the option) for Louis from 10/01.
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QString& l) {
        return l.startsWith(QStringLiteral("Toutes les grilles : 42 tirages joués, mise 150 €, gains "));
    })) << r.out.toStdString();
    EXPECT_TRUE(
        lines.contains(QStringLiteral("12 tirages joués avec l'option n'ont pas de multiplicateur connu : comptés avec 1.")));
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QString& l) {
        return l.startsWith(QStringLiteral("Votre résultat est dépassé par "))
            && l.endsWith(QStringLiteral(" des joueurs au hasard"));
    })) << r.out.toStdString();
}
