// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DemoHistory.h"

#include "history/DrawLine.h"
#include "history/HistoryFile.h"

#include <QDir>
#include <algorithm>
#include <numeric>

namespace DemoHistory {

namespace {
// A small, fully specified generator (xorshift32), so the demo is identical across
// standard libraries.
struct XorShift {
    quint32 state;
    quint32 next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
};
} // namespace

QStringList generate(const QDate& lastDay, quint32 seed)
{
    XorShift rng{seed ? seed : 1u};
    QStringList lines;
    const QDate first(1993, 9, 16);
    if (!lastDay.isValid() || lastDay < first)
        return lines;
    lines.reserve(static_cast<qsizetype>(first.daysTo(lastDay) + 1) * 2);
    std::array<int, 70> pool{};
    for (QDate day = first; day <= lastDay; day = day.addDays(1)) {
        for (bool midday : {true, false}) {
            std::iota(pool.begin(), pool.end(), 1);
            // Partial Fisher-Yates: the first twenty places are the draw.
            for (int i = 0; i < DrawLine::kNumbers; ++i) {
                const int j = i + static_cast<int>(rng.next() % static_cast<quint32>(70 - i));
                std::swap(pool[static_cast<size_t>(i)], pool[static_cast<size_t>(j)]);
            }
            DrawLine::Numbers numbers{};
            std::copy_n(pool.begin(), DrawLine::kNumbers, numbers.begin());
            std::sort(numbers.begin(), numbers.end());
            lines << DrawLine::build(day, numbers, midday);
        }
    }
    return lines;
}

bool writeDemoFolder(const QString& folder, const QDate& lastDay, QString* error)
{
    const QStringList lines = generate(lastDay);
    const QDir dir(folder);
    return HistoryFile::write(dir.filePath(QString::fromLatin1(HistoryFile::kWorkingName)), lines, error)
        && HistoryFile::write(dir.filePath(QString::fromLatin1(HistoryFile::kBaseName)), lines, error);
}

} // namespace DemoHistory
