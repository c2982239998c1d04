// SPDX-License-Identifier: GPL-3.0-or-later
// The combination walks on a generated history of 32,766 draws of the twenty-of-seventy game, and
// on 5,000 draws of the sixteen-of-fifty-six game: the bitset engine on every core and on one
// thread beside the plain walk. The heavy cases (k = 30, all 70 numbers) are registered in optimised builds only;
// a debug build runs small cases so that one pass stays short.
#include "analyses/CombinationEngine.h"
#include "analyses/CombinationReference.h"
#include "history/DemoHistory.h"
#include "history/DrawMatrix.h"

#include "BenchHistory.h"

#include <QCoreApplication>
#include <QDate>
#include <benchmark/benchmark.h>
#include <cstdint>

namespace {

using BenchHistory::Fixture;
using BenchHistory::fixture;
using BenchHistory::kDraws;

QList<int> firstNumbers(int k)
{
    QList<int> chosen;
    for (int n = 1; n <= k; ++n)
        chosen << n;
    return chosen;
}

// The last argument: 0 the plain walk, 1 the engine on one thread, 2 the engine on every core.
CombinationWalk::Options threadsOf(std::int64_t engine)
{
    CombinationWalk::Options options;
    options.threads = engine == 1 ? 1 : 0;
    return options;
}

// Args: k, r, engine.
void BM_PlusSortis(benchmark::State& state)
{
    const Fixture& f = fixture();
    const QList<int> chosen = firstNumbers(static_cast<int>(state.range(0)));
    const int r = static_cast<int>(state.range(1));
    qsizetype lines = 0;
    for (auto _ : state) {
        const CombinationWalk::Result result = state.range(2)
            ? CombinationEngine::mostFrequent(f.matrix, f.period, chosen, r, threadsOf(state.range(2)))
            : CombinationReference::mostFrequent(f.matrix, f.period, chosen, r);
        lines = result.lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}

// Args: k, r, s, engine.
void BM_RechercheEcart(benchmark::State& state)
{
    const Fixture& f = fixture();
    const QList<int> chosen = firstNumbers(static_cast<int>(state.range(0)));
    const int r = static_cast<int>(state.range(1));
    const int s = static_cast<int>(state.range(2));
    const int lineCount = static_cast<int>(f.list.size());
    qsizetype lines = 0;
    for (auto _ : state) {
        const CombinationWalk::Result result = state.range(3)
            ? CombinationEngine::gapSearch(f.matrix, lineCount - 2, lineCount, chosen, r, s, threadsOf(state.range(3)))
            : CombinationReference::gapSearch(f.matrix, lineCount - 2, lineCount, chosen, r, s);
        lines = result.lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}

// The same over every number of the sixteen-of-fifty-six game. Args: r, engine.
void BM_PlusSortis56(benchmark::State& state)
{
    const Fixture& f = BenchHistory::newGameFixture();
    const QList<int> chosen = firstNumbers(f.matrix.formula().numbers);
    const int r = static_cast<int>(state.range(0));
    qsizetype lines = 0;
    for (auto _ : state) {
        const CombinationWalk::Result result = state.range(1)
            ? CombinationEngine::mostFrequent(f.matrix, f.period, chosen, r, threadsOf(state.range(1)))
            : CombinationReference::mostFrequent(f.matrix, f.period, chosen, r);
        lines = result.lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}

// Args: r, s, engine; from the newest draw.
void BM_RechercheEcart56(benchmark::State& state)
{
    const Fixture& f = BenchHistory::newGameFixture();
    const QList<int> chosen = firstNumbers(f.matrix.formula().numbers);
    const int r = static_cast<int>(state.range(0));
    const int s = static_cast<int>(state.range(1));
    const int lineCount = BenchHistory::kNewGameDraws + 1;
    qsizetype lines = 0;
    for (auto _ : state) {
        const CombinationWalk::Result result = state.range(2)
            ? CombinationEngine::gapSearch(f.matrix, lineCount - 2, lineCount, chosen, r, s, threadsOf(state.range(2)))
            : CombinationReference::gapSearch(f.matrix, lineCount - 2, lineCount, chosen, r, s);
        lines = result.lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}

// Small cases, for every build.
BENCHMARK(BM_PlusSortis)
    ->Args({12, 4, 2})
    ->Args({12, 4, 1})
    ->Args({12, 4, 0})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_RechercheEcart)
    ->Args({12, 4, 4, 2})
    ->Args({12, 4, 4, 1})
    ->Args({12, 4, 4, 0})
    ->Args({12, 4, 2, 2})
    ->Args({12, 4, 2, 1})
    ->Args({12, 4, 2, 0})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

BENCHMARK(BM_PlusSortis56)
    ->Args({2, 2})
    ->Args({2, 1})
    ->Args({2, 0})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// Time: the wall clock; CPU: every thread of the process (the walking threads, not only the
// calling one, which waits).
#ifdef NDEBUG
// Every number of the sixteen-of-fifty-six game; the plain walk is run where it ends in seconds.
BENCHMARK(BM_PlusSortis56)
    ->Args({6, 2})
    ->Args({6, 1})
    ->Args({5, 2})
    ->Args({4, 2})
    ->Args({3, 2})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_PlusSortis56)
    ->Args({3, 0})
    ->Args({4, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_RechercheEcart56)
    ->Args({6, 6, 2})
    ->Args({6, 4, 2})
    ->Args({4, 3, 2})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_RechercheEcart56)
    ->Args({4, 3, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_PlusSortis)
    ->Args({30, 6, 2})
    ->Args({30, 6, 1})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_PlusSortis)->Args({30, 6, 0})->Iterations(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_RechercheEcart)
    ->Args({30, 6, 6, 2})
    ->Args({30, 6, 6, 1})
    ->Args({30, 6, 4, 2})
    ->Args({30, 6, 4, 1})
    ->Args({30, 6, 4, 0})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_RechercheEcart)
    ->Args({30, 6, 6, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_PlusSortis)
    ->Args({70, 4, 2})
    ->Args({70, 4, 1})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_PlusSortis)
    ->Args({70, 5, 2})
    ->Args({70, 5, 1})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_PlusSortis)
    ->Args({70, 6, 2})
    ->Args({70, 6, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
#endif

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
