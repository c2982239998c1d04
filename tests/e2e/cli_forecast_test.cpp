// tiravol-cli performance, colonnes, finales and prevision on small hand-made histories.
#include "cli/CliApp.h"
#include "history/DrawLine.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

#include <algorithm>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

using TestSupport::crlf;
using TestSupport::drawWith;
using TestSupport::numberRange;

namespace {

QString list(int from, int to, int step = 1)
{
    QStringList v;
    for (int n = from; n <= to; n += step)
        v << QString::number(n);
    return v.join(QLatin1Char(','));
}

struct Result {
    int code = -1;
    QString out, err;
};

class CliForecastTest : public ::testing::Test {
protected:
    QTemporaryDir m_home, m_data;

    void SetUp() override
    {
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    }

    void writeHistory(const QStringList& draws) const
    {
        TestSupport::writeFile(m_data.filePath(QStringLiteral("Tirages_keno.txt")), crlf(draws));
    }

    Result cli(const QStringList& args) const
    {
        Result r;
        QTextStream out(&r.out), err(&r.err);
        r.code = runCli(QStringList{QStringLiteral("--data-dir"), m_data.path()} + args, out, err);
        out.flush();
        err.flush();
        return r;
    }

    // 1..19 in every draw; 20, 21, 22, 23 once each.
    void writeSelectionHistory() const
    {
        writeHistory({drawWith(QDate(2021, 3, 1), true, numberRange(1, 20), 1),
                      drawWith(QDate(2021, 3, 1), false, numberRange(1, 20), 1),
                      drawWith(QDate(2021, 3, 2), true, numberRange(1, 19) << 21, 1),
                      drawWith(QDate(2021, 3, 2), false, numberRange(1, 19) << 22, 1),
                      drawWith(QDate(2021, 3, 3), true, numberRange(1, 19) << 23, 1)});
    }
};

QStringList args(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

TEST_F(CliForecastTest, PerformancePrintsTheReportOfTheTickedNumbers)
{
    writeHistory({drawWith(QDate(2020, 1, 1), true, {1, 2}, 50), drawWith(QDate(2020, 1, 1), false, {1}, 50),
                  drawWith(QDate(2020, 1, 2), true, {}, 50), drawWith(QDate(2020, 1, 2), false, {1, 2}, 50),
                  drawWith(QDate(2020, 1, 3), true, {2}, 50)});
    const Result r = cli(args("--numbers 2,1 performance"));
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err,
              QStringLiteral("la liste des tirages n'est pas complete ou a été modifiée\nveuillez recharger les titages\n"));
    EXPECT_EQ(r.out,
              QStringLiteral("Performance d'un ensemble\n"
                             "01/01/2020 01 02-----------------------------6  €uros, Ecart 1\n"
                             "01/01/2020 01\n"
                             "02/01/2020\n"
                             "02/01/2020 01 02-----------------------------6  €uros, Ecart 2\n"
                             "03/01/2020 02\n"
                             "\n"
                             "Enjeu total 5 €uros\n"
                             "Encaissé 12\n"
                             "\n"
                             "_____________ Bénefice  7\n"
                             "\n"
                             " + Grand ecart  2\n"
                             "Ecart actuel    1\n"
                             "  002  fois  2 numéros  : gains  12    02/01/2020  moyenne 2\n"
                             "\n"
                             " tableau des écarts entre grilles gagnantes pour les numéros :\n"
                             "\n"
                             " 1 2\n"
                             "\n"
                             "0001  fois a l'écart 01\n"
                             "0001  fois a l'écart 02\n"
                             "\n"
                             "\n"
                             "Comparaison avec le hasard\n"
                             "Retour réel 12 €uros pour 5 misés, soit 2,400 par €uro\n"
                             "Retour attendu 2,4 €uros, soit 0,472 par €uro ; retour médian 0 €uro\n"
                             "Intervalle à 95 % (loi exacte du total) : 0 à 12 €uros\n"
                             "Le retour réel est dans l'intervalle\n"
                             "Numéros sortis 6 fois, attendu 2,9, intervalle à 95 % : 0 à 6\n"
                             "Les sorties sont dans l'intervalle\n"
                             "Verdict (deux tests, chacun au risque de 5 %) : compatible avec le hasard\n"));

    // One number: a count of appearances, every amount 0; the period ends before the item clicked.
    const Result one = cli(args("--until 4 --numbers 1 performance"));
    EXPECT_EQ(one.out,
              QStringLiteral("Performance d'un ensemble\n"
                             "01/01/2020 01--------------------------------0  €uros, Ecart 1\n"
                             "01/01/2020 01--------------------------------0  €uros, Ecart 0\n"
                             "02/01/2020\n"
                             "02/01/2020 01--------------------------------0  €uros, Ecart 1\n"
                             "\n"
                             "Sorti  3 fois\n"
                             "\n"
                             " + Grand ecart  1\n"
                             "Ecart actuel    0\n"
                             "\n"
                             " tableau des écarts entre grilles gagnantes pour les numéros :\n"
                             "\n"
                             " 1\n"
                             "\n"
                             "0001  fois a l'écart 00\n"
                             "0002  fois a l'écart 01\n"
                             "\n"));
}

TEST_F(CliForecastTest, PresetsGiveThePerformanceOfTheirNumbersAndRefuseOtherIndices)
{
    writeSelectionHistory();
    const struct {
        const char* preset;
        QString numbers;
    } cases[] = {
        {"colonnes 1", list(1, 10)},    {"colonnes 7", list(61, 70)},   {"finales 0", list(10, 70, 10)},
        {"finales 1", list(1, 61, 10)}, {"finales 9", list(9, 69, 10)},
    };
    for (const auto& c : cases) {
        const Result preset = cli(args(c.preset));
        const Result byHand = cli(QStringList{QStringLiteral("--numbers"), c.numbers, QStringLiteral("performance")});
        EXPECT_EQ(preset.code, 0) << c.preset;
        EXPECT_EQ(preset.out, byHand.out) << c.preset;
        EXPECT_TRUE(preset.out.startsWith(QStringLiteral("Performance d'un ensemble\n"))) << c.preset;
    }
    EXPECT_TRUE(cli(args("finales 0")).out.contains(QStringLiteral("\n 10 20 30 40 50 60 70\n")));
    // A preset ticks its own numbers: boxes ticked beforehand have no say.
    for (const char* bad :
         {"colonnes 0", "colonnes 8", "colonnes x", "finales 10", "finales -1", "finales", "--numbers 33,34 colonnes 1"}) {
        const Result r = cli(args(bad));
        EXPECT_EQ(r.code, 2) << bad;
        EXPECT_EQ(r.out, QString()) << bad;
    }
}

TEST_F(CliForecastTest, PrevisionUsesTheCriteriaTheLoadLeftOrThoseOfAFile)
{
    writeSelectionHistory();
    // The load leaves the general window at the draw count, its most bound at the largest count
    // and the largest gap at the largest gap met.
    const Result plain = cli(args("prevision"));
    EXPECT_EQ(plain.code, 0);
    const QStringList lines = plain.out.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(1), QStringLiteral("Forme recente sur 14 Tirages , Sortie entre 0 et 14"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Forme moyenne sur 28 Tirages , Sortie entre 0 et 28")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Forme générale sur5 tirages sorties entre 0 et 5")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Numéros à l'écart compris entre 0 et 5")));

    const QString file = m_home.filePath(QStringLiteral("criteres.cfg"));
    TestSupport::writeFile(file,
                           "0,42,2\r\n14,280,14\r\n0,3200,4\r\n0,100,1\r\n0,100,2\r\n0,42,1\r\n0,42,1\r\n0,280,5\r\n"
                           "0,280,28\r\n0,3270\r\n0,3270\r\n");
    const Result r = cli(QStringList{QStringLiteral("--criteria"), file, QStringLiteral("prevision")});
    EXPECT_EQ(r.code, 0);
    QStringList expected = {QStringLiteral("Classement par sorties au 03/03/2021"),
                            QStringLiteral("Forme recente sur 2 Tirages , Sortie entre 1 et 1"),
                            QStringLiteral(" 22 Sorti  0001"),
                            QStringLiteral(" 23 Sorti  0001"),
                            QString(),
                            QStringLiteral("Forme moyenne sur 14 Tirages , Sortie entre 5 et 28")};
    for (int n = 1; n <= 19; ++n)
        expected << QStringLiteral(" %1 Sorti  0005").arg(n, 2, 10, QLatin1Char('0'));
    // The general bounds are not in the file: those of the load stay.
    expected << QString() << QStringLiteral("Forme générale sur4 tirages sorties entre 0 et 5");
    for (int n = 1; n <= 70; ++n)
        expected << QStringLiteral(" %1 Sorti %2")
                        .arg(n, 2, 10, QLatin1Char('0'))
                        .arg(n <= 19       ? QStringLiteral(" 0004")
                                 : n <= 23 ? QStringLiteral(" 0001")
                                           : QStringLiteral(" 0000"));
    expected << QString() << QStringLiteral("Numéros à l'écart compris entre 1 et 2") << QStringLiteral("21 ecart  02")
             << QStringLiteral("22 ecart  01");
    expected << QString() << QStringLiteral("Communs à 4 Criteres") << QString() << QString();
    expected << QString() << QStringLiteral("Communs à 3 Criteres") << QString() << QStringLiteral("22") << QString();
    expected << QString() << QStringLiteral("Communs à 2 Criteres") << QString();
    for (int n = 1; n <= 19; ++n)
        expected << QString::number(n);
    expected << QStringLiteral("21") << QStringLiteral("23") << QString();
    expected << QString() << QStringLiteral("Communs à 1 Criteres") << QString() << QStringLiteral("20");
    for (int n = 24; n <= 70; ++n)
        expected << QString::number(n);
    expected << QString();
    expected << QString() << QStringLiteral("Communs à 0 Criteres") << QString() << QString();
    // Then the right column the start-up ranking left (hidden, still exported).
    EXPECT_TRUE(r.out.startsWith(expected.join(QLatin1Char('\n')) + QLatin1Char('\n'))) << r.out.toStdString();

    // A faulty file: said on standard error, the report still printed; a missing one is an error.
    TestSupport::writeFile(file, "0,42,2\r\npas un nombre\r\n");
    const Result faulty = cli(QStringList{QStringLiteral("--criteria"), file, QStringLiteral("prevision")});
    EXPECT_EQ(faulty.code, 0);
    EXPECT_TRUE(faulty.err.contains(QStringLiteral("tiravol-cli : Fichier des critères")));
    EXPECT_TRUE(faulty.out.contains(QStringLiteral("Forme recente sur 2 Tirages , Sortie entre 0 et 14\n")));
    const Result missing = cli(
        QStringList{QStringLiteral("--criteria"), m_home.filePath(QStringLiteral("absent.cfg")), QStringLiteral("prevision")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, QString());
}
