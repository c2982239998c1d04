#include "history/HistoryGuard.h"

#include "history/DrawLine.h"

#include <QSet>

namespace {

QSet<QString> drawKeys(const QStringList& lines)
{
    QSet<QString> keys;
    keys.reserve(lines.size());
    for (const QString& l : lines)
        if (!DrawLine::problem(l))
            keys.insert(l.left(10) + l.right(4));
    return keys;
}

} // namespace

namespace HistoryGuard {

std::optional<Refusal> check(const QStringList& onDisk, const QStringList& draws, bool checkLostDraws)
{
    Refusal r{Refusal::Kind::Shorter, static_cast<int>(onDisk.size()), static_cast<int>(draws.size()), 0};
    if (draws.size() < onDisk.size())
        return r;
    if (checkLostDraws) {
        const QSet<QString> kept = drawKeys(draws);
        for (const QString& key : drawKeys(onDisk))
            r.lost += kept.contains(key) ? 0 : 1;
        if (r.lost > 0) {
            r.kind = Refusal::Kind::LostDraws;
            return r;
        }
    }
    return std::nullopt;
}

} // namespace HistoryGuard
