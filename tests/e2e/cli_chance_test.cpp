// tiravol-cli hasard, cotes and backtest: the lines printed, the options and their refusals.
#include "cli/CliApp.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using TestSupport::makeHistory;

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

struct Result {
    int code = -1;
    QStringList out;
    QString err;
};

class CliChanceTest : public ::testing::Test {
protected:
    QTemporaryDir m_home, m_data;
    QStringList m_history = makeHistory(80);

    void SetUp() override
    {
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
        const QByteArray bytes = (m_history.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
        TestSupport::writeFile(m_data.filePath(QStringLiteral("Tirages_keno.txt")), bytes);
        TestSupport::writeFile(m_data.filePath(QStringLiteral("Tirages.txt")), bytes);
    }

    Result cli(const QStringList& args) const
    {
        Result r;
        QString out;
        QTextStream o(&out), e(&r.err);
        r.code = runCli(QStringList{QStringLiteral("--data-dir"), m_data.path()} + args, o, e);
        o.flush();
        e.flush();
        r.out = out.split(QLatin1Char('\n'));
        return r;
    }
};

QStringList words(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

TEST_F(CliChanceTest, HasardAndCotes)
{
    Result r = cli({QStringLiteral("hasard")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out[0], QStringLiteral("Le hasard au ") + m_history.last().left(10));
    EXPECT_EQ(r.out[1], QStringLiteral("Le hasard sur 80 tirages"));
    // 80 × 2/7 = 22.857...
    EXPECT_TRUE(r.out[2].startsWith(QStringLiteral("Sorties attendues par numéro : 22,9 (tirages × 20 / 70), bande à 95 % : ")));

    r = cli(words("--until 41 hasard")); // the period ends before item 41
    EXPECT_EQ(r.out[1], QStringLiteral("Le hasard sur 41 tirages"));

    r = cli({QStringLiteral("cotes")});
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.out[0], QStringLiteral("Cotes du Keno"));
    EXPECT_TRUE(r.out.contains(QStringLiteral("  retour moyen par €uro misé 0,4720")));
}

TEST_F(CliChanceTest, BacktestSizeAndSeed)
{
    Result a = cli(words("backtest --size 3 --seed 7"));
    ASSERT_EQ(a.code, 0) << a.err.toStdString();
    EXPECT_EQ(a.out[0], QStringLiteral("Tester la prévision"));
    EXPECT_EQ(a.out[1],
              QStringLiteral("Test de la prévision sur 79 tirages, du ") + m_history[1].left(10) + QStringLiteral(" au ")
                  + m_history.last().left(10));
    EXPECT_EQ(a.out[2], QStringLiteral("Chaque tirage : 3 numéros de la sélection faite sur les seuls tirages précédents"));
    EXPECT_EQ(a.out[4], QStringLiteral("Comparaison : 3 numéros au hasard par tirage, graine 7"));
    EXPECT_EQ(cli(words("backtest --size 3 --seed 7")).out, a.out); // the seed makes it again

    const Result byDefault = cli({QStringLiteral("backtest")});
    EXPECT_EQ(byDefault.out[2],
              QStringLiteral("Chaque tirage : 10 numéros de la sélection faite sur les seuls tirages précédents"));
    EXPECT_EQ(byDefault.out[4], QStringLiteral("Comparaison : 10 numéros au hasard par tirage, graine 1"));

    Result bad = cli(words("backtest --size 11"));
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(bad.err.startsWith(QStringLiteral("tiravol-cli : --size : le nombre de numéros joués va de 2 à 10\n")))
        << bad.err.toStdString();
    bad = cli(words("backtest --seed x"));
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(bad.err.startsWith(QStringLiteral("tiravol-cli : --seed : « x » n'est pas un nombre\n")));
    bad = cli(words("sorties --size 4"));
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(bad.err.startsWith(QStringLiteral("tiravol-cli : --size : ne sert qu'avec la commande backtest\n")));
}

TEST_F(CliChanceTest, BacktestUntilADrawIgnoresTheDrawsAfterIt)
{
    // The same 200 first draws, then 40 draws in one history and 600 other draws in the other:
    // the whole history's appearance range and gaps differ, the backtest of the first 200 may not.
    const QStringList head = makeHistory(200, QDate(2001, 1, 1), 3);
    const QStringList shortTail = makeHistory(240, QDate(2001, 1, 1), 4).mid(200);
    const QStringList longTail = makeHistory(800, QDate(2001, 1, 1), 5).mid(200);
    QStringList reports;
    for (const QStringList& tail : {shortTail, longTail}) {
        const QByteArray bytes = ((head + tail).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
        TestSupport::writeFile(m_data.filePath(QStringLiteral("Tirages_keno.txt")), bytes);
        TestSupport::writeFile(m_data.filePath(QStringLiteral("Tirages.txt")), bytes);
        const Result r = cli(words("--until 200 backtest --size 6"));
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.out[1],
                  QStringLiteral("Test de la prévision sur 199 tirages, du ") + head[1].left(10) + QStringLiteral(" au ")
                      + head[199].left(10));
        reports << r.out.join(QLatin1Char('\n'));
    }
    EXPECT_EQ(reports[0], reports[1]);
}

TEST_F(CliChanceTest, BacktestPlaysTheSelectionOfTheCriteriaFileGiven)
{
    const QString file = m_home.filePath(QStringLiteral("criteres.cfg"));
    TestSupport::writeFile(file,
                           "0,42,2\r\n14,280,14\r\n0,3200,4\r\n0,100,1\r\n0,100,2\r\n0,42,1\r\n0,42,1\r\n0,280,5\r\n"
                           "0,280,28\r\n0,3270\r\n0,3270\r\n");
    const Result plain = cli(words("backtest --size 5"));
    const Result withFile = cli(QStringList{QStringLiteral("--criteria"), file} + words("backtest --size 5"));
    ASSERT_EQ(withFile.code, 0) << withFile.err.toStdString();
    EXPECT_EQ(withFile.out.mid(0, 3), plain.out.mid(0, 3)); // the same draws played
    EXPECT_NE(withFile.out, plain.out);
    const Result missing = cli(
        QStringList{QStringLiteral("--criteria"), m_home.filePath(QStringLiteral("absent.cfg")), QStringLiteral("backtest")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, QStringList{QString()});
}

TEST_F(CliChanceTest, CompanionsUseTheNumbersOption)
{
    const Result r = cli(words("--numbers 5 partenaires-hasard"));
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.out[0], QStringLiteral("Partenaires - hasard"));
    EXPECT_EQ(r.out[1], QStringLiteral("Partenaires - hasard : 05"));
    const Result a = cli(words("--numbers 5,6 annonceur-hasard"));
    EXPECT_EQ(a.out[1], QStringLiteral("Annonceur - hasard : 05 06"));
}
