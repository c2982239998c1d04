// SPDX-License-Identifier: GPL-3.0-or-later
// The whole start-up path from the bytes of a 32,766-draw history: the draw list, the presence
// matrix, the statistics and the ranking by appearances with the dates the window shows. The
// fast path beside a literal one (the whole file as text, a text per line, a bool per number
// and draw, 70 tests per draw, the ranking by walking the counts down).
#include "history/DemoHistory.h"
#include "history/DrawLine.h"
#include "history/DrawList.h"
#include "history/DrawMatrix.h"
#include "history/HistoryFile.h"
#include "output/TextFile.h"
#include "stats/NumberStats.h"
#include "stats/Rankings.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kDraws = 32766;

const QByteArray& historyBytes()
{
    static const QByteArray bytes = TextFile::crlfLines(DemoHistory::generate(QDate(2040, 1, 1)).mid(0, kDraws));
    return bytes;
}

struct Shown {
    QString prem, dern;
    QStringList report;
};

void rank(const NumberStats& stats, QStringList& out)
{
    out.clear();
    for (int n : Rankings::order(RankingKind::Sorties, stats))
        out << Rankings::line(RankingKind::Sorties, n, stats);
}

void fromList(const DrawList& list, Shown& shown)
{
    shown.prem = list.dateText(0);
    shown.dern = list.dateText(list.drawCount() - 1);
    DrawMatrix matrix;
    matrix.rebuild(list);
    StudyPeriod period{0, list.drawCount() - 1};
    rank(computeStats(matrix, period), shown.report);
}

void BM_StartupFromBytes(benchmark::State& state)
{
    const QByteArray& bytes = historyBytes();
    Shown shown;
    for (auto _ : state) {
        const HistoryFile::ListReadResult read = HistoryFile::parseList(bytes);
        fromList(read.list, shown);
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_StartupFromBytes)->Unit(benchmark::kMillisecond);

void BM_StartupFromBytesNaive(benchmark::State& state)
{
    const QByteArray& bytes = historyBytes();
    Shown shown;
    for (auto _ : state) {
        QStringList liste = TextFile::decode(bytes).split(QLatin1Char('\n'));
        for (QString& line : liste) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            line.replace(QLatin1Char(';'), QLatin1Char(' '));
        }
        liste.removeAll(QString());
        liste << QString();
        const int count = static_cast<int>(liste.size());
        shown.prem = liste[0].left(10);
        shown.dern = liste[count - 2].left(10);
        std::vector<std::vector<bool>> matrix(71, std::vector<bool>(static_cast<size_t>(count) + 1, false));
        for (int d = 0; d <= count - 2; ++d)
            for (int k = 1; k <= 20; ++k)
                matrix[static_cast<size_t>(std::clamp(DrawLine::number(liste[d], k), 0, 70))][static_cast<size_t>(d)] = true;
        NumberStats s;
        for (int d = 0; d <= count - 2; ++d) {
            for (int n = 1; n <= 70; ++n) {
                if (matrix[static_cast<size_t>(n)][static_cast<size_t>(d)]) {
                    s.appearances[n] += 1;
                    s.currentGap[n] = 0;
                } else if (++s.currentGap[n] > s.largestGap[n]) {
                    s.largestGap[n] = s.currentGap[n];
                }
            }
        }
        int largest = 0;
        for (int n = 1; n <= 70; ++n)
            largest = std::max(largest, s.appearances[n]);
        int smallest = largest;
        for (int n = 1; n <= 70; ++n)
            smallest = std::min(smallest, s.appearances[n]);
        shown.report.clear();
        for (int v = largest; v >= smallest; --v)
            for (int n = 1; n <= 70; ++n)
                if (s.appearances[n] == v)
                    shown.report << Rankings::line(RankingKind::Sorties, n, s);
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_StartupFromBytesNaive)->Unit(benchmark::kMillisecond);

// From the disk: the working and the base history, as a reload reads them.
void BM_StartupFromFiles(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString working = dir.filePath(QString::fromLatin1(HistoryFile::kWorkingName));
    const QString base = dir.filePath(QString::fromLatin1(HistoryFile::kBaseName));
    for (const QString& path : {working, base}) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(historyBytes()) != historyBytes().size()) {
            state.SkipWithError("cannot write the history files");
            return;
        }
    }
    Shown shown;
    for (auto _ : state) {
        const HistoryFile::ListReadResult b = HistoryFile::readList(base);
        const HistoryFile::ListReadResult w = HistoryFile::readList(working);
        benchmark::DoNotOptimize(b.list.drawCount());
        fromList(w.list, shown);
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_StartupFromFiles)->Unit(benchmark::kMillisecond);

// The exit: the list back to the bytes of the working history.
void BM_SaveBytes(benchmark::State& state)
{
    const DrawList list = HistoryFile::parseList(historyBytes()).list;
    for (auto _ : state)
        benchmark::DoNotOptimize(list.toCrlfBytes());
}
BENCHMARK(BM_SaveBytes)->Unit(benchmark::kMillisecond);

void BM_SaveBytesNaive(benchmark::State& state)
{
    const QStringList lines = HistoryFile::parse(historyBytes()).lines;
    for (auto _ : state)
        benchmark::DoNotOptimize(TextFile::crlfLines(lines));
}
BENCHMARK(BM_SaveBytesNaive)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (HistoryFile::parseList(historyBytes()).list.toCrlfBytes() != historyBytes())
        return 1; // the fast path must give the file back
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
