// SPDX-License-Identifier: GPL-3.0-or-later
// tiravol-cli grilles: a ticket added from a draw, ended, removed, its draws listed with what
// they cost and won, and the announcement of its wins when add brings a draw in.
#include "chance/TicketsFile.h"
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
        "  Total : 2 tirages joués, mise 4 €, gains 180 €, solde au moins 176 € ; 1 gains inconnus de la table des gains, "
        "non comptés",
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

// In a game of two draws a day, a ticket first played in the evening is neither charged nor
// credited for that day's midday draw; ended at a draw, it stops there.
TEST_F(CliTickets, AClassicTicketStartsAndEndsAtTheDrawGiven)
{
    const QStringList all = makeHistory(8, QDate(2020, 1, 1)); // 01/01 midi … 04/01 soir
    writeHistory(all, true);
    QStringList firstFive;
    for (int k = 1; k <= 5; ++k)
        firstFive << QString::number(DrawLine::number(all[0], k)); // 5 of 5 at midday on 01/01 only
    const auto grilles = [this](QStringList args) { return cli(QStringList{QStringLiteral("grilles")} + args); };
    const CliOutput added = grilles({QStringLiteral("--ajouter"), QStringLiteral("Jean"), QStringLiteral("--numbers"),
                                     firstFive.join(u','), QStringLiteral("--from"), QStringLiteral("01/01/2020 soir")});
    ASSERT_EQ(added.code, 0) << added.err.toStdString();
    EXPECT_TRUE(readFile(dataFile("Grilles.txt")).contains(";01/01/2020 soir;\n"));
    EXPECT_TRUE(contains(added.out, QStringLiteral("depuis le 01/01/2020 soir, toujours jouée")));
    EXPECT_FALSE(contains(added.out, QStringLiteral("01/01/2020 midi"))) << added.out.toStdString();
    EXPECT_TRUE(contains(added.out, QStringLiteral("  Total : 7 tirages joués, mise 7 €, gains ")));
    // A day alone is that day's first draw: the midday win counts.
    ASSERT_EQ(grilles({QStringLiteral("--ajouter"), QStringLiteral("Marc"), QStringLiteral("--numbers"), firstFive.join(u','),
                       QStringLiteral("--from"), QStringLiteral("01/01/2020")})
                  .code,
              0);
    EXPECT_TRUE(contains(grilles({}).out, QStringLiteral("  01/01/2020 midi : 5 sur 5, mise 1 €, gain 100 €")));

    const CliOutput ended = grilles(
        {QStringLiteral("--terminer"), QStringLiteral("jean"), QStringLiteral("--jusqu-au"), QStringLiteral("02/01/2020 midi")});
    ASSERT_EQ(ended.code, 0) << ended.err.toStdString();
    EXPECT_TRUE(contains(ended.err, QStringLiteral("La grille « Jean » est jouée jusqu'au tirage du 02/01/2020 midi.\n")));
    EXPECT_TRUE(readFile(dataFile("Grilles.txt")).contains("\nJean;20-70;"));
    EXPECT_TRUE(readFile(dataFile("Grilles.txt")).contains(";01/01/2020 soir;02/01/2020 midi\n"));
    EXPECT_TRUE(contains(ended.out, QStringLiteral("depuis le 01/01/2020 soir, jusqu'au 02/01/2020 midi")));
    EXPECT_TRUE(contains(ended.out, QStringLiteral("  Total : 2 tirages joués, mise 2 €, gains ")));
    // A day alone as the end is that day's last draw.
    ASSERT_EQ(grilles({QStringLiteral("--terminer"), QStringLiteral("Marc"), QStringLiteral("--jusqu-au"),
                       QStringLiteral("01/01/2020")})
                  .code,
              0);
    EXPECT_TRUE(readFile(dataFile("Grilles.txt")).contains(";01/01/2020 midi;01/01/2020 soir\n"));

    // A draw the game does not have, a day that is none: a usage error, the file untouched.
    const QByteArray before = readFile(dataFile("Grilles.txt"));
    for (const char* bad : {"01/01/2020 matin", "32/01/2020"}) {
        EXPECT_EQ(grilles({QStringLiteral("--ajouter"), QStringLiteral("Luc"), QStringLiteral("--numbers"), QStringLiteral("1,2"),
                           QStringLiteral("--from"), QString::fromUtf8(bad)})
                      .code,
                  2)
            << bad;
        EXPECT_EQ(
            grilles({QStringLiteral("--terminer"), QStringLiteral("Jean"), QStringLiteral("--jusqu-au"), QString::fromUtf8(bad)})
                .code,
            2)
            << bad;
    }
    // A draw of the day is a ticket's only: the calendar filter takes days.
    EXPECT_EQ(cli(QStringList{QStringLiteral("sorties"), QStringLiteral("--from"), QStringLiteral("01/01/2020 soir")}).code, 2);
    EXPECT_EQ(readFile(dataFile("Grilles.txt")), before);
}

TEST_F(CliTickets, EndsAndRemovesATicketAndRefusesWhatCannotBe)
{
    // A file as it was written before tickets could be ended: it reads, and its line keeps its first draw.
    writeFile(dataFile("Grilles.txt"),
              "# nom;jeu;numéros;mise;option;premier tirage;dernier tirage\n"
              "Paul;16-56;1,2,3,4,5,6,7;2;;11/11/2025;\n"
              "Anne;16-56;1,2,3,4;1;multiplicateur;10/11/2025;\n");
    const QByteArray before = readFile(dataFile("Grilles.txt"));
    const auto refused = [this, &before](const char* args, int code, const char* told) {
        const CliOutput r
            = cli(QStringList{QStringLiteral("--jeu"), QStringLiteral("16-56"), QStringLiteral("grilles")} + words(args));
        EXPECT_EQ(r.code, code) << args << "\n" << r.err.toStdString();
        EXPECT_TRUE(contains(r.err, QString::fromUtf8(told))) << args << "\n" << r.err.toStdString();
        EXPECT_EQ(readFile(dataFile("Grilles.txt")), before) << args;
    };
    refused("--terminer Paul --jusqu-au 10/11/2025", 1,
            "La grille « Paul » ne peut pas finir au tirage du 10/11/2025 : elle est jouée depuis le 11/11/2025");
    refused("--terminer Pierre", 1, "Aucune grille ne s'appelle « Pierre »");
    refused("--supprimer Pierre", 1, "Aucune grille ne s'appelle « Pierre »");
    refused("--jusqu-au 12/11/2025", 2, "--jusqu-au : ne sert qu'avec --terminer");
    refused("--terminer Paul --supprimer Paul", 2, "une seule à la fois");
    refused("--terminer Paul --mise 2", 2, "--mise : ne sert qu'avec --ajouter");
    const CliOutput midday
        = cli(QStringList{QStringLiteral("--jeu"), QStringLiteral("16-56"), QStringLiteral("grilles"),
                          QStringLiteral("--ajouter"), QStringLiteral("Luc"), QStringLiteral("--numbers"),
                          QStringLiteral("1,2,3,4"), QStringLiteral("--from"), QStringLiteral("12/11/2025 midi")});
    EXPECT_EQ(midday.code, 2);
    EXPECT_TRUE(contains(midday.err, QStringLiteral("--from : « midi » n'est pas un tirage du Keno 16/56 (soir)")))
        << midday.err.toStdString();
    EXPECT_EQ(readFile(dataFile("Grilles.txt")), before);

    // Without --jusqu-au, the history's newest draw ends it.
    const CliOutput ended = cli("--jeu 16-56 grilles --terminer Paul");
    ASSERT_EQ(ended.code, 0) << ended.err.toStdString();
    EXPECT_EQ(ended.err, QStringLiteral("La grille « Paul » est jouée jusqu'au tirage du 12/11/2025.\n"));
    EXPECT_TRUE(readFile(dataFile("Grilles.txt")).contains("\nPaul;16-56;1,2,3,4,5,6,7;2;;11/11/2025;12/11/2025\n"));
    EXPECT_TRUE(readFile(dataFile("Grilles.txt")).contains("\nAnne;16-56;1,2,3,4;1;multiplicateur;10/11/2025;\n"));
    // The draws after it are not played: the 13/11 draw wins Paul nothing.
    const CliOutput next = cli("--jeu 16-56 add 1,2,3,4,5,6,7,41,42,43,44,45,46,47,48,49");
    ASSERT_EQ(next.code, 0) << next.err.toStdString();
    EXPECT_FALSE(contains(next.err, QStringLiteral("« Paul »"))) << next.err.toStdString();

    const CliOutput removed = cli("--jeu 16-56 grilles --supprimer paul");
    ASSERT_EQ(removed.code, 0) << removed.err.toStdString();
    EXPECT_EQ(removed.err, QStringLiteral("La grille « Paul » est supprimée.\n"));
    EXPECT_FALSE(readFile(dataFile("Grilles.txt")).contains("Paul"));
    EXPECT_TRUE(contains(removed.out, QStringLiteral("Grille « Anne »")));

    // A file the player broke is never rewritten by an end or a removal.
    const QByteArray broken = readFile(dataFile("Grilles.txt")) + "Marie;16-56;1,2\n";
    writeFile(dataFile("Grilles.txt"), broken);
    EXPECT_EQ(cli("--jeu 16-56 grilles --terminer Anne").code, 1);
    EXPECT_EQ(cli("--jeu 16-56 grilles --supprimer Anne").code, 1);
    EXPECT_EQ(readFile(dataFile("Grilles.txt")), broken);
}

// Without --from, a ticket starts at the next draw to come: never one the history already holds.
TEST_F(CliTickets, WithoutAFirstDrawATicketStartsAtTheNextDraw)
{
    const CliOutput added = cli("--jeu 16-56 grilles --ajouter Paul --numbers 1,2,3,4");
    ASSERT_EQ(added.code, 0) << added.err.toStdString();
    const TicketsFile file = TicketsFile::read(dataFile("Grilles.txt"));
    ASSERT_EQ(file.tickets.size(), 1u);
    const QDateTime now = QDateTime::currentDateTime();
    const DrawTime first = file.tickets[0].first;
    EXPECT_GT(first.day, QDate(2025, 11, 12));
    const DrawSlot& evening = Formula::current().drawSlots[0];
    EXPECT_GT(QDateTime(first.day, QTime(evening.hour, evening.minute)), now.addSecs(-60));
    EXPECT_LE(first.day, now.date().addDays(1));
    EXPECT_TRUE(contains(added.out, QStringLiteral("  Total : 0 tirages joués, mise 0 €, gains 0 €, solde 0 €")))
        << added.out.toStdString();
}
