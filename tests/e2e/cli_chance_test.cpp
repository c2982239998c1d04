// SPDX-License-Identifier: GPL-3.0-or-later
// tiravol-cli hasard, cotes and backtest: the options reach the reports, and their refusals.
#include "support/CliSupport.h"

using namespace TestSupport;

namespace {

class CliChanceTest : public CliTest {
protected:
    QStringList m_history = makeHistory(80);

    void SetUp() override
    {
        CliTest::SetUp();
        writeHistory(m_history, true);
    }
};

} // namespace

TEST_F(CliChanceTest, HasardCotesAndCompanions)
{
    const CliOutput r = cli("--until 41 hasard"); // the period ends before item 41
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.outLines()[1], QStringLiteral("Le hasard sur 41 tirages"));
    EXPECT_EQ(cli("cotes").outLines()[0], QStringLiteral("Cotes du Keno"));
    EXPECT_EQ(cli("--numbers 5 partenaires-hasard").outLines()[1], QStringLiteral("Partenaires - hasard : 05"));
    EXPECT_EQ(cli("--numbers 5,6 annonceur-hasard").outLines()[1], QStringLiteral("Annonceur - hasard : 05 06"));
}

TEST_F(CliChanceTest, BacktestSizeSeedAndCriteria)
{
    const auto settings = [](const CliOutput& r) { return QStringList{r.outLines()[2], r.outLines()[4]}; };
    const CliOutput a = cli("backtest --size 3 --seed 7");
    ASSERT_EQ(a.code, 0) << a.err.toStdString();
    EXPECT_EQ(settings(a),
              (QStringList{QStringLiteral("Chaque tirage : 3 numéros de la sélection faite sur les seuls tirages précédents"),
                           QStringLiteral("Comparaison : 3 numéros au hasard par tirage, graine 7")}));
    EXPECT_EQ(cli("backtest --size 3 --seed 7").out, a.out); // the seed makes it again
    EXPECT_EQ(settings(cli("backtest")),
              (QStringList{QStringLiteral("Chaque tirage : 10 numéros de la sélection faite sur les seuls tirages précédents"),
                           QStringLiteral("Comparaison : 10 numéros au hasard par tirage, graine 1")}));

    // Other criteria play other numbers on the same draws.
    const QString file = m_home.filePath(QStringLiteral("criteres.cfg"));
    writeFile(file, crlf(words("0,42,2 14,280,14 0,3200,4 0,100,1 0,100,2 0,42,1 0,42,1 0,280,5 0,280,28 0,3270 0,3270")));
    const QStringList plain = cli("backtest --size 5").outLines();
    const CliOutput withFile = cli(QStringList{QStringLiteral("--criteria"), file} + words("backtest --size 5"));
    ASSERT_EQ(withFile.code, 0) << withFile.err.toStdString();
    EXPECT_EQ(withFile.outLines().mid(0, 3), plain.mid(0, 3));
    EXPECT_NE(withFile.outLines(), plain);
    const CliOutput missing = cli(
        QStringList{QStringLiteral("--criteria"), m_home.filePath(QStringLiteral("absent.cfg")), QStringLiteral("backtest")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, QString());

    for (const auto& [args, error] : {std::pair{"backtest --size 11", "--size : le nombre de numéros joués va de 2 à 10"},
                                      {"backtest --seed x", "--seed : « x » n'est pas un nombre"},
                                      {"sorties --size 4", "--size : ne sert qu'avec la commande backtest"}}) {
        const CliOutput bad = cli(args);
        EXPECT_EQ(bad.code, 2) << args;
        EXPECT_TRUE(startsWith(bad.err, QStringLiteral("tiravol-cli : ") + QString::fromUtf8(error) + u'\n'));
    }
}

TEST_F(CliChanceTest, StakeAndOptionReachTheMoneyReports)
{
    const CliOutput odds = cli("cotes --mise 2");
    ASSERT_EQ(odds.code, 0) << odds.err.toStdString();
    EXPECT_EQ(odds.outLines()[1], QStringLiteral("Cotes du Keno : 20 numéros tirés sur 70, mise 2 €uros par tirage"));
    // The option reads the history's multipliers: none known here, so no return is made up.
    const CliOutput option = cli("cotes --multiplicateur");
    ASSERT_EQ(option.code, 0) << option.err.toStdString();
    EXPECT_TRUE(option.outLines()[3].startsWith(QStringLiteral("Aucun multiplicateur connu dans l'historique")));

    const CliOutput played = cli("--numbers 3,7 performance --mise 10 --multiplicateur");
    ASSERT_EQ(played.code, 0) << played.err.toStdString();
    EXPECT_TRUE(played.outLines().contains(QStringLiteral("Mise 10 € avec l'option multiplicateur, soit 20 €uros par tirage")));
    EXPECT_EQ(played.outLines().filter(QStringLiteral("tirages sans multiplicateur connu, comptés avec ×1")).size(), 2);
    const CliOutput test = cli("backtest --size 3 --mise 3");
    ASSERT_EQ(test.code, 0) << test.err.toStdString();
    EXPECT_EQ(test.outLines()[4], QStringLiteral("Mise 3 €, soit 3 €uros par tirage"));

    for (const auto& [args, error] : {std::pair{"cotes --mise 4", "--mise : la mise est de 1, 2, 3, 5 ou 10 euros"},
                                      {"performance --mise x", "--mise : « x » n'est pas un nombre"},
                                      {"hasard --multiplicateur", "--multiplicateur : ne sert pas avec la commande hasard"}}) {
        const CliOutput bad = cli(args);
        EXPECT_EQ(bad.code, 2) << args;
        EXPECT_TRUE(startsWith(bad.err, QStringLiteral("tiravol-cli : ") + QString::fromUtf8(error))) << bad.err.toStdString();
    }
}
