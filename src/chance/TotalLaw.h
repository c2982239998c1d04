// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QtGlobal>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// The exact law of the total of n independent plays, each worth a whole amount drawn from a
// known discrete law: the pay table's amounts with their hypergeometric odds, or the number of
// numbers matched. The law of one play is raised to the n-th power by FFT on the grid of the
// amounts' greatest common step. Ranges holding less than 1e-14 of the probability at either end
// (Chernoff bounds) are left out, and a rare top amount (the jackpot) is handled apart, by the
// binomial law of how often it comes, so that the grid stays the width of the common amounts.
// Several groups of plays, each of its own law, add up on the grid common to all their amounts.
class TotalLaw {
public:
    // `plays` independent plays, each worth values[i] with probability probs[i].
    struct Group {
        std::vector<qint64> values;
        std::vector<double> probs;
        int plays = 0;
    };
    // Cells (grid points held by transforms and laws) a law of several groups may take: about
    // 256 MB. A law that would need more is not made.
    static constexpr qint64 kMaxCells = qint64{1} << 25;

    // One play is worth values[i] with probability probs[i] (values >= 0, probs summing to 1).
    // The `rareCount` largest values may be set apart together (the jackpot times each
    // multiplier), as the single top value is otherwise.
    TotalLaw(const std::vector<qint64>& values, const std::vector<double>& probs, int plays, int rareCount = 1);

    // The total paid by the classic game's pay table over `plays` draws playing k numbers
    // (2..10), one euro each.
    static TotalLaw payout(int k, int plays);
    // The same for the game `formula`; nullopt when an amount of the row of k is unknown (the
    // law needs them all).
    static std::optional<TotalLaw> payout(const Formula& formula, int k, int plays);
    // The total paid by `table` to a stake of `euros` over `plays` draws whose winnings are
    // multiplied by a known factor: `playsAtFactor` says how many of the plays are paid times
    // each factor, the others times 1. nullopt when an amount of the row of k is unknown, or in
    // the rare case where the exact law would take more than kMaxCells (see sum).
    static std::optional<TotalLaw> payout(const Formula& formula, const PayTable& table, int k, int plays, qint64 euros = 1,
                                          const std::map<int, int>& playsAtFactor = {});
    // The law of the sum of the groups' totals, the groups independent; nullopt when it would
    // take more than kMaxCells.
    static std::optional<TotalLaw> sum(const std::vector<Group>& groups);
    // The total number of matches of k numbers over `plays` draws.
    static TotalLaw matches(int k, int plays, const Formula& formula = Formula::classic());
    // Exact hypergeometric odds: m of k numbers played among the numbers drawn.
    static double matchProbability(int k, int m, const Formula& formula = Formula::classic());

    int plays() const { return m_plays; }
    double mean() const { return m_mean; }
    // P(total <= x).
    double cdf(qint64 x) const;
    // The smallest x with P(total <= x) >= level.
    qint64 quantile(double level) const;
    qint64 median() const { return quantile(0.5); }

    struct Band {
        qint64 low = 0, high = 0;
    };
    // The central band: P(total < low) <= (1 - coverage) / 2 and P(total > high) <= (1 - coverage)
    // / 2, each end as close to the centre as the steps of the law allow.
    Band band(double coverage = 0.95) const;

private:
    // `weight` times the law of a total shifted by `shift` grid steps, known on [first, first +
    // cdf.size()) grid steps: below, its cdf is 0; above, 1.
    struct Piece {
        double weight = 1;
        qint64 shift = 0;
        qint64 first = 0;
        std::shared_ptr<const std::vector<double>> cdf;
    };
    TotalLaw() = default;
    qint64 smallestAbove(double level, bool strictly) const;
    // Builds the law of two groups or more; false when it would take more than kMaxCells.
    bool addGroups(const std::vector<Group>& groups);

    int m_plays = 0;
    qint64 m_step = 1;
    qint64 m_max = 0; // largest total, in euros (or matches)
    double m_mean = 0;
    std::vector<Piece> m_pieces;
};
