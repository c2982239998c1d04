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
    while (band.high < trials && 1.0 - binomialCdf(band.high, trials, p) > tail)
        ++band.high;
    while (band.high > 0 && 1.0 - binomialCdf(band.high - 1, trials, p) <= tail)
        --band.high;
    return band;
}

double binomialOutsideShare(int trials, double p, const Band& band)
{
    if (trials <= 0)
        return 0.0;
    return binomialCdf(band.low - 1, trials, p) + (1.0 - binomialCdf(band.high, trials, p));
}

double binomialTwoSidedP(int successes, int trials, double p)
{
    if (trials <= 0)
        return 1.0;
    const double lower = binomialCdf(successes, trials, p);
    const double upper = 1.0 - binomialCdf(successes - 1, trials, p);
    return std::min(1.0, 2.0 * std::min(lower, upper));
}

double kenoMatchProbability(int k, int m)
{
    if (k < 0 || k > 70 || m < 0 || m > k || m > 20 || k - m > 50)
        return 0.0;
    // r = 20 "defective" (drawn) numbers, n = k numbers played, N = 70.
    const bm::hypergeometric_distribution<double> dist(20, static_cast<unsigned>(k), 70);
    return bm::pdf(dist, static_cast<unsigned>(m));
}

std::vector<double> holmAdjust(const std::vector<double>& pValues)
{
    const size_t n = pValues.size();
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return pValues[a] < pValues[b]; });
    std::vector<double> adjusted(n);
    double running = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const double v = std::min(1.0, static_cast<double>(n - i) * pValues[order[i]]);
        running = std::max(running, v);
        adjusted[order[i]] = running;
    }
    return adjusted;
}

namespace {

// P(no run of misses longer than r in `trials` draws). A[m] = sum_{j=0..r} q^j (1-q) A[m-j-1]
// for m > r (the first hit closes j misses), A[m] = 1 for m <= r; the sum slides along.
double noRunLongerThan(int trials, double q, int r)
{
    if (trials <= r)
        return 1.0;
    const double p = 1.0 - q;
    std::vector<double> a(static_cast<size_t>(trials) + 1, 1.0);
    const double qr1 = std::pow(q, r + 1);
    // window = sum_{j=0..r} q^j a[m-j-1] for m = r + 1
    double window = 0.0;
    for (int j = 0; j <= r; ++j)
        window += std::pow(q, j) * a[static_cast<size_t>(r - j)];
    for (int m = r + 1; m <= trials; ++m) {
        a[static_cast<size_t>(m)] = p * window;
        // next window: q * window + a[m] - q^{r+1} a[m - r - 1]
        window = q * window + a[static_cast<size_t>(m)] - qr1 * a[static_cast<size_t>(m - r - 1)];
    }
    return a[static_cast<size_t>(trials)];
}

} // namespace

double longestRunAtLeast(int trials, double q, int length)
{
    if (length <= 0)
        return 1.0;
    if (length > trials)
        return 0.0;
    return std::clamp(1.0 - noRunLongerThan(trials, q, length - 1), 0.0, 1.0);
}

double expectedLongestRun(int trials, double q)
{
    // E[L] = sum over r >= 0 of P(L > r); the tail dies off geometrically.
    double sum = 0.0;
    for (int r = 0; r < trials; ++r) {
        const double tail = longestRunAtLeast(trials, q, r + 1);
        sum += tail;
        if (tail < 1e-12)
            break;
    }
    return sum;
}

} // namespace ChanceMath
