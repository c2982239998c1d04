// SPDX-License-Identifier: GPL-3.0-or-later
// The number analyses other than the combination walks, on a generated history of 32,766
// draws, with a plain draw-by-draw version of the tens report and of the partners beside them.
#include "analyses/Announcer.h"
#include "analyses/BestPartners.h"
#include "analyses/ColumnReport.h"
#include "analyses/GroupCounts.h"
#include "history/DemoHistory.h"
#include "history/DrawMatrix.h"
#include "output/NumberFormat.h"
#include "stats/NumberStats.h"

#include "BenchHistory.h"

#include <QCoreApplication>
#include <QDate>
#include <benchmark/benchmark.h>

namespace {

using BenchHistory::Fixture;
using BenchHistory::fixture;
using BenchHistory::kDraws;

void BM_Dizaines(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(GroupCounts::dizainesUnites(f.matrix, f.period));
}
BENCHMARK(BM_Dizaines)->Unit(benchmark::kMicrosecond);

// Tens then last digits, each a pass over the draws testing the seventy numbers.
void BM_DizainesNaive(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        int tens[7] = {}, digits[11] = {};
        for (int d = f.period.first; d <= f.period.last; ++d)
            for (int t = 0; t < 7; ++t)
                for (int u = 1; u <= 10; ++u)
                    tens[t] += f.matrix.contains(10 * t + u, d) ? 1 : 0;
        for (int d = f.period.first; d <= f.period.last; ++d)
            for (int t = 0; t < 7; ++t)
                for (int u = 1; u <= 10; ++u)
                    digits[u] += f.matrix.contains(10 * t + u, d) ? 1 : 0;
        QStringList lines;
        for (int t = 0; t < 7; ++t)
            lines << NumberFormat::apply(tens[t], u"###,##0");
        for (int u = 1; u <= 10; ++u)
            lines << NumberFormat::apply(digits[u], u"###,##0");
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_DizainesNaive)->Unit(benchmark::kMicrosecond);

// The three reports that recompute the statistics first.
void BM_CalculThenGroups(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        StudyPeriod period = f.period;
        const NumberStats stats = computeStats(f.matrix, period);
        benchmark::DoNotOptimize(GroupCounts::septaines(stats));
        benchmark::DoNotOptimize(GroupCounts::pairsImpairs(stats));
        benchmark::DoNotOptimize(GroupCounts::petitsGros(stats));
    }
}
BENCHMARK(BM_CalculThenGroups)->Unit(benchmark::kMicrosecond);

void BM_Colonne(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(ColumnReport::report(f.list, f.period, 7));
}
BENCHMARK(BM_Colonne)->Unit(benchmark::kMicrosecond);

QList<int> firstNumbers(int k)
{
    QList<int> chosen;
    for (int n = 1; n <= k; ++n)
        chosen << n;
    return chosen;
}

// Arg: how many numbers are ticked.
void BM_Partenaire(benchmark::State& state)
{
    const Fixture& f = fixture();
    const QList<int> chosen = firstNumbers(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(BestPartners::report(f.matrix, f.period, chosen));
}
BENCHMARK(BM_Partenaire)->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);

// Every draw tested for the whole set, then the seventy numbers of each matching draw, then
// the counts written from the best down to 0.
void BM_PartenaireNaive(benchmark::State& state)
{
    const Fixture& f = fixture();
    const QList<int> chosen = firstNumbers(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        int counts[71] = {};
        for (int d = f.period.first; d <= f.period.last; ++d) {
            bool all = true;
            for (int n : chosen)
                all = all && f.matrix.contains(n, d);
            if (all)
                for (int x = 1; x <= 70; ++x)
                    counts[x] += f.matrix.contains(x, d) ? 1 : 0;
        }
        int best = 0;
        for (int x = 1; x <= 70; ++x)
            best = std::max(best, counts[x]);
        QStringList lines;
        for (int t = best; t >= 0; --t)
            for (int x = 1; x <= 70; ++x)
                if (!chosen.contains(x) && counts[x] == t)
                    lines << NumberFormat::apply(x, u" 00") + NumberFormat::apply(t, u"0000");
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_PartenaireNaive)->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);

void BM_Annonceur(benchmark::State& state)
{
    const Fixture& f = fixture();
    const QList<int> chosen = firstNumbers(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Announcer::report(f.matrix, f.period, chosen));
}
BENCHMARK(BM_Annonceur)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
