// The exact law of a total of plays, checked against computations of the test's own: the
// hypergeometric odds from exact binomial coefficients, a plain draw-by-draw convolution, the
// binomial law of Boost.Math, and a seeded simulation of the coverage of the 95 % band.
#include "chance/PerformanceComparison.h"
#include "chance/TotalLaw.h"

#include <boost/math/distributions/binomial.hpp>
#include <gtest/gtest.h>

#include <array>
#include <random>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// The pay table, written out here: rows k = 2..10, columns m = 0..10.
constexpr std::array<std::array<int, 11>, 11> kPay = {{
    {},
    {},
    {0, 0, 6},
    {0, 0, 2, 10},
    {0, 0, 0, 5, 50},
    {0, 0, 0, 2, 10, 100},
    {0, 0, 0, 0, 2, 30, 1000},
    {0, 0, 0, 0, 2, 5, 70, 3000},
    {2, 0, 0, 0, 0, 5, 20, 100, 10000},
    {1, 0, 0, 0, 1, 2, 8, 20, 200, 40000},
    {1, 0, 0, 0, 0, 2, 5, 15, 100, 2500, 200000},
}};

unsigned long long choose(int n, int r)
{
    if (r < 0 || r > n)
        return 0;
    unsigned long long c = 1;
    for (int i = 1; i <= r; ++i)
        c = c * static_cast<unsigned long long>(n - r + i) / static_cast<unsigned long long>(i);
    return c;
}

// P(m of k played among the 20 drawn of 70), as an exact ratio of whole numbers.
double odds(int k, int m)
{
    return static_cast<double>(choose(20, m) * choose(50, k - m)) / static_cast<double>(choose(70, k));
}

// P(total = x) for x = 0..cap over n plays, by convolving one play at a time. Amounts are not
// negative, so cutting the array at `cap` changes none of the values kept.
std::vector<long double> convolved(int k, int n, int cap, bool matches)
{
    std::vector<long double> law(static_cast<size_t>(cap) + 1, 0.0L), next(law.size());
    law[0] = 1;
    for (int play = 0; play < n; ++play) {
        std::fill(next.begin(), next.end(), 0.0L);
        for (int m = 0; m <= k; ++m) {
            const int v = matches ? m : kPay[static_cast<size_t>(k)][static_cast<size_t>(m)];
            const long double p = odds(k, m);
            for (int x = 0; x + v <= cap; ++x)
                next[static_cast<size_t>(x + v)] += law[static_cast<size_t>(x)] * p;
        }
        law.swap(next);
    }
    return law;
}

struct Quantiles {
    qint64 low = -1, high = -1, median = -1;
};

Quantiles quantilesOf(const std::vector<long double>& law)
{
    Quantiles q;
    long double c = 0;
    for (size_t x = 0; x < law.size(); ++x) {
        c += law[x];
        if (q.low < 0 && c > 0.025L)
            q.low = static_cast<qint64>(x);
        if (q.median < 0 && c >= 0.5L)
            q.median = static_cast<qint64>(x);
        if (q.high < 0 && c >= 0.975L)
            q.high = static_cast<qint64>(x);
    }
    return q;
}

} // namespace

TEST(TotalLawTest, BandAndMedianAreThoseOfThePlainConvolution)
{
    struct Case {
        int k, n, cap;
    };
    for (const Case c : {Case{2, 10, 60}, Case{3, 200, 400}, Case{5, 300, 700}, Case{6, 500, 1500}, Case{7, 400, 4000},
                         Case{8, 300, 4000}, Case{9, 1000, 3000}, Case{10, 2000, 4000}, Case{10, 15, 200}}) {
        const Quantiles q = quantilesOf(convolved(c.k, c.n, c.cap, false));
        ASSERT_GE(q.high, 0) << "cap too low for k = " << c.k;
        const TotalLaw law = TotalLaw::payout(c.k, c.n);
        const TotalLaw::Band band = law.band();
        EXPECT_EQ(band.low, q.low) << c.k << " numbers, " << c.n << " draws";
        EXPECT_EQ(band.high, q.high) << c.k << " numbers, " << c.n << " draws";
        EXPECT_EQ(law.median(), q.median) << c.k << " numbers, " << c.n << " draws";
        double mean = 0;
        for (int m = 0; m <= c.k; ++m)
            mean += c.n * kPay[static_cast<size_t>(c.k)][static_cast<size_t>(m)] * odds(c.k, m);
        EXPECT_NEAR(law.mean(), mean, 1e-9 * mean);
    }
    // The number of matches: 10 numbers over 500 draws.
    const Quantiles q = quantilesOf(convolved(10, 500, 2000, true));
    const TotalLaw matches = TotalLaw::matches(10, 500);
    EXPECT_EQ(matches.band().low, q.low);
    EXPECT_EQ(matches.band().high, q.high);
    EXPECT_NEAR(matches.mean(), 500 * 10 * 2.0 / 7.0, 1e-9);
}

TEST(TotalLawTest, OneAndTwoNumbersFollowTheBinomial)
{
    // One number counts its appearances; two numbers pay 6 when both are drawn: the total is a
    // binomial count, times 1 or 6.
    struct Case {
        int k, n, amount;
    };
    for (const Case c : {Case{1, 10, 1}, Case{1, 100000, 1}, Case{2, 10, 6}, Case{2, 100000, 6}}) {
        const boost::math::binomial_distribution<double> count(c.n, odds(c.k, c.k));
        qint64 low = -1, high = -1, median = -1;
        for (int j = 0; j <= c.n && high < 0; ++j) {
            const double p = boost::math::cdf(count, j);
            if (low < 0 && p > 0.025)
                low = c.amount * j;
            if (median < 0 && p >= 0.5)
                median = c.amount * j;
            if (p >= 0.975)
                high = c.amount * j;
        }
        const TotalLaw law = TotalLaw::payout(c.k, c.n);
        EXPECT_EQ(law.band().low, low) << c.k << " " << c.n;
        EXPECT_EQ(law.band().high, high) << c.k << " " << c.n;
        EXPECT_EQ(law.median(), median) << c.k << " " << c.n;
    }
}

TEST(TotalLawTest, BandHoldsNinetyFivePercentOfSimulatedTotals)
{
    // A seeded simulation of whole totals, each play drawn from the odds above.
    struct Case {
        int k, n, totals;
    };
    std::mt19937_64 rng(2024);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (const Case c : {Case{2, 10, 20000}, Case{4, 100, 8000}, Case{6, 100, 8000}, Case{7, 2000, 2000}, Case{10, 2000, 2000},
                         Case{9, 10, 20000}, Case{8, 20000, 300}}) {
        const TotalLaw law = TotalLaw::payout(c.k, c.n);
        const TotalLaw::Band band = law.band();
        std::array<double, 11> cumulative{};
        double sum = 0;
        for (int m = 0; m <= c.k; ++m)
            cumulative[static_cast<size_t>(m)] = sum += odds(c.k, m);
        int below = 0, atLow = 0, above = 0, atHigh = 0;
        for (int t = 0; t < c.totals; ++t) {
            qint64 total = 0;
            for (int d = 0; d < c.n; ++d) {
                const double u = uniform(rng);
                int m = 0;
                while (m < c.k && u >= cumulative[static_cast<size_t>(m)])
                    ++m;
                total += kPay[static_cast<size_t>(c.k)][static_cast<size_t>(m)];
            }
            below += total < band.low ? 1 : 0;
            atLow += total <= band.low ? 1 : 0;
            above += total > band.high ? 1 : 0;
            atHigh += total >= band.high ? 1 : 0;
        }
        // Each tail of the band is at most 2.5 %, and the band is no wider than the steps force:
        // its ends themselves hold more than 2.5 % with the tails beyond them.
        const double tolerance = 4 * std::sqrt(0.025 * 0.975 / c.totals);
        const double t = c.totals;
        EXPECT_LE(below / t, 0.025 + tolerance) << c.k << " numbers, " << c.n << " draws";
        EXPECT_LE(above / t, 0.025 + tolerance) << c.k << " numbers, " << c.n << " draws";
        EXPECT_GE((t - below - above) / t, 0.95 - 2 * tolerance) << c.k << " numbers, " << c.n << " draws";
        EXPECT_GE(atLow / t, 0.025 - tolerance) << c.k << " numbers, " << c.n << " draws";
        EXPECT_GE(atHigh / t, 0.025 - tolerance) << c.k << " numbers, " << c.n << " draws";
    }
}

TEST(PerformanceComparisonTest, SetNeverDrawnIsNotCompatibleWithChance)
{
    // 2,000 draws of 31..50: no number of 1..k is ever drawn. From 8 numbers up such a set is
    // paid for every draw, and its return alone would look ordinary: its matches give it away.
    DrawMatrix m;
    m.resize(2001);
    for (int d = 0; d < 2000; ++d)
        for (int n = 31; n <= 50; ++n)
            m.set(n, d, true);
    for (int k = 2; k <= 10; ++k) {
        std::vector<int> set;
        for (int n = 1; n <= k; ++n)
            set.push_back(n);
        const QStringList lines = PerformanceComparison::lines(m, {0, 1999}, set);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.last(), QStringLiteral("Verdict (deux tests, chacun au risque de 5 %) : pas compatible avec le hasard"))
            << k;
        EXPECT_TRUE(lines.contains(QStringLiteral("Les sorties sont hors de l'intervalle"))) << k;
    }
}
