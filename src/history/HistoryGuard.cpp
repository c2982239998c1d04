// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryGuard.h"

#include "history/DrawLine.h"

#include <QHash>
#include <algorithm>

namespace {

// A draw is its date, its time of day and its set of numbers: the same draw typed by hand
// (numbers ascending) and read from the archive (the operator's order) is one draw. Any other
// line counts as written.
QString drawKey(const QString& line)
{
    const std::optional<FormulaId> id = DrawList::drawFormula(line);
    if (!id)
        return line;
    DrawLine::Numbers numbers = DrawLine::Numbers::of(Formula::get(*id));
    for (int k = 1; k <= numbers.count; ++k)
        numbers[static_cast<size_t>(k - 1)] = DrawLine::number(line, k);
    std::sort(numbers.begin(), numbers.end());
    return DrawLine::build(line.left(10), numbers, line.right(4));
}

// The lines of `from` that `in` lacks, each counted once per time it appears.
QStringList unmatchedLines(const DrawList& from, const DrawList& in)
{
    // Counted, so a line held twice is kept twice. Lines are compared as text first (nearly
    // always all of them match); only the others are read as draws.
    QHash<QString, int> kept;
    kept.reserve(in.drawCount());
    for (int i = 0; i < in.drawCount(); ++i)
        ++kept[in.text(i)];
    QStringList unmatched;
    for (int i = 0; i < from.drawCount(); ++i) {
        const QString line = from.text(i);
        auto it = kept.find(line);
        if (it != kept.end() && *it > 0)
            --*it;
        else
            unmatched << line;
    }
    if (unmatched.isEmpty())
        return unmatched;
    QHash<QString, int> keys;
    for (auto it = kept.cbegin(); it != kept.cend(); ++it)
        if (*it > 0)
            keys[drawKey(it.key())] += *it;
    QStringList lacking;
    for (const QString& line : unmatched) {
        auto it = keys.find(drawKey(line));
        if (it != keys.end() && *it > 0)
            --*it;
        else
            lacking << line;
    }
    return lacking;
}

} // namespace

namespace HistoryGuard {

std::optional<Refusal> check(const DrawList& onDisk, const DrawList& draws, const QSet<QString>& replaced)
{
    Refusal r{Refusal::Kind::Shorter, onDisk.drawCount(), draws.drawCount(), 0, {}};
    if (draws.drawCount() < onDisk.drawCount())
        return r;
    for (const QString& line : unmatchedLines(onDisk, draws)) {
        if (replaced.contains(line))
            continue;
        if (r.lost++ < 3)
            r.examples << line;
    }
    if (r.lost == 0)
        return std::nullopt;
    r.kind = Refusal::Kind::LostDraws;
    return r;
}

int newDraws(const DrawList& onDisk, const DrawList& draws)
{
    return static_cast<int>(unmatchedLines(draws, onDisk).size());
}

} // namespace HistoryGuard
