// The backtest of the forecast selection: what it plays, that it never looks at the draw it
// plays nor later ones, and that a seed makes it again.
#include "chance/Backtest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using Draws = std::vector<std::vector<int>>;

Draws randomDraws(int count, unsigned seed)
{
    std::mt19937 rng(seed);
    Draws draws;
    for (int i = 0; i < count; ++i) {
        std::vector<int> pool(70);
        std::iota(pool.begin(), pool.end(), 1);
        std::shuffle(pool.begin(), pool.end(), rng);
        pool.resize(20);
        draws.push_back(pool);
    }
    return draws;
}

DrawMatrix matrixOf(const Draws& draws)
{
    DrawMatrix m;
    m.resize(static_cast<int>(draws.size()) + 1);
    for (size_t d = 0; d < draws.size(); ++d)
        for (int n : draws[d])
            m.set(n, static_cast<int>(d), true);
    return m;
}

// The pay table for ten numbers, written out here.
int payTen(int matched)
{
    switch (matched) {
    case 0:
        return 1;
    case 5:
        return 2;
    case 6:
        return 5;
    case 7:
        return 15;
    case 8:
        return 100;
    case 9:
        return 2500;
    case 10:
        return 200000;
    default:
        return 0;
    }
}

// Criteria under which the selection changes from draw to draw.
ForecastCriteria choosy()
{
    ForecastCriteria c;
    c[CriterionBar::RecentMin].label = QStringLiteral("5");
    c[CriterionBar::GapMax].label = QStringLiteral("2");
    return c;
}

} // namespace

TEST(BacktestTest, TicketTakesTheGroupOfFourCriteriaFirst)
{
    const QStringList lines = {
        QStringLiteral("Forme recente sur 14 Tirages , Sortie entre 0 et 14"),
        QString(),
        QStringLiteral("Communs à 4 Criteres"),
        QString(),
        QStringLiteral("9"),
        QStringLiteral("41"),
        QString(),
        QString(),
        QStringLiteral("Communs à 3 Criteres"),
        QString(),
        QStringLiteral("2"),
        QStringLiteral("70"),
        QStringLiteral("5"),
        QString(),
        QString(),
        QStringLiteral("Communs à 2 Criteres"),
        QString(),
        QStringLiteral("1"),
        QString(),
    };
    EXPECT_EQ(Backtest::ticketFromSelection(lines, 2), (std::vector<int>{9, 41}));
    EXPECT_EQ(Backtest::ticketFromSelection(lines, 4), (std::vector<int>{2, 9, 41, 70}));
    EXPECT_EQ(Backtest::ticketFromSelection(lines, 6), (std::vector<int>{1, 2, 5, 9, 41, 70}));
}

TEST(BacktestTest, NeverReadsTheDrawItPlaysNorLaterOnes)
{
    const Draws past = randomDraws(300, 5);
    const Draws other = randomDraws(300, 6);
    const ForecastCriteria criteria = choosy();
    const StudyPeriod period{100, 299};
    const BacktestSettings settings{10, 3};
    const BacktestResult reference = Backtest::run(matrixOf(past), period, criteria, settings);
    ASSERT_EQ(reference.played, 200);
    ASSERT_EQ(reference.firstDraw, 100);
    ASSERT_EQ(reference.lastDraw, 299);
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
        const int pay = payTen(m);
        won += pay;
        balance += pay - 1;
        peak = std::max(peak, balance);
        worst = std::max(worst, peak - balance);
        streak = pay == 0 ? streak + 1 : 0;
        longest = std::max(longest, streak);
    }
    EXPECT_EQ(r.forecast.staked, 119);
    EXPECT_EQ(r.forecast.won, won);
    EXPECT_EQ(r.forecast.worstStretch, worst);
    EXPECT_EQ(r.forecast.longestLosingStreak, longest);
    EXPECT_EQ(r.random.staked, 119);

    const BacktestResult four = Backtest::run(matrixOf(draws), {0, 119}, ForecastCriteria(), {4, 1});
    EXPECT_EQ(four.tickets.front(), (std::vector<int>{1, 2, 3, 4}));
}

TEST(BacktestTest, SeedMakesTheSameReportAgain)
{
    const DrawMatrix m = matrixOf(randomDraws(150, 21));
    const BacktestResult a = Backtest::run(m, {10, 149}, choosy(), {6, 42});
    const BacktestResult b = Backtest::run(m, {10, 149}, choosy(), {6, 42});
    const BacktestResult c = Backtest::run(m, {10, 149}, choosy(), {6, 43});
    const QStringList lines = Backtest::reportLines(a, {6, 42}, QStringLiteral("01/01/2000"), QStringLiteral("02/02/2000"));
    EXPECT_EQ(lines, Backtest::reportLines(b, {6, 42}, QStringLiteral("01/01/2000"), QStringLiteral("02/02/2000")));
    EXPECT_EQ(a.forecast.won, c.forecast.won); // the seed is for the random tickets only
    EXPECT_TRUE(a.random.won != c.random.won || a.random.longestLosingStreak != c.random.longestLosingStreak
                || a.random.worstStretch != c.random.worstStretch);
    EXPECT_EQ(lines[0], QStringLiteral("Test de la prévision sur 140 tirages, du 01/01/2000 au 02/02/2000"));
    EXPECT_EQ(lines[1], QStringLiteral("Chaque tirage : 6 numéros de la sélection faite sur les seuls tirages précédents"));
    EXPECT_EQ(lines[3], QStringLiteral("Comparaison : 6 numéros au hasard par tirage, graine 42"));
    const QString forecastLine = QStringLiteral("Prévision : misé 140 €uros, encaissé ") + QString::number(a.forecast.won)
        + QStringLiteral(" €uros, ") + (a.forecast.won >= 140 ? QStringLiteral("bénéfice ") : QStringLiteral("perte "))
        + QString::number(a.forecast.won - 140) + QStringLiteral(" €uros");
    EXPECT_TRUE(lines.contains(forecastLine)) << forecastLine.toStdString();
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
    EXPECT_EQ(lastDone, 199);
    EXPECT_EQ(lastTotal, 199);
    EXPECT_FALSE(whole.cancelled);

    const BacktestResult stopped = Backtest::run(
        m, {0, 199}, ForecastCriteria(), {10, 1},
        [&](int done, int) {
            if (done >= 64)
                cancel = true;
        },
        &cancel);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(stopped.played, 64);
    EXPECT_EQ(stopped.lastDraw, 64);
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
