// Any bytes given as a history file must load without a crash, and the statistics over them
// must match the literal walk.
#include "history/DrawMatrix.h"
#include "history/HistoryFile.h"
#include "stats/NumberStats.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    HistoryFile::ReadResult read = HistoryFile::parse(bytes);
    read.lines << QString();
    DrawMatrix matrix;
    matrix.rebuild(read.lines);
    const int last = static_cast<int>(read.lines.size()) - 2;
    for (int first : {0, last / 2, last + 1}) {
        StudyPeriod a{first, last}, b{first, last};
        if (computeStats(matrix, a) != computeStatsNaive(matrix, b))
            std::abort();
    }
    return 0;
}
