// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CliSupport.h"

using namespace TestSupport;

namespace {

class CliForecastTest : public CliTest {
protected:
    // 1..19 in every draw; 20 in the first two, then 21, 22 and 23 once each.
    void writeSelectionHistory() const
    {
        writeHistory({drawHolding(0, numberRange(1, 20)), drawHolding(1, numberRange(1, 20)),
                      drawHolding(2, numberRange(1, 19) << 21), drawHolding(3, numberRange(1, 19) << 22),
                      drawHolding(4, numberRange(1, 19) << 23)});
    }
};

} // namespace

TEST_F(CliForecastTest, PerformancePrintsTheReportOfTheTickedNumbers)
{
    writeHistory({drawWith(QDate(2020, 1, 1), true, {1, 2}, 50), drawWith(QDate(2020, 1, 1), false, {1}, 50),
                  drawWith(QDate(2020, 1, 2), true, {}, 50), drawWith(QDate(2020, 1, 2), false, {1, 2}, 50),
                  drawWith(QDate(2020, 1, 3), true, {2}, 50)});
    const CliOutput r = cli(words("--numbers 2,1 performance"));
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err,
              QStringLiteral("la liste des tirages n'est pas complete ou a été modifiée\nveuillez recharger les titages\n"));
    // The lines are the Workspace's: here, how many are printed, the final line feed included.
    const QStringList lines = r.out.split(u'\n');
    ASSERT_EQ(lines.size(), 34);
    EXPECT_EQ(lines.last(), QString());

    // One number, the period ending before the item clicked: three appearances in d0..d3.
    const QStringList one = cli(words("--until 4 --numbers 1 performance")).out.split(u'\n');
    EXPECT_EQ(one.size(), 19);
    EXPECT_EQ(one.mid(4, 3), utf8Lines({"02/01/2020 01--------------------------------0  €uros, Ecart 1", "", "Sorti  3 fois"}));
}

TEST_F(CliForecastTest, PresetsGiveThePerformanceOfTheirNumbersAndRefuseOtherIndices)
{
    writeSelectionHistory();
    const char* const cases[][2] = {
        {"colonnes 1", "1,2,3,4,5,6,7,8,9,10"}, {"colonnes 7", "61,62,63,64,65,66,67,68,69,70"},
        {"finales 0", "10,20,30,40,50,60,70"},  {"finales 1", "1,11,21,31,41,51,61"},
        {"finales 9", "9,19,29,39,49,59,69"},
    };
    for (const auto& c : cases) {
        const CliOutput preset = cli(words(c[0]));
        const CliOutput byHand = cli(words(QByteArray("--numbers ") + c[1] + " performance"));
        EXPECT_EQ(preset.code, 0) << c[0];
        EXPECT_EQ(preset.out, byHand.out) << c[0];
        EXPECT_TRUE(preset.out.startsWith(QStringLiteral("Performance d'un ensemble\n"))) << c[0];
    }
    // A preset ticks its own numbers: boxes ticked beforehand have no say.
    for (const char* bad :
         {"colonnes 0", "colonnes 8", "colonnes x", "finales 10", "finales -1", "finales", "--numbers 33,34 colonnes 1"}) {
        const CliOutput r = cli(words(bad));
        EXPECT_EQ(r.code, 2) << bad;
        EXPECT_EQ(r.out, QString()) << bad;
    }
}

TEST_F(CliForecastTest, PrevisionUsesTheCriteriaTheLoadLeftOrThoseOfAFile)
{
    writeSelectionHistory();
    // The load leaves the general window at the draw count, its most bound at the largest count
    // and the largest gap at the largest gap met.
    const CliOutput plain = cli(words("prevision"));
    EXPECT_EQ(plain.code, 0);
    const QStringList lines = plain.out.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(1), QStringLiteral("Forme recente sur 14 Tirages , Sortie entre 0 et 14"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Forme moyenne sur 28 Tirages , Sortie entre 0 et 28")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Forme générale sur5 tirages sorties entre 0 et 5")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Numéros à l'écart compris entre 0 et 5")));

    const QString file = m_home.filePath(QStringLiteral("criteres.cfg"));
    writeFile(file,
              "0,42,2\r\n14,280,14\r\n0,3200,4\r\n0,100,1\r\n0,100,2\r\n0,42,1\r\n0,42,1\r\n0,280,5\r\n"
              "0,280,28\r\n0,3270\r\n0,3270\r\n");
    const CliOutput r = cli(QStringList{QStringLiteral("--criteria"), file, QStringLiteral("prevision")});
    EXPECT_EQ(r.code, 0);
    // The lines are ForecastSelection's: here, that the file's values reached it.
    const QStringList fromFile = r.out.split(u'\n');
    EXPECT_EQ(fromFile.mid(0, 4),
              utf8Lines({"Classement par sorties au 03/03/2021", "Forme recente sur 2 Tirages , Sortie entre 1 et 1",
                         " 22 Sorti  0001", " 23 Sorti  0001"}));
    EXPECT_EQ(fromFile.value(5), QStringLiteral("Forme moyenne sur 14 Tirages , Sortie entre 5 et 28"));
    // The general bounds are not in the file: those of the load stay.
    EXPECT_EQ(fromFile.value(26), QStringLiteral("Forme générale sur4 tirages sorties entre 0 et 5"));
    EXPECT_EQ(fromFile.value(98), QStringLiteral("Numéros à l'écart compris entre 1 et 2"));

    // A faulty file: said on standard error, the report still printed; a missing one is an error.
    writeFile(file, "0,42,2\r\npas un nombre\r\n");
    const CliOutput faulty = cli(QStringList{QStringLiteral("--criteria"), file, QStringLiteral("prevision")});
    EXPECT_EQ(faulty.code, 0);
    EXPECT_TRUE(faulty.err.contains(QStringLiteral("tiravol-cli : Fichier des critères")));
    EXPECT_TRUE(faulty.out.contains(QStringLiteral("Forme recente sur 2 Tirages , Sortie entre 0 et 14\n")));
    const CliOutput missing = cli(
        QStringList{QStringLiteral("--criteria"), m_home.filePath(QStringLiteral("absent.cfg")), QStringLiteral("prevision")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, QString());
}
