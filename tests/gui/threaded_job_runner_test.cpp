// SPDX-License-Identifier: GPL-3.0-or-later
// The window's job runner: work off the window's thread, its posts and its end back on it.
#include "gui/ThreadedJobRunner.h"

#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

TEST(ThreadedJobRunnerTest, RunsOffTheThreadAndHandsPostsThenTheEndBack)
{
    ThreadedJobRunner runner;
    QThread* const window = QThread::currentThread();
    std::vector<int> seen; // touched on the window's thread only
    std::atomic<bool> ranElsewhere{false};
    int finished = 0;
    Job job;
    job.run = [&](JobContext& context) {
        ranElsewhere = QThread::currentThread() != window;
        for (int i = 1; i <= 3; ++i)
            context.post([&seen, i, window] {
                if (QThread::currentThread() == window)
                    seen.push_back(i);
            });
    };
    job.finish = [&] {
        seen.push_back(QThread::currentThread() == window ? 0 : -1);
        ++finished;
    };
    runner.start(std::move(job));
    EXPECT_TRUE(runner.running());
    ASSERT_TRUE(TestSupport::waitFor([&] { return !runner.running(); }));
    EXPECT_TRUE(ranElsewhere);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0}));
    QCoreApplication::processEvents();
    EXPECT_EQ(finished, 1);
}

TEST(ThreadedJobRunnerTest, StopAndWaitStopsTheJobAndTheOneItsEndStarts)
{
    ThreadedJobRunner runner;
    int finished = 0, posted = 0;
    bool secondStopped = false;
    Job second;
    second.run = [&](JobContext& context) { secondStopped = context.cancelFlag()->load(); };
    second.finish = [&] { ++finished; };
    Job first;
    first.run = [&](JobContext& context) {
        context.post([&] { ++posted; });
        while (!context.cancelFlag()->load())
            QThread::msleep(5);
    };
    first.finish = [&] {
        ++finished;
        runner.start(second); // the next step of its command
    };
    runner.start(std::move(first));
    runner.stopAndWait(); // the window closes
    EXPECT_FALSE(runner.running());
    EXPECT_EQ(finished, 2);
    EXPECT_TRUE(secondStopped);
    // What the stopped job posted, and its own completion, come to nothing afterwards.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(posted, 0);
    EXPECT_EQ(finished, 2);
}

} // namespace
