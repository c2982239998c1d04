// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/BoundedMean.h"

#include <algorithm>
#include <cmath>

// The mean's interval is Wilson's score interval made general: the means μ within z standard
// errors of the observed mean, the error that of the likeliest law on [least, most] whose mean
// is μ. For two values it is Wilson's; for identical counts that law puts the rest on the far
// bound, so the interval stays wide; for many counts it is the normal interval. A seeded
// simulation in the tests checks how often it holds the true mean.

namespace BoundedMean {

namespace {

constexpr double kZ = 1.959963984540054; // the normal law's 97.5 % point

// The likeliest law on [least, most] with mean μ (least < μ < most) gives each value seen
// n / (N (1 + λ(v − μ))), λ the largest of Σ n log(1 + λ(v − μ)) over the λ that keep every
// weight of [least, most] positive; what is left goes to a bound. Returns its variance.
double likeliestVariance(const std::map<double, int>& counts, double total, double mu, double least, double most)
{
    const double lowest = -1.0 / (most - mu), highest = 1.0 / (mu - least);
    const auto slope = [&](double l) {
        double s = 0;
        for (const auto& [v, n] : counts)
            s += n * (v - mu) / (1 + l * (v - mu));
        return s;
    };
    const auto usable = [&](double l) {
        return std::all_of(counts.begin(), counts.end(), [&](const auto& c) { return 1 + l * (c.first - mu) > 0; });
    };
    double l = 0, rest = 0; // where what is left goes
    if (usable(lowest) && slope(lowest) <= 0) {
        l = lowest, rest = most;
    } else if (usable(highest) && slope(highest) >= 0) {
        l = highest, rest = least;
    } else {
        double a = lowest, b = highest; // the slope falls from above 0 to below 0: nothing is left
        for (int i = 0; i < 100; ++i)
            (slope((a + b) / 2) > 0 ? a : b) = (a + b) / 2;
        l = (a + b) / 2, rest = mu;
    }
    double weights = 0, variance = 0;
    for (const auto& [v, n] : counts) {
        const double w = n / (total * (1 + l * (v - mu)));
        weights += w;
        variance += w * (v - mu) * (v - mu);
    }
    return variance + std::max(0.0, 1 - weights) * (rest - mu) * (rest - mu);
}

// The mean farthest towards `bound` that the score test keeps, from the observed `mean`.
double edge(const std::map<double, int>& counts, double total, double mean, double bound, double least, double most)
{
    if (mean == bound)
        return bound;
    double in = mean, out = bound;
    for (int i = 0; i < 60; ++i) {
        const double mid = (in + out) / 2;
        const double variance = likeliestVariance(counts, total, mid, least, most);
        (total * (mean - mid) * (mean - mid) <= kZ * kZ * variance ? in : out) = mid;
    }
    return in;
}

} // namespace

std::pair<double, double> wilson(int count, int n)
{
    if (n <= 0)
        return {0.0, 1.0};
    const double p = static_cast<double>(count) / n, z2 = kZ * kZ / n;
    const double centre = (p + z2 / 2) / (1 + z2);
    const double half = kZ / (1 + z2) * std::sqrt(p * (1 - p) / n + z2 / (4.0 * n));
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

std::pair<double, double> interval(const std::map<double, int>& counts, double least, double most)
{
    double n = 0, sum = 0;
    for (const auto& [v, c] : counts) {
        n += c;
        sum += v * c;
    }
    if (n <= 0)
        return {least, most};
    // A value seen outside the bounds widens them: the interval never leaves what was seen.
    least = std::min(least, counts.begin()->first);
    most = std::max(most, counts.rbegin()->first);
    const double mean = std::clamp(sum / n, least, most);
    return {edge(counts, n, mean, least, least, most), edge(counts, n, mean, most, least, most)};
}

} // namespace BoundedMean
