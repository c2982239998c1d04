// tiravol-cli's analyses in-process: the printed report (title, left list, hidden right list
// from its second line), the answers given as arguments, refusals. The reports' lines themselves
// are checked with their units and the Workspace.
#include "support/CliSupport.h"

#include <gtest/gtest.h>

using TestSupport::drawLine;
using TestSupport::numberRange;
using TestSupport::utf8Lines;

namespace {

// d0: 1..20, d1: 51..70, d2: 1..10 and 61..70 (written high numbers first).
const QStringList kHistory = {
    drawLine(QStringLiteral("16/09/1993"), numberRange(1, 20)),
    drawLine(QStringLiteral("16/09/1993"), numberRange(51, 70), " soir"),
    drawLine(QStringLiteral("17/09/1993"), numberRange(61, 70) + numberRange(1, 10)),
};

const QString kTitle = QStringLiteral("Classement par sorties au 17/09/1993");

class CliAnalysesTest : public TestSupport::CliTest {
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

    // What a report whose right list stayed hidden prints.
    QString withTail(const QStringList& lines) const { return (QStringList{kTitle} + lines + rankingTail()).join(u'\n') + u'\n'; }

    // Printed lines `from`.. of what `args` prints (the title is line 0).
    QStringList printed(const char* args, int from, int count) const { return cli(args).out.split(u'\n').mid(from, count); }
};

TEST_F(CliAnalysesTest, GroupReportsPrintTheirLinesAndTheHiddenRanking)
{
    TestSupport::CliOutput r = cli("pairs-impairs");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(r.out, withTail(utf8Lines({"30  Numéros impairs", "30  Numéros pairs"})));
    EXPECT_EQ(printed("petits-gros", 1, 1), utf8Lines({"30  Numéros bas ( 1 à 35 )"}));
    EXPECT_EQ(printed("septaines", 1, 2), utf8Lines({"14  Numéros de 1 a 7", "10  Numéros de 8 a 14 "}));

    // The period ends before item 1: d0 alone.
    r = cli("--until 1 dizaines");
    EXPECT_EQ(r.code, 0);
    const QStringList lines = r.out.split(u'\n');
    EXPECT_EQ(lines.mid(0, 2), utf8Lines({"Classement par sorties au 16/09/1993", "10  Numéros dans la  dizaine 1"}));
    EXPECT_EQ(lines.value(18), QStringLiteral("2 Numéros finissant par  0"));
}

TEST_F(CliAnalysesTest, ColonnePartenairesAndAnnonceur)
{
    TestSupport::CliOutput r = cli("colonne 3");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              withTail(utf8Lines({"Numéro  3 sorti 1", "Numéro  53 sorti 1", "Numéro  63 sorti 1", "", " Dans la colonne 3"})));
    EXPECT_EQ(cli("colonne 2.6").out, r.out);

    r = cli("--numbers 2,1 partenaires");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.split(u'\n').mid(1, 6),
              utf8Lines({"Numeros choisis", "1", "2", "Nombre de numeros ", "2", "Num  03 Sorti 0002 Fois "}));
    EXPECT_EQ(printed("--numbers 61 annonceur", 1, 3),
              utf8Lines({" 61", "Cette combinaison est sortie  2 fois et a annoncé au tirage suivant", "1 fois le numéro  1"}));
    EXPECT_EQ(cli("--numbers 30,61 annonceur").out, withTail(utf8Lines({" Cette combinaison n'est jamais sortie"})));

    // More than twenty numbers: a message, no report.
    r = cli(QStringList{QStringLiteral("--numbers"), QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21"),
                        QStringLiteral("annonceur")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, QString());
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("tiravol-cli : ")));
}

TEST_F(CliAnalysesTest, CombinationWalksPrintTheirRecords)
{
    TestSupport::CliOutput r = cli("--numbers 62,1,61,2 plus-sortis 2");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, QString()); // not a terminal: no progress line
    EXPECT_EQ(r.out, kTitle + QStringLiteral("\n 1 2    2\n 61 62    2\n"));

    r = cli("--numbers 1,2,51,52 recherche-ecart 2 2");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, withTail({QStringLiteral(" 1 2   2  0"), QStringLiteral(" 51 52   2  1")}));
    EXPECT_EQ(cli("--numbers 1,2,51,52 recherche-ecart 2 3").out, withTail({}));
    // From before item 1: only d0 is searched.
    EXPECT_EQ(cli("--numbers 1,2,51,52 --until 1 recherche-ecart 2 1").out.split(u'\n').value(1), QStringLiteral(" 1 2   2  0"));
}

TEST_F(CliAnalysesTest, BadAnswersAreUsageErrors)
{
    for (const char* args : {"colonne 0", "colonne 21", "colonne abc", "colonne", "colonne 1 2", "plus-sortis 1",
                             "plus-sortis 11", "plus-sortis", "recherche-ecart 2", "recherche-ecart x 2", "dizaines 1"}) {
        const TestSupport::CliOutput r = cli(args);
        EXPECT_EQ(r.code, 2) << args;
        EXPECT_EQ(r.out, QString()) << args;
        EXPECT_FALSE(r.err.isEmpty()) << args;
    }
}

} // namespace
