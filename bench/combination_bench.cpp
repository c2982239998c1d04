// The combination walks on a generated history of 32,766 draws: the bitset engine beside the
// plain walk. The heavy cases (k = 30, all 70 numbers) are registered in optimised builds only;
// a debug build runs small cases so that one pass stays short.
#include "analyses/CombinationEngine.h"
#include "analyses/CombinationReference.h"
#include "history/DemoHistory.h"
#include "history/DrawMatrix.h"

#include "BenchHistory.h"

#include <QCoreApplication>
#include <QDate>
#include <benchmark/benchmark.h>

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

// Args: k, r, engine (1) or plain walk (0).
void BM_PlusSortis(benchmark::State& state)
{
    const Fixture& f = fixture();
    const QList<int> chosen = firstNumbers(static_cast<int>(state.range(0)));
    const int r = static_cast<int>(state.range(1));
    qsizetype lines = 0;
    for (auto _ : state) {
        const CombinationWalk::Result result = state.range(2) ? CombinationEngine::mostFrequent(f.matrix, f.period, chosen, r)
                                                              : CombinationReference::mostFrequent(f.matrix, f.period, chosen, r);
        lines = result.lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}

// Args: k, r, s, engine (1) or plain walk (0).
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
            ? CombinationEngine::gapSearch(f.matrix, lineCount - 2, lineCount, chosen, r, s)
            : CombinationReference::gapSearch(f.matrix, lineCount - 2, lineCount, chosen, r, s);
        lines = result.lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}

// Small cases, for every build.
BENCHMARK(BM_PlusSortis)->Args({12, 4, 1})->Args({12, 4, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RechercheEcart)
    ->Args({12, 4, 4, 1})
    ->Args({12, 4, 4, 0})
    ->Args({12, 4, 2, 1})
    ->Args({12, 4, 2, 0})
    ->Unit(benchmark::kMillisecond);

#ifdef NDEBUG
BENCHMARK(BM_PlusSortis)->Args({30, 6, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlusSortis)->Args({30, 6, 0})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RechercheEcart)->Args({30, 6, 6, 1})->Args({30, 6, 4, 1})->Args({30, 6, 4, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RechercheEcart)->Args({30, 6, 6, 0})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlusSortis)->Args({70, 4, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlusSortis)->Args({70, 5, 1})->Iterations(1)->Unit(benchmark::kMillisecond);
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
