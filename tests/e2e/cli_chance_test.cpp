// tiravol-cli hasard, cotes and backtest: the lines printed, the options and their refusals.
#include "support/CliSupport.h"

#include <gtest/gtest.h>

using TestSupport::CliOutput;
using TestSupport::makeHistory;
using TestSupport::words;

namespace {

class CliChanceTest : public TestSupport::CliTest {
protected:
    QStringList m_history = makeHistory(80);

    void SetUp() override
    {
        CliTest::SetUp();
        writeHistory(m_history, true);
    }
};

} // namespace

TEST_F(CliChanceTest, HasardAndCotes)
{
    CliOutput r = cli("--until 41 hasard"); // the period ends before item 41
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(
        r.outLines().mid(0, 2),
        (QStringList{QStringLiteral("Le hasard au ") + m_history[40].left(10), QStringLiteral("Le hasard sur 41 tirages")}));
    r = cli("cotes");
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.outLines()[0], QStringLiteral("Cotes du Keno"));
}

TEST_F(CliChanceTest, BacktestSizeAndSeed)
{
    const CliOutput a = cli("backtest --size 3 --seed 7");
    ASSERT_EQ(a.code, 0) << a.err.toStdString();
    const QStringList lines = a.outLines();
    EXPECT_EQ(lines[0], QStringLiteral("Tester la prévision"));
    EXPECT_EQ(lines[2], QStringLiteral("Chaque tirage : 3 numéros de la sélection faite sur les seuls tirages précédents"));
    EXPECT_EQ(lines[4], QStringLiteral("Comparaison : 3 numéros au hasard par tirage, graine 7"));
    EXPECT_EQ(cli("backtest --size 3 --seed 7").out, a.out); // the seed makes it again

    const QStringList byDefault = cli("backtest").outLines();
    EXPECT_EQ(byDefault[2], QStringLiteral("Chaque tirage : 10 numéros de la sélection faite sur les seuls tirages précédents"));
    EXPECT_EQ(byDefault[4], QStringLiteral("Comparaison : 10 numéros au hasard par tirage, graine 1"));

    for (const auto& [args, error] : {std::pair{"backtest --size 11", "--size : le nombre de numéros joués va de 2 à 10"},
                                      {"backtest --seed x", "--seed : « x » n'est pas un nombre"},
                                      {"sorties --size 4", "--size : ne sert qu'avec la commande backtest"}}) {
        const CliOutput bad = cli(args);
        EXPECT_EQ(bad.code, 2) << args;
        EXPECT_TRUE(bad.err.startsWith(QStringLiteral("tiravol-cli : ") + QString::fromUtf8(error) + QLatin1Char('\n')))
            << bad.err.toStdString();
    }
}

TEST_F(CliChanceTest, BacktestUntilADrawIgnoresTheDrawsAfterIt)
{
    // The same 200 first draws, then 40 draws in one history and 600 other draws in the other:
    // the whole history's appearance range and gaps differ, the backtest of the first 200 may not.
    const QStringList head = makeHistory(200, QDate(2001, 1, 1), 3);
    QStringList reports;
    for (const auto& [count, seed] : {std::pair{240, 4u}, {800, 5u}}) {
        writeHistory(head + makeHistory(count, QDate(2001, 1, 1), seed).mid(200), true);
        const CliOutput r = cli("--until 200 backtest --size 6");
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        reports << r.out;
    }
    EXPECT_EQ(reports[0], reports[1]);
}

TEST_F(CliChanceTest, BacktestPlaysTheSelectionOfTheCriteriaFileGiven)
{
    const QString file = m_home.filePath(QStringLiteral("criteres.cfg"));
    TestSupport::writeFile(file,
                           "0,42,2\r\n14,280,14\r\n0,3200,4\r\n0,100,1\r\n0,100,2\r\n0,42,1\r\n0,42,1\r\n0,280,5\r\n"
                           "0,280,28\r\n0,3270\r\n0,3270\r\n");
    const QStringList plain = cli("backtest --size 5").outLines();
    const CliOutput withFile = cli(QStringList{QStringLiteral("--criteria"), file} + words("backtest --size 5"));
    ASSERT_EQ(withFile.code, 0) << withFile.err.toStdString();
    EXPECT_EQ(withFile.outLines().mid(0, 3), plain.mid(0, 3)); // the same draws played
    EXPECT_NE(withFile.outLines(), plain);
    const CliOutput missing = cli(
        QStringList{QStringLiteral("--criteria"), m_home.filePath(QStringLiteral("absent.cfg")), QStringLiteral("backtest")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, QString());
}

TEST_F(CliChanceTest, CompanionsUseTheNumbersOption)
{
    const CliOutput r = cli("--numbers 5 partenaires-hasard");
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.outLines().mid(0, 2),
              (QStringList{QStringLiteral("Partenaires - hasard"), QStringLiteral("Partenaires - hasard : 05")}));
    EXPECT_EQ(cli("--numbers 5,6 annonceur-hasard").outLines()[1], QStringLiteral("Annonceur - hasard : 05 06"));
}
