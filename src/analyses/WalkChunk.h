// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <atomic>
#include <mutex>
#include <vector>

namespace CombinationEngine {

// The combinations sharing their first positions (`prefix`): a run of consecutive ranks
// [first, end) of the walk, handed to one thread.
struct WalkChunk {
    // A line a chunk's walk would write, with what decides whether it is a record: the count
    // ("Plus sortis") or the draw index (gap search).
    struct Candidate {
        QString line;
        int key;
    };

    std::vector<int> prefix;
    qint64 first = 0;
    qint64 end = 0;
    std::atomic<qint64> next{0}; // rank of the first combination not examined yet
    std::atomic<int> key{0}; // the chunk's own record so far
    std::atomic<bool> done{false};
    std::mutex mutex; // guards `lines` while the chunk is walked
    std::vector<Candidate> lines; // in walk order
};

} // namespace CombinationEngine
