// SPDX-License-Identifier: GPL-3.0-or-later
// The exact law of a total of plays, checked against computations of the test's own: the
// odds from exact binomial coefficients, a plain draw-by-draw convolution, the
// binomial law of Boost.Math, a seeded simulation of the coverage of the 95 % band, and sums of
// groups of plays convolved play by play in long double.
#include "chance/TotalLaw.h"
#include "support/ChanceSupport.h"

#include <boost/math/distributions/binomial.hpp>
#include <map>
#include <tuple>

using ChanceSupport::odds;

namespace {

// P(total = x) for x = 0..cap over n plays, by convolving one play at a time. Amounts are not
// negative, so cutting the array at `cap` changes none of the values kept.
std::vector<long double> convolved(int k, int n, int cap, bool matches)
{
    std::vector<long double> law(static_cast<size_t>(cap) + 1, 0.0L), next(law.size());
    law[0] = 1;
    for (int play = 0; play < n; ++play) {
        std::fill(next.begin(), next.end(), 0.0L);
        for (int m = 0; m <= k; ++m) {
            const int v = matches ? m : TestSupport::pay(k, m);
            const long double p = odds(k, m);
            for (int x = 0; x + v <= cap; ++x)
                next[static_cast<size_t>(x + v)] += law[static_cast<size_t>(x)] * p;
        }
        law.swap(next);
    }
    return law;
}

// The band's ends and the median.
using Ends = std::tuple<qint64, qint64, qint64>;

Ends endsOf(const TotalLaw& law)
{
    return {law.band().low, law.band().high, law.median()};
}

// The same read from P(total = x), x = 0, 1, ...
Ends quantilesOf(const std::vector<long double>& law)
{
    qint64 low = -1, high = -1, median = -1;
    long double c = 0;
    for (size_t x = 0; x < law.size(); ++x) {
        c += law[x];
        if (low < 0 && c > 0.025L)
            low = static_cast<qint64>(x);
        if (median < 0 && c >= 0.5L)
            median = static_cast<qint64>(x);
        if (high < 0 && c >= 0.975L)
            high = static_cast<qint64>(x);
    }
    return {low, high, median};
}

} // namespace

TEST(TotalLawTest, BandAndMedianAreThoseOfThePlainConvolution)
{
    // Numbers played, draws, and a total past the band's high end.
    for (const auto& [k, n, cap] : {std::array{2, 10, 60},
                                    {3, 200, 400},
                                    {5, 300, 700},
                                    {6, 500, 1500},
                                    {7, 400, 4000},
                                    {8, 300, 4000},
                                    {9, 1000, 3000},
                                    {10, 2000, 4000},
                                    {10, 15, 200}}) {
        SCOPED_TRACE(testing::Message() << k << " numbers, " << n << " draws");
        const Ends exact = quantilesOf(convolved(k, n, cap, false));
        ASSERT_GE(std::get<1>(exact), 0) << "cap too low";
        const TotalLaw law = TotalLaw::payout(k, n);
        EXPECT_EQ(endsOf(law), exact);
        double mean = 0;
        for (int m = 0; m <= k; ++m)
            mean += n * TestSupport::pay(k, m) * odds(k, m);
        EXPECT_NEAR(law.mean(), mean, 1e-9 * mean);
    }
    // The number of matches: 10 numbers over 500 draws.
    const TotalLaw matches = TotalLaw::matches(10, 500);
    EXPECT_EQ(endsOf(matches), quantilesOf(convolved(10, 500, 2000, true)));
    EXPECT_NEAR(matches.mean(), 500 * 10 * 2.0 / 7.0, 1e-9);
}

TEST(TotalLawTest, OneAndTwoNumbersFollowTheBinomial)
{
    // One number counts its appearances; two numbers pay 6 when both are drawn: the total is a
    // binomial count, times 1 or 6.
    for (const auto& [k, n, amount] : {std::array{1, 10, 1}, {1, 100000, 1}, {2, 10, 6}, {2, 100000, 6}}) {
        const boost::math::binomial_distribution<long double> count(n, odds(k, k));
        std::vector<long double> law(static_cast<size_t>(amount * n) + 1);
        for (int j = 0; j <= n; ++j)
            law[static_cast<size_t>(amount * j)] = boost::math::pdf(count, j);
        EXPECT_EQ(endsOf(TotalLaw::payout(k, n)), quantilesOf(law)) << k << " numbers, " << n << " draws";
    }
}

TEST(TotalLawTest, BandHoldsNinetyFivePercentOfSimulatedTotals)
{
    // A seeded simulation of whole totals, each play drawn from the odds above.
    std::mt19937_64 rng(2024);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    // Numbers played, draws, and simulated totals.
    for (const auto& [k, n, totals] : {std::array{2, 10, 20000},
                                       {4, 100, 8000},
                                       {6, 100, 8000},
                                       {7, 2000, 2000},
                                       {10, 2000, 2000},
                                       {9, 10, 20000},
                                       {8, 20000, 300}}) {
        SCOPED_TRACE(testing::Message() << k << " numbers, " << n << " draws");
        const TotalLaw::Band band = TotalLaw::payout(k, n).band();
        std::array<double, 11> cumulative{};
        double sum = 0;
        for (int m = 0; m <= k; ++m)
            cumulative[static_cast<size_t>(m)] = sum += odds(k, m);
        int below = 0, atLow = 0, above = 0, atHigh = 0;
        for (int t = 0; t < totals; ++t) {
            qint64 total = 0;
            for (int d = 0; d < n; ++d) {
                const double u = uniform(rng);
                int m = 0;
                while (m < k && u >= cumulative[static_cast<size_t>(m)])
                    ++m;
                total += TestSupport::pay(k, m);
            }
            below += total < band.low ? 1 : 0;
            atLow += total <= band.low ? 1 : 0;
            above += total > band.high ? 1 : 0;
            atHigh += total >= band.high ? 1 : 0;
        }
        // Each tail of the band is at most 2.5 %, and the band is no wider than the steps force:
        // its ends themselves hold more than 2.5 % with the tails beyond them.
        const double tolerance = 4 * std::sqrt(0.025 * 0.975 / totals);
        const double t = totals;
        EXPECT_LE(below / t, 0.025 + tolerance);
        EXPECT_LE(above / t, 0.025 + tolerance);
        EXPECT_GE((t - below - above) / t, 0.95 - 2 * tolerance);
        EXPECT_GE(atLow / t, 0.025 - tolerance);
        EXPECT_GE(atHigh / t, 0.025 - tolerance);
    }
}

TEST(TotalLawTest, NewGameLawsAreThoseOfItsOwnOddsAndTable)
{
    const Formula& current = Formula::current();
    const Formula full = ChanceSupport::newGameWithFullTable();
    for (int k = 4; k <= 10; ++k) {
        for (int m = 0; m <= k; ++m)
            EXPECT_NEAR(TotalLaw::matchProbability(k, m, current) / odds(k, m, 56, 16), 1.0, 1e-12) << k << ' ' << m;
        // The published table lacks amounts in every row: no law is made of a guess.
        EXPECT_FALSE(TotalLaw::payout(current, k, 10).has_value()) << k;
    }
    // The draw-by-draw convolution of the test's table (m² − 1 from 2 matched) and odds.
    for (const auto& [k, n] : {std::pair{7, 150}, {4, 400}, {10, 60}}) {
        SCOPED_TRACE(testing::Message() << k << " numbers, " << n << " draws");
        const int cap = n * (k * k - 1);
        std::vector<long double> paid(static_cast<size_t>(cap) + 1, 0.0L), matched(static_cast<size_t>(n * k) + 1, 0.0L);
        paid[0] = matched[0] = 1;
        long double mean = 0;
        for (int play = 0; play < n; ++play) {
            std::vector<long double> nextPaid(paid.size(), 0.0L), nextMatched(matched.size(), 0.0L);
            for (int m = 0; m <= k; ++m) {
                const int v = m >= 2 ? m * m - 1 : 0;
                const long double p = odds(k, m, 56, 16);
                for (int x = 0; x + v <= cap; ++x)
                    nextPaid[static_cast<size_t>(x + v)] += paid[static_cast<size_t>(x)] * p;
                for (int x = 0; x + m <= n * k; ++x)
                    nextMatched[static_cast<size_t>(x + m)] += matched[static_cast<size_t>(x)] * p;
                if (play == 0)
                    mean += n * v * p;
            }
            paid.swap(nextPaid);
            matched.swap(nextMatched);
        }
        const std::optional<TotalLaw> payout = TotalLaw::payout(full, k, n);
        ASSERT_TRUE(payout.has_value());
        EXPECT_EQ(endsOf(*payout), quantilesOf(paid));
        EXPECT_NEAR(payout->mean(), static_cast<double>(mean), 1e-9 * static_cast<double>(mean));
        const TotalLaw matches = TotalLaw::matches(k, n, current);
        EXPECT_EQ(endsOf(matches), quantilesOf(matched));
        EXPECT_NEAR(matches.mean(), n * k * 16.0 / 56.0, 1e-9);
    }
}

namespace {

// A law as P(total = x) by total, worked out play by play in long double.
using Exact = std::map<qint64, long double>;

// Adds `plays` plays worth values[m] with probability probs[m]; totals below 1e-22 are left out
// (their mass, all together, stays far below the tolerances).
void addPlays(Exact& total, const std::vector<qint64>& values, const std::vector<long double>& probs, int plays)
{
    for (int p = 0; p < plays; ++p) {
        Exact next;
        for (const auto& [a, pa] : total)
            for (size_t i = 0; i < values.size(); ++i)
                if (pa * probs[i] > 1e-22L)
                    next[a + values[i]] += pa * probs[i];
        total.swap(next);
    }
}

// k numbers of `game` paid `table` × euros × factor, `plays` times.
struct Plays {
    int k, euros, factor, plays;
};

Exact exactSum(const Formula& game, const PayTable& table, const std::vector<Plays>& groups)
{
    Exact total{{0, 1.0L}};
    for (const Plays& g : groups) {
        std::vector<qint64> values;
        std::vector<long double> probs;
        for (int m = 0; m <= g.k; ++m) {
            values.push_back(*table.amount(g.k, m) * g.euros * g.factor);
            probs.push_back(odds(g.k, m, game.numbers, game.drawn));
        }
        addPlays(total, values, probs, g.plays);
    }
    return total;
}

std::vector<TotalLaw::Group> groupsOf(const Formula& game, const PayTable& table, const std::vector<Plays>& groups)
{
    std::vector<TotalLaw::Group> out;
    for (const Plays& g : groups) {
        TotalLaw::Group group{{}, {}, g.plays};
        for (int m = 0; m <= g.k; ++m) {
            group.values.push_back(*table.amount(g.k, m) * g.euros * g.factor);
            group.probs.push_back(TotalLaw::matchProbability(g.k, m, game));
        }
        out.push_back(group);
    }
    return out;
}

// The law agrees with the exact one at every total it holds and just below it, its mean too,
// and its band and median are read at the same totals.
void expectLaw(const TotalLaw& law, const Exact& exact)
{
    long double c = 0, mean = 0;
    std::vector<long double> dense;
    qint64 low = -1, high = -1, median = -1;
    for (const auto& [x, px] : exact) {
        EXPECT_NEAR(law.cdf(x - 1), static_cast<double>(c), 1e-12) << x - 1;
        c += px;
        mean += x * px;
        EXPECT_NEAR(law.cdf(x), static_cast<double>(c), 1e-12) << x;
        if (low < 0 && c > 0.025L)
            low = x;
        if (median < 0 && c >= 0.5L)
            median = x;
        if (high < 0 && c >= 0.975L)
            high = x;
    }
    EXPECT_EQ(endsOf(law), (Ends{low, high, median}));
    EXPECT_NEAR(law.mean(), static_cast<double>(mean), 1e-9 * static_cast<double>(mean));
}

} // namespace

TEST(TotalLawTest, SumOfSeveralGroupsIsTheirConvolution)
{
    const Formula& classic = Formula::classic();
    const Formula full = ChanceSupport::newGameWithFullTable();
    // Tickets of several sizes and stakes, each draw paid times its own multiplier; in the new
    // game with the amounts it publishes (10 of 10, 7 of 7, 6 and 5 of 7) and the others filled.
    PayTable published = full.payTable;
    for (const auto& [k, m] : {std::pair{10, 10}, {7, 7}, {7, 6}, {7, 5}})
        published.amounts[static_cast<size_t>(k)][static_cast<size_t>(m)] = *Formula::current().payTable.amount(k, m);
    struct Case {
        const Formula* game;
        PayTable table;
        std::vector<Plays> groups;
    };
    const std::vector<Case> cases{
        {&classic, classic.payTable, {{3, 2, 1, 15}, {3, 2, 3, 8}, {5, 1, 2, 10}, {6, 5, 1, 6}}},
        {&classic, classic.payTable, {{4, 1, 1, 20}, {4, 1, 2, 10}, {4, 1, 5, 3}}},
        {&full, published, {{7, 2, 1, 12}, {7, 2, 2, 8}, {7, 2, 10, 3}, {4, 1, 1, 15}}},
        {&full, published, {{5, 3, 1, 10}, {6, 1, 1, 10}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.game->key.toStdString() << ", " << c.groups.size() << " groups");
        const std::optional<TotalLaw> law = TotalLaw::sum(groupsOf(*c.game, c.table, c.groups));
        ASSERT_TRUE(law.has_value());
        expectLaw(*law, exactSum(*c.game, c.table, c.groups));
    }
}

TEST(TotalLawTest, SumSetsTheJackpotsTimesTheirMultipliersApart)
{
    // Ten numbers at 10 € with the option: the jackpot times 5, 3 and 2 is too far out for one
    // grid and is set apart, the combinations of jackpots falling on the same totals.
    const Formula& classic = Formula::classic();
    const std::vector<Plays> groups{{10, 10, 1, 6}, {10, 10, 2, 6}, {10, 10, 3, 6}, {10, 10, 5, 6}};
    const std::optional<TotalLaw> law = TotalLaw::sum(groupsOf(classic, classic.payTable, groups));
    ASSERT_TRUE(law.has_value());
    expectLaw(*law, exactSum(classic, classic.payTable, groups));
    // The same in the new game, its published jackpot with the table filled below it.
    const Formula full = ChanceSupport::newGameWithFullTable();
    PayTable published = full.payTable;
    published.amounts[10][10] = *Formula::current().payTable.amount(10, 10);
    const std::vector<Plays> newGame{{10, 10, 1, 5}, {10, 10, 3, 5}, {10, 10, 10, 5}};
    const std::optional<TotalLaw> newLaw = TotalLaw::sum(groupsOf(full, published, newGame));
    ASSERT_TRUE(newLaw.has_value());
    expectLaw(*newLaw, exactSum(full, published, newGame));
}

TEST(TotalLawTest, PayoutPaysEachDrawItsOwnMultiplier)
{
    const Formula& classic = Formula::classic();
    // 14 plays: 6 at ×1 (not listed), 5 at ×2 and 3 at ×4, 3 € each; the law of 14 plays with
    // their multipliers fixed, not drawn at random at each play.
    const std::optional<TotalLaw> law = TotalLaw::payout(classic, classic.payTable, 5, 14, 3, {{2, 5}, {4, 3}});
    ASSERT_TRUE(law.has_value());
    expectLaw(*law, exactSum(classic, classic.payTable, {{5, 3, 1, 6}, {5, 3, 2, 5}, {5, 3, 4, 3}}));
    // All at ×1: the law of one euro amounts, as without the option.
    const TotalLaw plain = TotalLaw::payout(5, 14);
    const std::optional<TotalLaw> ones = TotalLaw::payout(classic, classic.payTable, 5, 14, 1, {{1, 14}});
    ASSERT_TRUE(ones.has_value());
    EXPECT_EQ(endsOf(*ones), endsOf(plain));
    // A table that lacks an amount of the row makes no law, with or without the option.
    const Formula& current = Formula::current();
    for (int k = current.minTicked; k <= current.maxTicked; ++k) {
        EXPECT_FALSE(TotalLaw::payout(current, current.payTable, k, 10, 2, {{3, 4}}).has_value()) << k;
        EXPECT_FALSE(TotalLaw::payout(current, current.payTable, k, 10).has_value()) << k;
    }
}

TEST(TotalLawTest, SumTooLargeForMemoryIsRefused)
{
    // Twelve multipliers of ten numbers at 10 € over 20,000 draws each: the amounts below the
    // jackpots alone spread over more grid points than a law may hold.
    const Formula& classic = Formula::classic();
    std::vector<Plays> groups;
    for (int f = 1; f <= 12; ++f)
        groups.push_back({10, 10, f, 20000});
    EXPECT_FALSE(TotalLaw::sum(groupsOf(classic, classic.payTable, groups)).has_value());
}
