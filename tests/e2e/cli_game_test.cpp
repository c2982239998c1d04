// SPDX-License-Identifier: GPL-3.0-or-later
// tiravol-cli --jeu: the game studied, its own histories, and the classic game by default.
#include "support/CliSupport.h"
#include "support/CurrentGameHistory.h"

#include <QMap>
#include <algorithm>

using namespace TestSupport;

namespace {

// Evening draws of the sixteen-of-fifty-six game from 03/11/2025.
QStringList currentHistory(int count, unsigned seed = 11u)
{
    return CurrentGameHistory::make(count, seed).lines;
}

class CliGameTest : public CliTest {
protected:
    const QStringList current = currentHistory(25);
    QString currentWorking() const { return dataFile("Tirages_keno_16-56.txt"); }

    void SetUp() override
    {
        CliTest::SetUp();
        writeFile(currentWorking(), crlf(current));
        writeFile(dataFile("Tirages_16-56.txt"), crlf(current));
        writeHistory(makeHistory(30), true);
    }

    // "sorties" of the new game: its 56 numbers once each, by appearances counted here from the
    // lines, most first and the smaller number first among equals.
    void expectCurrentRanking(const CliOutput& r) const { expectRankingOf(r, current); }
    void expectRankingOf(const CliOutput& r, const QStringList& current) const
    {
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, QString());
        const QStringList lines = r.outLines();
        ASSERT_EQ(lines.size(), 1 + 1 + 56 + 1); // title, header, numbers, final line feed
        EXPECT_EQ(lines[0], QStringLiteral("Classement par sorties au ") + current.last().left(10));
        QMap<int, int> counts;
        for (const QString& line : current)
            for (const QString& field : line.mid(11, 3 * 16 - 1).split(u' '))
                ++counts[field.toInt()];
        QList<int> expected;
        for (int n = 1; n <= 56; ++n)
            expected << n;
        std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) { return counts.value(a) > counts.value(b); });
        for (int i = 0; i < 56; ++i) {
            const QString& line = lines[2 + i];
            SCOPED_TRACE(line.toStdString());
            EXPECT_EQ(line.left(2).toInt(), expected[i]);
            EXPECT_EQ(line.mid(2, 5).trimmed().toInt(), counts.value(expected[i]));
        }
    }
};

} // namespace

TEST_F(CliGameTest, TheNewGameRanksItsFiftySixNumbersFromItsOwnHistory)
{
    expectCurrentRanking(cli("--jeu 16-56 sorties"));
    // A history given by path is read as the game its lines hold, --jeu or not.
    const QString copy = m_home.filePath(QStringLiteral("autre.txt"));
    writeFile(copy, crlf(current));
    expectCurrentRanking(cli(QStringList{QStringLiteral("--history"), copy, QStringLiteral("sorties")}));
    expectCurrentRanking(cli(QStringList{QStringLiteral("--history"), copy, QStringLiteral("--jeu"), QStringLiteral("16-56"),
                                         QStringLiteral("sorties")}));
}

TEST_F(CliGameTest, TheClassicGameStaysTheDefaultByteForByte)
{
    const CliOutput plain = cli("sorties"), chosen = cli("--jeu 20-70 sorties");
    EXPECT_EQ(plain.code, 0) << plain.err.toStdString();
    EXPECT_EQ(plain.outLines().size(), 73);
    EXPECT_EQ(plain.out, chosen.out);
    EXPECT_EQ(plain.err, chosen.err);
}

TEST_F(CliGameTest, AGameThatIsNoneOrContradictsTheHistoryIsRefused)
{
    const QString classicCopy = m_home.filePath(QStringLiteral("classique.txt"));
    writeFile(classicCopy, readFile(working()));
    const struct {
        QStringList args;
        const char* error;
    } cases[] = {
        {words("--jeu 15-50 sorties"), "--jeu : « 15-50 » n'est pas un jeu : 20-70 ou 16-56"},
        {words("--jeu 16/56 sorties"), "--jeu : « 16/56 » n'est pas un jeu : 20-70 ou 16-56"},
        {QStringList{QStringLiteral("--jeu"), QStringLiteral("16-56"), QStringLiteral("--history"), classicCopy,
                     QStringLiteral("sorties")},
         "--jeu : « 16-56 » contredit l'historique « %1 », qui tient des tirages du Keno 20 sur 70 (1993–2025)"},
        {words("--jeu 16-56 --numbers 3,57 partenaires"), "--numbers : « 57 » n'est pas un nombre de 1 à 56"},
        {words("--jeu 16-56 --slots midi sorties"),
         "--slots : le Keno 16 sur 56 (depuis le 03/11/2025) n'a pas de tirage de midi"},
        {words("--jeu 16-56 add 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20"),
         "add : il faut exactement 16 numéros, 20 donnés"},
        {words("--jeu 16-56 colonne 17"), "colonne : « 17 » n'est pas une colonne de 1 à 16"},
    };
    const QByteArray before = readFile(currentWorking());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CliOutput r = cli(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, QString());
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("tiravol-cli : ")
                                     + QString::fromUtf8(c.error).replace(QStringLiteral("%1"), classicCopy)))
            << r.err.toStdString();
    }
    EXPECT_EQ(readFile(currentWorking()), before);
    // The classic game takes twenty numbers up to 70, as ever.
    const CliOutput wide = cli("--numbers 57,70 partenaires");
    EXPECT_EQ(wide.code, 0) << wide.err.toStdString();
}

TEST_F(CliGameTest, AnArchiveOfTheOtherGameIsNeverImportedIntoThisOne)
{
    const QString archive = m_home.filePath(QStringLiteral("keno_202010.csv"));
    // Dated after the new game's last draw: only the game tells them apart.
    writeFile(archive, operatorCsv(makeHistory(40, QDate(2026, 1, 1))));
    const QByteArray before = readFile(currentWorking()), classicBefore = readFile(working());
    const CliOutput r = cli(QStringList{QStringLiteral("--jeu"), QStringLiteral("16-56"), QStringLiteral("import"), archive});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(
        QStringLiteral("Cette archive est celle du Keno 20 sur 70 ; l'historique ouvert est celui du Keno 16 sur 56.\n")))
        << r.err.toStdString();
    EXPECT_EQ(readFile(currentWorking()), before);
    EXPECT_EQ(readFile(working()), classicBefore);
}

TEST_F(CliGameTest, TheCalendarFilterKnowsTheNewGamesOneEveningDraw)
{
    // Every evening is kept: the filter of a one-slot game must not ask for a midday draw.
    // (A filter that keeps nothing gives the whole history back, so a date narrows each case.)
    expectRankingOf(cli("--jeu 16-56 --slots soir --from 10/11/2025 sorties"), current.mid(7));
    expectRankingOf(cli("--jeu 16-56 --to 20/11/2025 sorties"), current.mid(0, 18));
    const CliOutput midday = cli("--jeu 16-56 --slots midi sorties");
    EXPECT_EQ(midday.code, 2);
    EXPECT_TRUE(midday.err.contains(QStringLiteral("pas de tirage de midi"))) << midday.err.toStdString();
}
