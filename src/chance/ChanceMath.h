#pragma once

#include <vector>

// The distributions the chance reports rest on, over Boost.Math. A draw holds 20 of the 70
// numbers, so a number comes out in a draw with probability 2/7.
namespace ChanceMath {

inline constexpr double kDrawShare = 20.0 / 70.0;

// Upper tail P(X >= x) of a chi-square with `df` degrees of freedom.
double chiSquareUpperTail(double x, int df);
// The value a chi-square with `df` degrees of freedom stays below with probability `level`.
double chiSquareQuantile(int df, double level);
// The value a standard normal stays below with probability `level`.
double normalQuantile(double level);

// The central band of a binomial count holding at least `coverage` of its probability:
// P(X < low) <= (1 - coverage) / 2 and P(X > high) <= (1 - coverage) / 2.
struct Band {
    int low = 0;
    int high = 0;
};
Band binomialBand(int trials, double p, double coverage = 0.95);
// P(X < band.low) + P(X > band.high): how often a count leaves its band by chance alone.
double binomialOutsideShare(int trials, double p, const Band& band);
// Two-sided p-value of `successes` out of `trials` under rate p: twice the smaller tail, at most 1.
double binomialTwoSidedP(int successes, int trials, double p);

// Hypergeometric: the chance that m of k numbers played are among the 20 drawn of 70.
double kenoMatchProbability(int k, int m);

// Holm's step-down adjustment of p-values tested together (same order as given).
std::vector<double> holmAdjust(const std::vector<double>& pValues);

// Longest run of misses when each of `trials` draws misses a number with probability q:
// P(longest run >= length), exact by recurrence.
double longestRunAtLeast(int trials, double q, int length);
// Its expected value.
double expectedLongestRun(int trials, double q);

} // namespace ChanceMath
