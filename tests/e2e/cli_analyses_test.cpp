// tiravol-cli's analyses in-process: the printed report (title, left list, hidden right list
// from its second line) for a small known history, the answers given as arguments, refusals.
#include "support/CliSupport.h"

#include <gtest/gtest.h>

using TestSupport::drawLine;
using TestSupport::numberRange;

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
};

TEST_F(CliAnalysesTest, GroupReportsPrintTheirLinesAndTheHiddenRanking)
{
    TestSupport::CliOutput r = cli("pairs-impairs");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(r.out, withTail({QStringLiteral("30  Numéros impairs"), QStringLiteral("30  Numéros pairs")}));

    EXPECT_EQ(cli("petits-gros").out,
              withTail({QStringLiteral("30  Numéros bas ( 1 à 35 )"), QStringLiteral("30  Numéros hauts 36 à 70")}));

    EXPECT_EQ(cli("septaines").out,
              withTail({QStringLiteral("14  Numéros de 1 a 7"), QStringLiteral("10  Numéros de 8 a 14 "),
                        QStringLiteral("6  Numéros de 15 a 21"), QStringLiteral("0  Numéros de 22 a 28"),
                        QStringLiteral("0  Numéros de 29 a 35"), QStringLiteral("0  Numéros de 36 a 42"),
                        QStringLiteral("0  Numéros de 43 a 49"), QStringLiteral("6  Numéros de 50 a 56"),
                        QStringLiteral("10  Numéros de 57 a 63"), QStringLiteral("14  Numéros de 64 a 70")}));

    // The period ends before item 1: d0 alone.
    QStringList dix = {QStringLiteral("10  Numéros dans la  dizaine 1"), QStringLiteral("10  Numéros dans la  dizaine 2")};
    for (int ten = 3; ten <= 7; ++ten)
        dix << QStringLiteral("0  Numéros dans la  dizaine %1").arg(ten);
    dix << QString();
    for (int digit : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0})
        dix << QStringLiteral("2 Numéros finissant par  %1").arg(digit);
    r = cli("--until 1 dizaines");
    EXPECT_EQ(r.code, 0);
    const QStringList printed = r.out.split(u'\n');
    ASSERT_GT(printed.size(), 19);
    EXPECT_EQ(printed.first(), QStringLiteral("Classement par sorties au 16/09/1993"));
    EXPECT_EQ(printed.mid(1, 18), dix);
}

TEST_F(CliAnalysesTest, ColonnePartenairesAndAnnonceur)
{
    TestSupport::CliOutput r = cli("colonne 3");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              withTail({QStringLiteral("Numéro  3 sorti 1"), QStringLiteral("Numéro  53 sorti 1"),
                        QStringLiteral("Numéro  63 sorti 1"), QString(), QStringLiteral(" Dans la colonne 3")}));
    EXPECT_EQ(cli("colonne 2.6").out, r.out);

    QStringList partners = {QStringLiteral("Numeros choisis"), QStringLiteral("1"), QStringLiteral("2"),
                            QStringLiteral("Nombre de numeros "), QStringLiteral("2")};
    for (int n = 3; n <= 10; ++n)
        partners << QStringLiteral("Num  %1 Sorti 0002 Fois ").arg(n, 2, 10, QLatin1Char('0'));
    for (int n : numberRange(11, 20) + numberRange(61, 70))
        partners << QStringLiteral("Num  %1 Sorti 0001 Fois ").arg(n, 2, 10, QLatin1Char('0'));
    for (int n = 21; n <= 60; ++n)
        partners << QStringLiteral("Num  %1 Sorti 0000 Fois ").arg(n, 2, 10, QLatin1Char('0'));
    r = cli("--numbers 2,1 partenaires");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, withTail(partners));

    QStringList announced
        = {QStringLiteral(" 61"), QStringLiteral("Cette combinaison est sortie  2 fois et a annoncé au tirage suivant")};
    for (int n : numberRange(1, 10) + numberRange(61, 70))
        announced << QStringLiteral("1 fois le numéro  %1").arg(n);
    for (int n = 11; n <= 60; ++n)
        announced << QStringLiteral("0 fois le numéro  %1").arg(n);
    EXPECT_EQ(cli("--numbers 61 annonceur").out, withTail(announced));
    EXPECT_EQ(cli("--numbers 30,61 annonceur").out, withTail({QStringLiteral(" Cette combinaison n'est jamais sortie")}));

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
