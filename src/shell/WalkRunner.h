#pragma once

#include "analyses/CombinationWalk.h"

#include <QString>
#include <QStringList>
#include <functional>

// A combination walk handed to whoever runs it: `run` is pure (it works on copies of its
// inputs, so it may run on another thread); `show` and `finish` change the Workspace and must
// be called on the Workspace's thread.
struct WalkJob {
    std::function<CombinationWalk::Result(const CombinationWalk::Options&)> run;
    // The combination under examination, the record lines so far, the latest record's draw, and
    // the share done (CombinationWalk::progressText).
    std::function<void(const QString& combination, const QStringList& lines, int latestRecordDraw, const QString& progress)> show;
    std::function<void(const CombinationWalk::Result& result)> finish;
};

// Runs the walks of "Plus sortis" and "&Recherche Ecart". Without one the Workspace walks
// synchronously (tests); the window walks on a worker thread, the command line with a
// progress line and Ctrl+C.
class WalkRunner {
public:
    virtual ~WalkRunner() = default;
    // Starts the job; `finish` is called exactly once, possibly after start() has returned.
    virtual void start(WalkJob job) = 0;
};
