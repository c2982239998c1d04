// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DemoHistory.h"

#include "history/DateText.h"
#include "history/DrawLine.h"
#include "history/HistoryFile.h"
#include "history/MultiplierFile.h"
#include "output/TextFile.h"

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

// One draw: a partial Fisher-Yates over 1..numbers, whose first `drawn` places are the draw.
DrawLine::Numbers drawOne(const Formula& f, XorShift& rng)
{
    std::array<int, Formula::kMaxNumber> pool{};
    std::iota(pool.begin(), pool.begin() + f.numbers, 1);
    for (int i = 0; i < f.drawn; ++i) {
        const int j = i + static_cast<int>(rng.next() % static_cast<quint32>(f.numbers - i));
        std::swap(pool[static_cast<size_t>(i)], pool[static_cast<size_t>(j)]);
    }
    DrawLine::Numbers numbers = DrawLine::Numbers::of(f);
    std::copy_n(pool.begin(), f.drawn, numbers.begin());
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

} // namespace

Multipliers demoMultipliers(const DrawList& draws)
{
    // Their own generator, so the draws stay what they were; x1 most often, as in play.
    static constexpr std::array<int, 16> kDrawn{1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 4, 5, 10};
    XorShift rng{kMultiplierSeed};
    Multipliers values;
    for (int i = 0; i < draws.drawCount(); ++i) {
        const QDate day = draws.date(i);
        const quint32 next = rng.next();
        if (day.isValid() && day.year() >= kFirstMultiplierYear && draws.slotIndex(i) >= 0)
            values.set(day, draws.slotIndex(i), kDrawn[next % kDrawn.size()]);
    }
    return values;
}

QStringList generate(FormulaId id, const QDate& lastDay, quint32 seed)
{
    const Formula& f = Formula::get(id);
    XorShift rng{seed ? seed : 1u};
    QStringList lines;
    const QDate last = f.lastDay.isValid() && lastDay > f.lastDay ? f.lastDay : lastDay;
    if (!last.isValid() || last < f.firstDay)
        return lines;
    lines.reserve(static_cast<qsizetype>(f.firstDay.daysTo(last) + 1) * f.slotCount());
    for (QDate day = f.firstDay; day <= last; day = day.addDays(1))
        for (const DrawSlot& slot : f.drawSlots)
            lines << DrawLine::build(DateText::format(day), drawOne(f, rng), slot.word);
    return lines;
}

QStringList generate(FormulaId id, const QDate& lastDay)
{
    return generate(id, lastDay, id == FormulaId::Keno20of70 ? kClassicSeed : kCurrentSeed);
}

QStringList generate(const QDate& lastDay, quint32 seed)
{
    return generate(FormulaId::Keno20of70, lastDay, seed);
}

bool writeDemoFolder(const QString& folder, const QDate& lastDay, QString* error)
{
    const QDir dir(folder);
    for (FormulaId id : Formula::all()) {
        const Formula& f = Formula::get(id);
        const QStringList lines = generate(id, lastDay);
        const DrawList list = DrawList::fromLines(lines);
        const QByteArray multipliers = MultiplierFile::bytesOf(demoMultipliers(list), list);
        if (!HistoryFile::write(dir.filePath(f.workingFile), lines, error)
            || !HistoryFile::write(dir.filePath(f.baseFile), lines, error)
            || !TextFile::writeAtomic(dir.filePath(f.multiplierFile), multipliers, error))
            return false;
    }
    return true;
}

} // namespace DemoHistory
