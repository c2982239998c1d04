// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/CombinationEngine.h"

#include "analyses/ChunkRunner.h"
#include "analyses/DrawBits.h"
#include "analyses/GapSearchData.h"
#include "analyses/GapSearchWalk.h"
#include "analyses/MostFrequentData.h"
#include "analyses/MostFrequentWalk.h"
#include "analyses/RecordRule.h"
#include "analyses/WalkPlan.h"

#include <memory>

namespace CombinationEngine {

using CombinationWalk::Options;
using CombinationWalk::Result;

Result mostFrequent(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen, int r, const Options& options)
{
    if (r < 1 || r > chosen.size())
        return {};
    WalkPlan plan(chosen, r, RecordRule{true, 0}, options);
    MostFrequentData data(matrix, period, chosen);
    return ChunkRunner(plan, false).run([&]() -> std::unique_ptr<WalkBase> {
        return std::make_unique<MostFrequentWalk>(plan, data);
    });
}

Result gapSearch(const DrawMatrix& matrix, int start, int lineCount, const QList<int>& chosen, int r, int s,
                 const Options& options)
{
    if (r < 1 || r > chosen.size())
        return {};
    WalkPlan plan(chosen, r, RecordRule{false, lineCount}, options);
    if (start < 0 || s > r || s <= 0) {
        // Nothing to walk: no draw is searched or none can qualify; or, with s <= 0, the
        // newest draw qualifies for every combination and only the first is listed.
        Result result;
        result.total = result.examined = plan.total;
        result.lastCombination = plan.textOf(plan.unrank(plan.total - 1));
        if (start >= 0 && s <= 0 && start < lineCount) {
            QList<int> numbers;
            int present = 0;
            for (int i = 0; i < r; ++i) {
                numbers << chosen[i];
                present += DrawBits::holds(matrix, chosen[i], start) ? 1 : 0;
            }
            result.lines << CombinationWalk::gapLine(CombinationWalk::text(numbers), present, 0);
            result.latestRecordDraw = start;
        }
        return result;
    }
    GapSearchData data(matrix, start, chosen, r, s);
    return ChunkRunner(plan, true).run([&]() -> std::unique_ptr<WalkBase> {
        return std::make_unique<GapSearchWalk>(plan, data);
    });
}

} // namespace CombinationEngine
