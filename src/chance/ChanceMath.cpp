// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/ChanceMath.h"

#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/hypergeometric.hpp>
#include <boost/math/distributions/normal.hpp>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace ChanceMath {

namespace bm = boost::math;

double chiSquareUpperTail(double x, int df)
{
    if (df <= 0)
        return 1.0;
    if (x <= 0)
        return 1.0;
    return bm::cdf(bm::complement(bm::chi_squared_distribution<double>(df), x));
}

double chiSquareQuantile(int df, double level)
{
    return bm::quantile(bm::chi_squared_distribution<double>(df), level);
}

double normalQuantile(double level)
{
    return bm::quantile(bm::normal_distribution<double>(), level);
}

namespace {

// P(X <= k), 0 below the support.
double binomialCdf(int k, int trials, double p)
{
    if (k < 0)
        return 0.0;
    if (k >= trials)
        return 1.0;
    return bm::cdf(bm::binomial_distribution<double>(trials, p), k);
}

// P(X > k), summed from the upper side.
double binomialUpper(int k, int trials, double p)
{
    if (k < 0)
        return 1.0;
    if (k >= trials)
        return 0.0;
    return bm::cdf(bm::complement(bm::binomial_distribution<double>(trials, p), k));
}

} // namespace

Band binomialBand(int trials, double p, double coverage)
{
    if (trials <= 0)
        return {};
    const double tail = (1.0 - coverage) / 2.0;
    // The largest low with P(X < low) <= tail and the smallest high with P(X > high) <= tail,
    // searched from the normal approximation.
    const double mean = trials * p;
    const double sd = std::sqrt(trials * p * (1.0 - p));
    Band band;
    band.low = std::clamp(static_cast<int>(std::floor(mean - 2.0 * sd)), 0, trials);
    while (band.low > 0 && binomialCdf(band.low - 1, trials, p) > tail)
        --band.low;
    while (band.low < trials && binomialCdf(band.low, trials, p) <= tail)
        ++band.low;
    band.high = std::clamp(static_cast<int>(std::ceil(mean + 2.0 * sd)), 0, trials);
    while (band.high < trials && binomialUpper(band.high, trials, p) > tail)
        ++band.high;
    while (band.high > 0 && binomialUpper(band.high - 1, trials, p) <= tail)
        --band.high;
    return band;
}

double binomialOutsideShare(int trials, double p, const Band& band)
{
    if (trials <= 0)
        return 0.0;
    return binomialCdf(band.low - 1, trials, p) + binomialUpper(band.high, trials, p);
}

long double binomialTwoSidedP(int successes, int trials, double p)
{
    if (trials <= 0)
        return 1.0L;
    successes = std::clamp(successes, 0, trials);
    const bm::binomial_distribution<long double> dist(trials, p);
    const long double lower = successes >= trials ? 1.0L : bm::cdf(dist, successes);
    const long double upper = successes <= 0 ? 1.0L : bm::cdf(bm::complement(dist, successes - 1));
    return std::min(1.0L, 2.0L * std::min(lower, upper));
}

long double fisherTwoSidedP(int inSample, int sample, int total, int population)
{
    if (sample <= 0 || sample >= population || total <= 0 || total >= population)
        return 1.0L;
    const bm::hypergeometric_distribution<long double> dist(static_cast<unsigned>(total), static_cast<unsigned>(sample),
                                                            static_cast<unsigned>(population));
    const int low = std::max(0, sample + total - population);
    const int high = std::min(sample, total);
    const long double lower = inSample >= high ? 1.0L : bm::cdf(dist, static_cast<unsigned>(inSample));
    const long double upper = inSample <= low ? 1.0L : bm::cdf(bm::complement(dist, static_cast<unsigned>(inSample - 1)));
    return std::min(1.0L, 2.0L * std::min(lower, upper));
}

namespace {

// The binomial law of `draws` draws at `rate`, term by term in long double so that far tails
// stay apart from zero.
std::vector<long double> binomialLaw(int draws, double rate)
{
    std::vector<long double> law(static_cast<size_t>(draws) + 1);
    const long double logDraws = std::lgamma(static_cast<long double>(draws) + 1);
    const long double logP = std::log(static_cast<long double>(rate));
    const long double logQ = std::log1p(-static_cast<long double>(rate));
    for (int i = 0; i <= draws; ++i) {
        const long double logChoose
            = logDraws - std::lgamma(static_cast<long double>(i) + 1) - std::lgamma(static_cast<long double>(draws - i) + 1);
        law[static_cast<size_t>(i)] = std::exp(logChoose + i * logP + (draws - i) * logQ);
    }
    return law;
}

std::vector<long double> convolve(const std::vector<long double>& a, const std::vector<long double>& b)
{
    std::vector<long double> out(a.size() + b.size() - 1, 0.0L);
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == 0)
            continue;
        for (size_t j = 0; j < b.size(); ++j)
            out[i + j] += a[i] * b[j];
    }
    return out;
}

} // namespace

ConditionalRateTest::ConditionalRateTest(const std::vector<Group>& others, Group tested)
    : m_others{1.0L}, m_tested(binomialLaw(tested.draws, tested.rate))
{
    for (const Group& g : others)
        if (g.draws > 0)
            m_others = convolve(m_others, binomialLaw(g.draws, g.rate));
}

ConditionalRateTest::Result ConditionalRateTest::test(int inTested, int total) const
{
    const int testedDraws = static_cast<int>(m_tested.size()) - 1;
    const int otherDraws = static_cast<int>(m_others.size()) - 1;
    const int low = std::max(0, total - otherDraws);
    const int high = std::min(testedDraws, total);
    Result r;
    if (inTested < low || inTested > high)
        return r;
    r.expected = low;
    if (low == high) // nothing could have been otherwise
        return r;
    // P(m in the group | total) is proportional to P(m in the group) · P(total − m elsewhere).
    auto weight = [&](int m) { return m_tested[static_cast<size_t>(m)] * m_others[static_cast<size_t>(total - m)]; };
    long double sum = 0, lower = 0, upper = 0, mean = 0;
    for (int m = low; m <= high; ++m) {
        const long double w = weight(m);
        sum += w;
        mean += m * w;
        if (m <= inTested)
            lower += w;
        if (m >= inTested)
            upper += w;
    }
    if (sum <= 0)
        return r;
    r.pTwoSided = std::min(1.0L, 2.0L * std::min(lower, upper) / sum);
    r.expected = static_cast<double>(mean / sum);
    return r;
}

double kenoMatchProbability(int k, int m, const Formula& formula)
{
    const int drawn = formula.drawn, numbers = formula.numbers;
    if (k < 0 || k > numbers || m < 0 || m > k || m > drawn || k - m > numbers - drawn)
        return 0.0;
    // r = the drawn ("defective") numbers, n = k numbers played, N = every number of the game.
    const bm::hypergeometric_distribution<double> dist(static_cast<unsigned>(drawn), static_cast<unsigned>(k),
                                                       static_cast<unsigned>(numbers));
    return bm::pdf(dist, static_cast<unsigned>(m));
}

std::vector<long double> holmAdjust(const std::vector<long double>& pValues)
{
    const size_t n = pValues.size();
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return pValues[a] < pValues[b]; });
    std::vector<long double> adjusted(n);
    long double running = 0;
    for (size_t i = 0; i < n; ++i) {
        const long double v = std::min(1.0L, static_cast<long double>(n - i) * pValues[order[i]]);
        running = std::max(running, v);
        adjusted[order[i]] = running;
    }
    return adjusted;
}

long double longestRunAtLeast(int trials, double q, int length)
{
    if (length <= 0)
        return 1.0L;
    if (length > trials)
        return 0.0L;
    // b[m] = P(a run of `length` misses within the first m draws), summed over where the first
    // such run ends: at m = length, or at m > length after a hit at m − length and no run before.
    // A sum of positive terms, so a tail of 1e-40 is not lost in 1 − (1 − 1e-40).
    const long double run = std::pow(static_cast<long double>(q), length);
    const long double hitThenRun = (1.0L - q) * run;
    std::vector<long double> b(static_cast<size_t>(trials) + 1, 0.0L);
    b[static_cast<size_t>(length)] = run;
    for (int m = length + 1; m <= trials; ++m)
        b[static_cast<size_t>(m)] = b[static_cast<size_t>(m - 1)] + hitThenRun * (1.0L - b[static_cast<size_t>(m - length - 1)]);
    return std::min(1.0L, b[static_cast<size_t>(trials)]);
}

double expectedLongestRun(int trials, double q)
{
    // E[L] = sum over r >= 0 of P(L > r); the tail dies off geometrically.
    double sum = 0.0;
    for (int r = 0; r < trials; ++r) {
        const double tail = static_cast<double>(longestRunAtLeast(trials, q, r + 1));
        sum += tail;
        if (tail < 1e-12)
            break;
    }
    return sum;
}

} // namespace ChanceMath
