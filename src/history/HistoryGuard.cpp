#include "history/HistoryGuard.h"

#include <QHash>

namespace HistoryGuard {

std::optional<Refusal> check(const DrawList& onDisk, const DrawList& draws, const QSet<QString>& replaced)
{
    Refusal r{Refusal::Kind::Shorter, onDisk.drawCount(), draws.drawCount(), 0, {}};
    if (draws.drawCount() < onDisk.drawCount())
        return r;
    // Counted, so a line the file holds twice is kept twice.
    QHash<QString, int> kept;
    kept.reserve(draws.drawCount());
    for (int i = 0; i < draws.drawCount(); ++i)
        ++kept[draws.text(i)];
    for (int i = 0; i < onDisk.drawCount(); ++i) {
        const QString line = onDisk.text(i);
        auto it = kept.find(line);
        if (it != kept.end() && *it > 0) {
            --*it;
            continue;
        }
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

} // namespace HistoryGuard
