// SPDX-License-Identifier: GPL-3.0-or-later
// tiravol-cli's analyses in-process: the printed report (title, left list, hidden right list
// from its second line), the answers given as arguments, refusals. The reports' lines themselves
// are checked with their units and the Workspace.
#include "support/CliSupport.h"

using namespace TestSupport;

namespace {

// d0: 1..20, d1: 51..70, d2: 1..10 and 61..70 (written high numbers first).
const QStringList kHistory = {
    drawLine(QStringLiteral("16/09/1993"), numberRange(1, 20)),
    drawLine(QStringLiteral("16/09/1993"), numberRange(51, 70), " soir"),
    drawLine(QStringLiteral("17/09/1993"), numberRange(61, 70) + numberRange(1, 10)),
};

const QString kTitle = QStringLiteral("Classement par sorties au 17/09/1993");

class CliAnalysesTest : public CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        writeHistory(kHistory);
    }

    // The start-up ranking's right column from its second line on, as "sorties" prints it.
    QStringList rankingTail() const
    {
        const QStringList lines = cli("sorties").out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        EXPECT_EQ(lines.size(), 72);
        return lines.mid(37);
    }
};

TEST_F(CliAnalysesTest, ReportsPrintTheTitleTheirLinesAndTheHiddenRankingAfterThem)
{
    CliOutput r = cli("pairs-impairs");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, QString());
    // A report whose right list stayed hidden prints it after its own lines.
    const QStringList lines = QStringList{kTitle} + utf8Lines({"30  Numéros impairs", "30  Numéros pairs"}) + rankingTail();
    EXPECT_EQ(r.out, lines.join(u'\n') + u'\n');
    // The walk for the most frequent clears the right list.
    r = cli("--numbers 62,1,61,2 plus-sortis 2");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, QString()); // not a terminal: no progress line
    EXPECT_EQ(r.out, kTitle + QStringLiteral("\n 1 2    2\n 61 62    2\n"));

    // Each command reaches its report with its arguments and period.
    const struct {
        const char* args;
        QStringList lines; // from the first line on, the title being line 0
    } cases[] = {
        {"petits-gros", utf8Lines({"30  Numéros bas ( 1 à 35 )"})},
        {"septaines", utf8Lines({"14  Numéros de 1 a 7", "10  Numéros de 8 a 14 "})},
        {"colonne 2.6", utf8Lines({"Numéro  3 sorti 1"})},
        {"--numbers 2,1 partenaires",
         utf8Lines({"Numeros choisis", "1", "2", "Nombre de numeros ", "2", "Num  03 Sorti 0002 Fois "})},
        {"--numbers 61 annonceur",
         utf8Lines({" 61", "Cette combinaison est sortie  2 fois et a annoncé au tirage suivant", "1 fois le numéro  1"})},
        // The period ends before item 1: d0 alone.
        {"--until 1 dizaines", utf8Lines({"10  Numéros dans la  dizaine 1", "10  Numéros dans la  dizaine 2"})},
        {"--numbers 1,2,51,52 --until 1 recherche-ecart 2 1", utf8Lines({" 1 2   2  0"})},
    };
    for (const auto& c : cases) {
        const CliOutput r = cli(c.args);
        EXPECT_EQ(r.code, 0) << c.args;
        EXPECT_EQ(r.out.split(u'\n').mid(1, c.lines.size()), c.lines) << c.args;
    }
    EXPECT_TRUE(cli("--until 1 dizaines").out.startsWith(QStringLiteral("Classement par sorties au 16/09/1993\n")));
}

TEST_F(CliAnalysesTest, BadAnswersAreUsageErrorsAndTooManyNumbersAnError)
{
    for (const char* args : {"colonne 0", "colonne 21", "colonne abc", "colonne", "colonne 1 2", "plus-sortis 1",
                             "plus-sortis 11", "plus-sortis", "recherche-ecart 2", "recherche-ecart x 2", "dizaines 1"}) {
        const CliOutput r = cli(args);
        EXPECT_EQ(r.code, 2) << args;
        EXPECT_EQ(r.out, QString()) << args;
        EXPECT_FALSE(r.err.isEmpty()) << args;
    }
    const CliOutput r
        = cli(QStringList{QStringLiteral("--numbers"), QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21"),
                          QStringLiteral("annonceur")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, QString());
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("tiravol-cli : ")));
}

} // namespace
