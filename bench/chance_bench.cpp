// SPDX-License-Identifier: GPL-3.0-or-later
// The chance computations beside naive references: the longest-gap law by its sliding
// recurrence against the state-by-state walk; the backtest, its counts, gaps and criteria kept up
// to date draw by draw, against recomputing them and the selection from the earlier draws at every
// draw; the 1,000 random players and the exact law of the total; the exact law of the winnings
// of several tickets with the multiplier option against 20,000 players drawn from each group's law.
#include "BenchHistory.h"
#include "chance/Backtest.h"
#include "chance/ChanceMath.h"
#include "chance/TotalLaw.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <optional>
#include <random>
#include <vector>

namespace {

constexpr double kMiss = 5.0 / 7.0;

// P(longest run of misses <= r) walking the distribution of the current run, draw by draw.
double naiveNoRunLongerThan(int trials, double q, int r)
{
    std::vector<double> state(static_cast<size_t>(r) + 1, 0.0), next(state.size());
    state[0] = 1.0;
    for (int t = 0; t < trials; ++t) {
        std::fill(next.begin(), next.end(), 0.0);
        for (int s = 0; s <= r; ++s) {
            next[0] += state[static_cast<size_t>(s)] * (1 - q);
            if (s < r)
                next[static_cast<size_t>(s) + 1] += state[static_cast<size_t>(s)] * q;
        }
        state.swap(next);
    }
    return std::accumulate(state.begin(), state.end(), 0.0);
}

double naiveExpectedLongestRun(int trials, double q)
{
    double sum = 0;
    for (int r = 0; r < trials; ++r) {
        const double tail = 1.0 - naiveNoRunLongerThan(trials, q, r);
        sum += tail;
        if (tail < 1e-12)
            break;
    }
    return sum;
}

// The criteria after a load of the bench history, as the window holds them.
ForecastCriteria loadedCriteria(int draws)
{
    ForecastCriteria c;
    StudyPeriod all{0, draws - 1};
    c.updateAfterLoad(draws + 1, computeStats(BenchHistory::fixture().matrix, all));
    return c;
}

void BM_ExpectedLongestRun(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ChanceMath::expectedLongestRun(static_cast<int>(state.range(0)), kMiss));
}

void BM_ExpectedLongestRunNaive(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(naiveExpectedLongestRun(static_cast<int>(state.range(0)), kMiss));
}

// The forecast's draws alone (no random players).
void BM_Backtest(benchmark::State& state)
{
    const int draws = static_cast<int>(state.range(0));
    const ForecastCriteria criteria = loadedCriteria(draws);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Backtest::run(BenchHistory::fixture().matrix, {0, draws - 1}, criteria, {10, 1, 0}).forecast.won);
}

void BM_BacktestNaive(benchmark::State& state)
{
    const int draws = static_cast<int>(state.range(0));
    const ForecastCriteria criteria = loadedCriteria(draws);
    for (auto _ : state)
        benchmark::DoNotOptimize(Backtest::naiveTickets(BenchHistory::fixture().matrix, {0, draws - 1}, criteria, 10).size());
}

// The 1,000 random players and the exact law of the total (mean, median, 95 % band).
void BM_RandomPlayersAndLaw(benchmark::State& state)
{
    const int draws = static_cast<int>(state.range(0));
    const int size = static_cast<int>(state.range(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(Backtest::randomPlayers(size, draws, 1000, 1).back());
        const TotalLaw law = TotalLaw::payout(size, draws);
        benchmark::DoNotOptimize(law.band().high + law.median());
    }
}

// Tickets of 10, 7 and 5 numbers at 2, 1 and 5 € with the option, each played on `draws` draws
// whose multipliers come ×1, ×2, ×3 and ×5 in the shares 50, 30, 12 and 8 %: twelve groups.
std::vector<TotalLaw::Group> ticketGroups(int draws)
{
    const Formula& classic = Formula::classic();
    std::vector<TotalLaw::Group> groups;
    for (const auto& [k, euros] : {std::pair{10, 2}, {7, 1}, {5, 5}})
        for (const auto& [factor, share] : {std::pair{1, 50}, {2, 30}, {3, 12}, {5, 8}}) {
            TotalLaw::Group g{{}, {}, draws * share / 100};
            for (int m = 0; m <= k; ++m) {
                g.values.push_back(*classic.payTable.amount(k, m) * euros * factor);
                g.probs.push_back(TotalLaw::matchProbability(k, m));
            }
            groups.push_back(g);
        }
    return groups;
}

// The share of random players above a result, from the exact law of the sum of the groups.
void BM_TicketsLaw(benchmark::State& state)
{
    const std::vector<TotalLaw::Group> groups = ticketGroups(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const std::optional<TotalLaw> law = TotalLaw::sum(groups);
        benchmark::DoNotOptimize(law->cdf(2000) + law->band().high + law->median());
    }
}

// The same share as it was found before the law of the sum: 20,000 players, each group's total
// drawn from the group's own exact law.
void BM_TicketsLawSimulated(benchmark::State& state)
{
    const std::vector<TotalLaw::Group> groups = ticketGroups(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<TotalLaw> laws;
        for (const TotalLaw::Group& g : groups)
            laws.emplace_back(g.values, g.probs, g.plays);
        std::mt19937_64 rng(1);
        int above = 0;
        for (int p = 0; p < 20000; ++p) {
            qint64 total = 0;
            for (const TotalLaw& law : laws)
                total += law.quantile(static_cast<double>(rng() >> 11) * 0x1.0p-53);
            above += total > 2000 ? 1 : 0;
        }
        benchmark::DoNotOptimize(above);
    }
}

// "Performance" of 10 numbers at 10 € with the option over the whole history: one group of
// draws for each multiplier, the jackpot times each apart.
void BM_OptionLaw(benchmark::State& state)
{
    const int draws = static_cast<int>(state.range(0));
    const Formula& classic = Formula::classic();
    const std::map<int, int> playsAt{{2, draws * 30 / 100}, {3, draws * 12 / 100}, {5, draws * 6 / 100}, {10, draws * 2 / 100}};
    for (auto _ : state) {
        const std::optional<TotalLaw> law = TotalLaw::payout(classic, classic.payTable, 10, draws, 10, playsAt);
        benchmark::DoNotOptimize(law->band().high + law->median());
    }
}

} // namespace

// A Debug build registers only the small cases.
BENCHMARK(BM_ExpectedLongestRun)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpectedLongestRunNaive)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Backtest)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BacktestNaive)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomPlayersAndLaw)->Args({300, 10})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TicketsLaw)->Arg(40)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TicketsLawSimulated)->Arg(40)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptionLaw)->Arg(200)->Unit(benchmark::kMillisecond);
#ifdef NDEBUG
BENCHMARK(BM_TicketsLaw)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TicketsLawSimulated)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptionLaw)->Arg(2000)->Arg(16947)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpectedLongestRun)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpectedLongestRunNaive)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Backtest)->Arg(4000)->Arg(16947)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BacktestNaive)->Arg(4000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomPlayersAndLaw)->ArgsProduct({{16947}, {2, 5, 7, 10}})->Unit(benchmark::kMillisecond);
#endif
BENCHMARK_MAIN();
