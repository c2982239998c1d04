// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up path of the core as a fresh process, the way the window and tiravol-cli will run
// it on a draw list: the history read, the list, the matrix, the statistics and the ranking by
// appearances printed as the command line prints it. Run beside history_floor to see what the
// core costs over a plain program (time, resident memory).
#include "history/DrawList.h"
#include "history/DrawMatrix.h"
#include "history/HistoryFile.h"
#include "stats/NumberStats.h"
#include "stats/Rankings.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: startup_probe FILE\n";
        return 2;
    }
    const HistoryFile::ListReadResult read = HistoryFile::readList(QString::fromLocal8Bit(argv[1]));
    if (!read.found) {
        QTextStream(stderr) << read.error << '\n';
        return 1;
    }
    const DrawList& list = read.list;
    DrawMatrix matrix;
    matrix.rebuild(list);
    StudyPeriod period{0, list.drawCount() - 1};
    const NumberStats stats = computeStats(matrix, period);
    QTextStream out(stdout);
    out << Rankings::texts(RankingKind::Sorties).title << list.dateText(list.drawCount() - 1) << '\n';
    out << QLatin1String(Rankings::kHeader) << '\n';
    for (int n : Rankings::order(RankingKind::Sorties, stats))
        out << Rankings::line(RankingKind::Sorties, n, stats) << '\n';
    return 0;
}
