// SPDX-License-Identifier: GPL-3.0-or-later
// The backtest of the forecast selection: what it plays, that it never looks at the draw it
// plays nor later ones, and that a seed makes its random players again.
#include "chance/Backtest.h"
#include "chance/ChanceText.h"
#include "support/ChanceSupport.h"

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>

using namespace TestSupport;

namespace {

// Criteria under which the selection changes from draw to draw.
ForecastCriteria choosy()
{
    ForecastCriteria c;
    c.setValue(CriterionBar::RecentMin, 5);
    c.setValue(CriterionBar::GapMax, 2);
    return c;
}

} // namespace

TEST(BacktestTest, TicketTakesTheGroupOfFourCriteriaFirst)
{
    std::array<int, 71> met{};
    met[9] = met[41] = 4;
    met[2] = met[70] = met[5] = 3;
    met[1] = 2;
    EXPECT_EQ(Backtest::ticket(met, 2), (std::vector<int>{9, 41}));
    EXPECT_EQ(Backtest::ticket(met, 4), (std::vector<int>{2, 5, 9, 41}));
    EXPECT_EQ(Backtest::ticket(met, 6), (std::vector<int>{1, 2, 5, 9, 41, 70}));
}

TEST(BacktestTest, NeverReadsTheDrawItPlaysNorLaterOnes)
{
    const Draws past = randomDraws(300, 5);
    const Draws other = randomDraws(300, 6);
    const ForecastCriteria criteria = choosy();
    const StudyPeriod period{100, 299};
    const BacktestSettings settings{10, 3};
    const BacktestResult reference = Backtest::run(matrixOf(past), period, criteria, settings);
    ASSERT_EQ(std::tuple(reference.played, reference.firstDraw, reference.lastDraw), std::tuple(200, 100, 299));
    for (int changedFrom : {100, 180, 299}) {
        Draws altered = past;
        std::copy(other.begin() + changedFrom, other.end(), altered.begin() + changedFrom);
        const BacktestResult r = Backtest::run(matrixOf(altered), period, criteria, settings);
        ASSERT_EQ(r.tickets.size(), reference.tickets.size());
        // The ticket for the first changed draw is made before it is known: it cannot move.
        for (int d = period.first; d <= changedFrom; ++d)
            EXPECT_EQ(r.tickets[static_cast<size_t>(d - period.first)], reference.tickets[static_cast<size_t>(d - period.first)])
                << "draw " << d << ", history changed from " << changedFrom;
        if (changedFrom < 250) {
            bool moved = false;
            for (size_t i = static_cast<size_t>(changedFrom - period.first + 1); i < r.tickets.size(); ++i)
                moved = moved || r.tickets[i] != reference.tickets[i];
            EXPECT_TRUE(moved) << "the later tickets follow the history";
        }
    }
}

TEST(BacktestTest, DesignTimeCriteriaPlayTheFirstNumbersAndPayByTheTable)
{
    // With the design-time criteria every number meets all four on a short history.
    const Draws draws = randomDraws(120, 9);
    const BacktestResult r = Backtest::run(matrixOf(draws), {-5, 119}, ForecastCriteria(), {10, 1});
    ASSERT_EQ(r.played, 119); // draw 0 has nothing before it
    qint64 won = 0, balance = 0, peak = 0, worst = 0;
    int streak = 0, longest = 0;
    for (int d = 1; d < 120; ++d) {
        EXPECT_EQ(r.tickets[static_cast<size_t>(d - 1)], (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        const int m = static_cast<int>(std::count_if(draws[static_cast<size_t>(d)].begin(), draws[static_cast<size_t>(d)].end(),
                                                     [](int n) { return n <= 10; }));
        const int pay = TestSupport::pay(10, m);
        won += pay;
        balance += pay - 1;
        peak = std::max(peak, balance);
        worst = std::max(worst, peak - balance);
        streak = pay == 0 ? streak + 1 : 0;
        longest = std::max(longest, streak);
    }
    EXPECT_EQ(r.forecast.staked, 119);
    EXPECT_EQ(r.forecast.won, won);
    EXPECT_EQ(r.forecast.largestFall, worst);
    EXPECT_EQ(r.forecast.longestLosingStreak, longest);
    // Said plainly: the test then judges one ticket, not a method.
    const QStringList lines = Backtest::reportLines(r, {10, 1}, QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Grille la plus jouée : 1 2 3 4 5 6 7 8 9 10, sur 119 tirages (100,0 %)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("La prévision joue toujours la même grille : ce test ne juge que cette grille")));

    const BacktestResult four = Backtest::run(matrixOf(draws), {0, 119}, ForecastCriteria(), {4, 1});
    EXPECT_EQ(four.tickets.front(), (std::vector<int>{1, 2, 3, 4}));
}

TEST(BacktestTest, StopsWhenAskedAndReportsProgress)
{
    const DrawMatrix m = matrixOf(randomDraws(200, 4));
    std::atomic_bool cancel{false};
    int lastDone = 0, lastTotal = 0;
    const BacktestResult whole = Backtest::run(m, {0, 199}, ForecastCriteria(), {10, 1}, [&](int done, int total) {
        lastDone = done;
        lastTotal = total;
    });
    EXPECT_TRUE(lastDone == 199 && lastTotal == 199 && !whole.cancelled) << lastDone << ' ' << lastTotal;

    const BacktestResult stopped = Backtest::run(
        m, {0, 199}, ForecastCriteria(), {10, 1},
        [&](int done, int) {
            if (done >= 64)
                cancel = true;
        },
        &cancel);
    EXPECT_TRUE(stopped.cancelled && stopped.played == 64 && stopped.lastDraw == 64) << stopped.played;
    const QStringList lines = Backtest::reportLines(stopped, {10, 1}, QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Test interrompu : seuls les tirages joués sont comptés")));

    cancel = true;
    const BacktestResult atOnce = Backtest::run(m, {0, 199}, ForecastCriteria(), {10, 1}, {}, &cancel);
    EXPECT_EQ(atOnce.played, 0);
    EXPECT_EQ(Backtest::reportLines(atOnce, {10, 1}, {}, {}), QStringList{QStringLiteral("Test interrompu : aucun tirage joué")});

    const BacktestResult none = Backtest::run(m, {0, 0}, ForecastCriteria(), {10, 1});
    EXPECT_EQ(none.played, 0);
    EXPECT_EQ(Backtest::reportLines(none, {10, 1}, {}, {}),
              QStringList{QStringLiteral("Aucun tirage à tester : il faut au moins un tirage avant la période")});
}

TEST(BacktestTest, EachDrawIsPlayedAsAFreshSelectionOnTheEarlierDrawsWouldPlayIt)
{
    const Draws draws = randomDraws(160, 31);
    const DrawMatrix m = matrixOf(draws);
    // The window's state after a load of the whole history: its ranges come from all the draws.
    ForecastCriteria loaded;
    StudyPeriod whole{0, 159};
    loaded.updateAfterLoad(161, computeStats(m, whole));
    ForecastCriteria narrow = loaded;
    narrow.setValue(CriterionBar::AverageDraws, 50);
    narrow.setValue(CriterionBar::AverageMin, 15);
    narrow.setValue(CriterionBar::GapMin, 3);
    narrow.setValue(CriterionBar::RecentMax, 3);
    int changing = 0;
    const std::vector<std::pair<ForecastCriteria, StudyPeriod>> cases
        = {{ForecastCriteria(), {0, 159}}, {choosy(), {0, 159}}, {loaded, {0, 159}}, {narrow, {37, 140}}};
    for (const auto& [c, period] : cases) {
        const BacktestResult r = Backtest::run(m, period, c, {7, 1});
        EXPECT_EQ(r.tickets, Backtest::naiveTickets(m, period, c, 7)) << period.first;
        changing += r.commonTicketDraws < r.played / 2 ? 1 : 0;
    }
    EXPECT_GE(changing, 2); // the comparison is not only of constant tickets
}

TEST(BacktestTest, RandomPlayersFollowTheOddsOfChanceAndTheSeedMakesThemAgain)
{
    const DrawMatrix m = matrixOf(randomDraws(301, 8));
    const BacktestResult r = Backtest::run(m, {1, 300}, choosy(), {2, 5});
    const BacktestResult again = Backtest::run(m, {1, 300}, choosy(), {2, 5});
    const BacktestResult other = Backtest::run(m, {1, 300}, choosy(), {2, 6});
    const QStringList lines = Backtest::reportLines(r, {2, 5}, QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_EQ(lines, Backtest::reportLines(again, {2, 5}, QStringLiteral("a"), QStringLiteral("b")));
    EXPECT_EQ(r.forecast.won, other.forecast.won); // the seed is for the random players only
    EXPECT_NE(r.randomTotals, other.randomTotals);

    // Two numbers: a random player's total over n draws is 6 times a binomial count.
    ASSERT_EQ(r.randomTotals.size(), 1000u);
    ASSERT_TRUE(std::is_sorted(r.randomTotals.begin(), r.randomTotals.end()));
    const double p = 190.0 / 2415.0; // C(20,2) / C(70,2)
    const boost::math::binomial_distribution<double> law(300, p);
    double sum = 0;
    int atMostMedian = 0, belowLowTail = 0;
    const double median = 6 * boost::math::quantile(law, 0.5);
    const double lowTail = 6 * boost::math::quantile(law, 0.05);
    for (qint64 t : r.randomTotals) {
        EXPECT_EQ(t % 6, 0);
        sum += static_cast<double>(t);
        atMostMedian += t <= median ? 1 : 0;
        belowLowTail += t < lowTail ? 1 : 0;
    }
    const double mean = 6 * 300 * p, sd = 6 * std::sqrt(300 * p * (1 - p));
    EXPECT_NEAR(sum / 1000, mean, 4 * sd / std::sqrt(1000.0));
    EXPECT_NEAR(atMostMedian / 1000.0, boost::math::cdf(law, median / 6), 0.05);
    EXPECT_LE(belowLowTail / 1000.0, 0.05 + 0.025);
    // The exact law of the same draws.
    EXPECT_EQ(r.median, static_cast<qint64>(median));
}

TEST(BacktestTest, ReportRanksTheForecastAmongTheRandomPlayers)
{
    BacktestResult r;
    r.firstDraw = r.lastDraw = r.played = r.commonTicketDraws = 1;
    r.forecast = {1, 1, 1, 1};
    r.commonTicket = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    r.expected = 0.55, r.median = 0, r.band = {0, 2};
    // 600 players won 0, 300 won 1, 90 won 2 and 10 won 5.
    for (int i = 0; i < 1000; ++i)
        r.randomTotals.push_back(i < 600 ? 0 : i < 900 ? 1 : i < 990 ? 2 : 5);
    const BacktestSettings settings{10, 9};
    QStringList lines = Backtest::reportLines(r, settings, QStringLiteral("a"), QStringLiteral("b"));
    const QString sep = ChanceText::groupSeparator();
    const QStringList expected
        = {QStringLiteral("Test de la prévision sur 1 tirage, du a au b"),
           QStringLiteral("Chaque tirage : 10 numéros de la sélection faite sur les seuls tirages précédents"),
           QStringLiteral("(communs à 4 critères, complétés par les groupes suivants), mise 1 €uro"),
           QStringLiteral("Comparaison : 10 numéros au hasard par tirage, graine 9"),
           QStringLiteral("Forme générale et bornes d'écart : celles d'un chargement des seuls tirages précédents"),
           QStringLiteral("Grille la plus jouée : 1 2 3 4 5 6 7 8 9 10, sur 1 tirage (100,0 %)"), QString(),
           QStringLiteral("Prévision : misé 1 €uro, encaissé 1 €uro, bénéfice 0 €uro"),
           QStringLiteral("  plus forte baisse du solde 1 €uro, plus longue suite sans gain 1 tirage"), QString(),
           QStringLiteral("Hasard, loi exacte du total de 1 tirage :"),
           QStringLiteral("  encaissé attendu 0,6 €uro, médian 0 €uro"), QStringLiteral("  intervalle à 95 % : 0 à 2 €uros"),
           QStringLiteral("  prévision dans l'intervalle : compatible avec le hasard au risque de 5 %"), QString(),
           QStringLiteral("1") + sep + QStringLiteral("000 joueurs au hasard, une grille de 10 numéros tirée à chaque tirage :"),
           // The central 95 %: 25 players below the range, 25 above.
           QStringLiteral("  encaissé médian 0 €uro, 95 % d'entre eux entre 0 et 2 €uros"),
           QStringLiteral("  la prévision encaisse plus que 600, autant que 300, moins que 100 : centile 75,0"),
           // (1 + 400) / 1001
           QStringLiteral("  p unilatéral (k+1)/1") + sep
               + QStringLiteral("001 = 0,401 ; k = 400 joueurs encaissent au moins autant")};
    EXPECT_EQ(lines, expected);

    r.forecast = {1, 0, 1, 1};
    lines = Backtest::reportLines(r, settings, QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_EQ(lines[7], QStringLiteral("Prévision : misé 1 €uro, encaissé 0 €uro, perte 1 €uro"));
    EXPECT_EQ(lines[17], QStringLiteral("  la prévision encaisse plus que 0, autant que 600, moins que 400 : centile 30,0"));
    EXPECT_EQ(lines[18],
              QStringLiteral("  p unilatéral (k+1)/1") + sep + QStringLiteral("001 = 1,000 ; k = 1") + sep
                  + QStringLiteral("000 joueurs encaissent au moins autant"));
}

TEST(BacktestTest, NewGameSetAnUnknownAmountAsideAndSaysSo)
{
    // Design-time criteria on a short history: the ticket is 1..7 at every draw, numbers of the
    // game only (60 meets four criteria but is none of its numbers).
    std::array<int, 71> met{};
    met[60] = 4, met[3] = 4;
    EXPECT_EQ(Backtest::ticket(met, 4, Formula::current()), (std::vector<int>{1, 2, 3, 4}));

    const Draws draws = ChanceSupport::newGameDraws(120, 41);
    const BacktestResult r = Backtest::run(ChanceSupport::newGameMatrix(draws), {0, 119}, ForecastCriteria(), {7, 1});
    ASSERT_EQ(r.played, 119);
    std::array<int, 11> byMatches{};
    for (int d = 1; d < 120; ++d) {
        EXPECT_EQ(r.tickets[static_cast<size_t>(d - 1)], (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
        int m = 0;
        for (int n = 1; n <= 7; ++n)
            m += ChanceSupport::has(draws[static_cast<size_t>(d)], n) ? 1 : 0;
        ++byMatches[static_cast<size_t>(m)];
    }
    // Only 5, 6 and 7 of 7 have an amount: the other draws are staked, set aside, never paid 0.
    int unknown = 0;
    for (int m = 0; m <= 4; ++m) {
        EXPECT_EQ(r.unknownDraws[static_cast<size_t>(m)], byMatches[static_cast<size_t>(m)]) << m;
        unknown += byMatches[static_cast<size_t>(m)];
    }
    ASSERT_GT(unknown, 0);
    EXPECT_EQ(r.forecast.staked, 119);
    EXPECT_EQ(r.forecast.won, 5 * byMatches[5] + 90 * byMatches[6] + 3000 * byMatches[7]);
    EXPECT_FALSE(r.rowKnown);
    EXPECT_TRUE(r.randomTotals.empty());

    const QStringList lines = Backtest::reportLines(r, {7, 1}, QStringLiteral("a"), QStringLiteral("b"));
    const QString tail = lines.mid(lines.indexOf(QString())).join(QLatin1Char(' ')).simplified();
    EXPECT_EQ(tail,
              QStringLiteral("Prévision : misé 119 €uros, gain inconnu sur %1 tirages : bilan non calculé "
                             "Gains inconnus pour 0, 1, 2, 3 ou 4 numéros trouvés sur 7 : la table des gains de ce jeu "
                             "est incomplète. Sans ces gains, ni la loi exacte du hasard ni les joueurs au hasard ne "
                             "sont calculés")
                  .arg(unknown));
    EXPECT_EQ(ChanceSupport::countContaining(lines, QStringLiteral("encaissé attendu")), 0);
    for (const QString& line : lines)
        EXPECT_LE(line.size(), ChanceText::kLineWidth) << line.toStdString();
    // The new game is played from 4 numbers: a smaller size is played as 4.
    EXPECT_EQ(Backtest::smallest(Formula::current()), 4);
    EXPECT_EQ(Backtest::smallest(Formula::classic()), 2);
    EXPECT_EQ(Backtest::run(ChanceSupport::newGameMatrix(draws), {0, 5}, ForecastCriteria(), {2, 1}).tickets.front().size(), 4u);
}

TEST(BacktestTest, NewGameRandomPlayersFollowItsOddsWhenTheTableIsWhole)
{
    // The test's own full table (m² − 1 from 2 matched, so each amount tells m) on the new
    // game's odds; players of one draw each, so a total is one play.
    const Formula full = ChanceSupport::newGameWithFullTable();
    EXPECT_TRUE(Backtest::randomPlayers(7, 10, 10, 1, nullptr, Formula::current()).empty()); // its table lacks amounts
    constexpr int kPlayers = 1000000;
    const std::vector<qint64> totals = Backtest::randomPlayers(7, 1, kPlayers, 3, nullptr, full);
    ASSERT_EQ(totals.size(), static_cast<size_t>(kPlayers));
    for (int m = 1; m <= 7; ++m) {
        const qint64 pay = m >= 2 ? m * m - 1 : 0;
        const double seen = static_cast<double>(std::count(totals.begin(), totals.end(), pay)) / kPlayers;
        const double p
            = m == 1 ? ChanceSupport::odds(7, 0, 56, 16) + ChanceSupport::odds(7, 1, 56, 16) : ChanceSupport::odds(7, m, 56, 16);
        // Four standard errors; the classic game's odds lie six or more away for 0 or 1 and 5.
        EXPECT_NEAR(seen, p, 4 * std::sqrt(p * (1 - p) / kPlayers)) << m;
    }
}
