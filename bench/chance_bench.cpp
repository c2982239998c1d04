// The chance computations beside naive references: the longest-gap law by its sliding
// recurrence against the state-by-state walk, and the backtest's growing matrix against
// copying the earlier draws for every draw played.
#include "chance/Backtest.h"
#include "chance/ChanceMath.h"
#include "forecast/ForecastSelection.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
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

DrawMatrix randomMatrix(int draws)
{
    std::mt19937 rng(1);
    DrawMatrix m;
    m.resize(draws + 1);
    std::vector<int> pool(70);
    for (int d = 0; d < draws; ++d) {
        std::iota(pool.begin(), pool.end(), 1);
        std::shuffle(pool.begin(), pool.end(), rng);
        for (int i = 0; i < 20; ++i)
            m.set(pool[static_cast<size_t>(i)], d, true);
    }
    return m;
}

// The forecast's tickets when the matrix of earlier draws is copied afresh for every draw.
qint64 naiveBacktestWon(const DrawMatrix& matrix, int last, const ForecastCriteria& criteria)
{
    qint64 won = 0;
    for (int d = 1; d <= last; ++d) {
        DrawMatrix seen;
        seen.resize(matrix.columns());
        for (int e = 0; e < d; ++e)
            for (int n = 1; n <= 70; ++n)
                if (matrix.contains(n, e))
                    seen.set(n, e, true);
        const auto ticket = Backtest::ticketFromSelection(ForecastSelection::run(seen, d, criteria).lines, 10);
        int m = 0;
        for (int n : ticket)
            m += matrix.contains(n, d) ? 1 : 0;
        won += m;
    }
    return won;
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

void BM_Backtest(benchmark::State& state)
{
    const int draws = static_cast<int>(state.range(0));
    const DrawMatrix m = randomMatrix(draws);
    const ForecastCriteria criteria;
    for (auto _ : state)
        benchmark::DoNotOptimize(Backtest::run(m, {0, draws - 1}, criteria, {10, 1}).forecast.won);
}

void BM_BacktestNaive(benchmark::State& state)
{
    const int draws = static_cast<int>(state.range(0));
    const DrawMatrix m = randomMatrix(draws);
    const ForecastCriteria criteria;
    for (auto _ : state)
        benchmark::DoNotOptimize(naiveBacktestWon(m, draws - 1, criteria));
}

} // namespace

// A Debug build registers only the small cases.
BENCHMARK(BM_ExpectedLongestRun)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpectedLongestRunNaive)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Backtest)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BacktestNaive)->Arg(300)->Unit(benchmark::kMillisecond);
#ifdef NDEBUG
BENCHMARK(BM_ExpectedLongestRun)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpectedLongestRunNaive)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Backtest)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BacktestNaive)->Arg(4000)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif
BENCHMARK_MAIN();
