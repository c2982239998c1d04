// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes given as a history file must load without a crash; the draw list the program keeps
// must show the same lines as the plain reading, save back to the same bytes whatever the
// pieces they were read in, and the statistics over it must match the literal walk.
#include "history/DrawListReader.h"
#include "history/DrawMatrix.h"
#include "history/HistoryFile.h"
#include "stats/NumberStats.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const HistoryFile::ReadResult read = HistoryFile::parse(bytes);
    const HistoryFile::ListReadResult list = HistoryFile::parseList(bytes);
    if (list.list.toStringList() != read.lines || list.badLines != read.badLines)
        std::abort();

    // The same bytes fed in small pieces give the same list.
    DrawListReader reader;
    const qsizetype piece = 1 + static_cast<qsizetype>(size % 7);
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        reader.feed(QByteArrayView(bytes.constData() + at, std::min(piece, bytes.size() - at)));
    const DrawList pieces = reader.finish();
    if (!(pieces == list.list) || pieces.toCrlfBytes() != list.list.toCrlfBytes())
        std::abort();

    DrawMatrix matrix;
    matrix.rebuild(list.list);
    const int last = list.list.drawCount() - 1;
    for (int first : {0, last / 2, last + 1}) {
        StudyPeriod a{first, last}, b{first, last};
        if (computeStats(matrix, a) != computeStatsNaive(matrix, b))
            std::abort();
    }
    return 0;
}
