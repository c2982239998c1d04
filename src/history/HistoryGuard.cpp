#include "history/HistoryGuard.h"

#include "history/DrawLine.h"

#include <QSet>

namespace {

QSet<QString> drawKeys(const DrawList& list)
{
    QSet<QString> keys;
    keys.reserve(list.drawCount());
    for (int i = 0; i < list.drawCount(); ++i) {
        const QString l = list.text(i);
        if (!DrawLine::problem(l))
            keys.insert(l.left(10) + l.right(4));
    }
    return keys;
}

} // namespace

namespace HistoryGuard {

std::optional<Refusal> check(const DrawList& onDisk, const DrawList& draws, bool checkLostDraws)
{
    Refusal r{Refusal::Kind::Shorter, onDisk.drawCount(), draws.drawCount(), 0};
    if (draws.drawCount() < onDisk.drawCount())
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
