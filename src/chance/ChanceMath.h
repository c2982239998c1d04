// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <vector>

// The distributions the chance reports rest on, over Boost.Math. A draw holds `drawn` of the
// game's `numbers`, so a number comes out in a draw with probability drawn / numbers.
namespace ChanceMath {

// The chance that a given number comes out in one draw of the game.
inline double drawShare(const Formula& formula)
{
    return static_cast<double>(formula.drawn) / formula.numbers;
}

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
// Each tail is summed from its own side (Boost's complement), so a tail of 1e-22 is 1e-22, not
// 1 − (1 − 1e-22) = 0; long double keeps tails far below 1e-308 apart from zero.
long double binomialTwoSidedP(int successes, int trials, double p);

// Fisher's exact test: `inSample` of the `sample` draws of a group hold a number that `total`
// of all `population` draws hold. Given the total, the count in the group is hypergeometric
// when the number's rate is the same in and out of the group, whatever that rate is. Returns
// the two-sided p-value (twice the smaller tail, at most 1).
long double fisherTwoSidedP(int inSample, int sample, int total, int population);

// The same two-sample comparison when chance does not give every draw the same rate: draw d
// holds the number with probability q_d, and the tested draws share one rate. Given the number's
// total over all the draws, its count in the tested group has an exact law that does not depend
// on how much the number's own odds are raised or lowered everywhere (the total carries it); this
// is Fisher's conditional test with the draws' known odds. With equal rates it is Fisher's test.
class ConditionalRateTest {
public:
    struct Group {
        int draws = 0;
        double rate = 0; // strictly between 0 and 1
    };
    ConditionalRateTest(const std::vector<Group>& others, Group tested);

    struct Result {
        long double pTwoSided = 1;
        double expected = 0; // the count the tested group should hold, given the total
    };
    Result test(int inTested, int total) const;

private:
    std::vector<long double> m_others; // law of the count over the other draws
    std::vector<long double> m_tested; // law of the count over the tested draws
};

// Hypergeometric: the chance that m of k numbers played are among the numbers drawn.
double kenoMatchProbability(int k, int m, const Formula& formula = Formula::classic());

// Holm's step-down adjustment of p-values tested together (same order as given).
std::vector<long double> holmAdjust(const std::vector<long double>& pValues);

// Longest run of misses when each of `trials` draws misses a number with probability q:
// P(longest run >= length), exact by recurrence, summed so that tiny tails keep their digits.
long double longestRunAtLeast(int trials, double q, int length);
// Its expected value.
double expectedLongestRun(int trials, double q);

} // namespace ChanceMath
