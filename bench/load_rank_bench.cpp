// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and ranking a full history (32,766 draws): the fast path beside a literal one
// (every field parsed with a split, a bool per number and draw, 70 tests per draw).
#include "history/DemoHistory.h"
#include "history/DrawMatrix.h"
#include "history/HistoryFile.h"
#include "output/TextFile.h"
#include "stats/NumberStats.h"
#include "stats/Rankings.h"

#include <QCoreApplication>
#include <QDate>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kDraws = 32766;

const QByteArray& historyBytes()
{
    static const QByteArray bytes = [] {
        QStringList lines = DemoHistory::generate(QDate(2040, 1, 1));
        lines = lines.mid(0, kDraws);
        return TextFile::crlfLines(lines);
    }();
    return bytes;
}

void rank(const NumberStats& stats, QStringList& out)
{
    out.clear();
    for (int n : Rankings::order(RankingKind::Sorties, stats))
        out << Rankings::line(RankingKind::Sorties, n, stats);
}

void BM_LoadCalculRank(benchmark::State& state)
{
    const QByteArray& bytes = historyBytes();
    QStringList report;
    for (auto _ : state) {
        HistoryFile::ReadResult read = HistoryFile::parse(bytes);
        read.lines << QString();
        DrawMatrix matrix;
        matrix.rebuild(read.lines);
        StudyPeriod period{0, static_cast<int>(read.lines.size()) - 2};
        const NumberStats stats = computeStats(matrix, period);
        rank(stats, report);
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_LoadCalculRank)->Unit(benchmark::kMillisecond);

void BM_LoadCalculRankNaive(benchmark::State& state)
{
    const QByteArray& bytes = historyBytes();
    QStringList report;
    for (auto _ : state) {
        const QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        std::vector<std::vector<bool>> present(71, std::vector<bool>(lines.size() + 1, false));
        for (qsizetype d = 0; d < lines.size(); ++d) {
            const QStringList fields = lines[d].split(QLatin1Char(' '));
            for (int k = 1; k <= 20; ++k)
                present[static_cast<size_t>(fields[k].toInt())][static_cast<size_t>(d)] = true;
        }
        NumberStats s;
        for (qsizetype d = 0; d < lines.size(); ++d) {
            for (int n = 1; n <= 70; ++n) {
                if (present[static_cast<size_t>(n)][static_cast<size_t>(d)]) {
                    s.appearances[n] += 1;
                    s.currentGap[n] = 0;
                } else if (++s.currentGap[n] > s.largestGap[n]) {
                    s.largestGap[n] = s.currentGap[n];
                }
            }
        }
        rank(s, report);
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_LoadCalculRankNaive)->Unit(benchmark::kMillisecond);

void BM_CalculOnly(benchmark::State& state)
{
    HistoryFile::ReadResult read = HistoryFile::parse(historyBytes());
    read.lines << QString();
    DrawMatrix matrix;
    matrix.rebuild(read.lines);
    for (auto _ : state) {
        StudyPeriod period{0, static_cast<int>(read.lines.size()) - 2};
        benchmark::DoNotOptimize(state.range(0) ? computeStats(matrix, period) : computeStatsNaive(matrix, period));
    }
}
BENCHMARK(BM_CalculOnly)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
