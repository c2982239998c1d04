// SPDX-License-Identifier: GPL-3.0-or-later
// The performance report of ten numbers over a full history (32,766 draws): the report as the
// program builds it beside a literal walk (a matrix look-up per number and draw, every number
// text formatted afresh, the line grown by concatenation).
#include "forecast/Performance.h"
#include "history/DemoHistory.h"
#include "history/DrawMatrix.h"
#include "output/NumberFormat.h"

#include <QDate>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kDraws = 32766;

struct Fixture {
    QStringList liste;
    DrawMatrix matrix;
};

const Fixture& fixture()
{
    static const Fixture f = [] {
        Fixture x;
        x.liste = DemoHistory::generate(QDate(2040, 1, 1)).mid(0, kDraws);
        x.liste << QString();
        x.matrix.rebuild(x.liste);
        return x;
    }();
    return f;
}

const std::vector<int> kTen = {3, 9, 14, 22, 31, 38, 45, 52, 61, 70};

// The per-draw part and the totals, step by step, for comparison.
QStringList naivePerformance(const QStringList& liste, const DrawMatrix& matrix, int first, int last,
                             const std::vector<int>& chosen)
{
    QStringList out;
    const qint64 pay[11] = {1, 0, 0, 0, 0, 2, 5, 15, 100, 2500, 200000};
    std::vector<qint64> winGapCounts(static_cast<size_t>(liste.size()) + 1, 0);
    qint64 totalWon = 0, winGap = 0, largestWinGap = 0;
    for (int d = first; d <= last; ++d) {
        QString line = liste[d].left(10);
        int m = 0;
        for (int s : chosen) {
            if (matrix.contains(s, d)) {
                ++m;
                line = line + NumberFormat::apply(s, u" 00");
            }
        }
        winGap += 1;
        totalWon += pay[m];
        if (pay[m] != 0) {
            winGapCounts[static_cast<size_t>(winGap)] += 1;
            while (line.size() < 45)
                line = line + QStringLiteral("-");
            line = line + QString::number(pay[m]) + QStringLiteral("  €uros, Ecart ") + QString::number(winGap);
            if (winGap > largestWinGap)
                largestWinGap = winGap;
            winGap = -1;
        }
        if (winGap > largestWinGap)
            largestWinGap = winGap;
        out << line;
    }
    out << QString() << QStringLiteral("Encaissé ") + QString::number(totalWon);
    for (size_t g = 0; g < winGapCounts.size(); ++g)
        if (winGapCounts[g] != 0)
            out << NumberFormat::apply(winGapCounts[g], u"0000") + QStringLiteral("  fois a l'écart ")
                    + NumberFormat::apply(static_cast<qint64>(g), u"00");
    return out;
}

void BM_PerformanceTenNumbers(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        PerformanceReport r = Performance::evaluate(f.liste, f.matrix, StudyPeriod{0, kDraws - 1}, kTen);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_PerformanceTenNumbers)->Unit(benchmark::kMillisecond);

void BM_PerformanceTenNumbersNaive(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        QStringList r = naivePerformance(f.liste, f.matrix, 0, kDraws - 1, kTen);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_PerformanceTenNumbersNaive)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
