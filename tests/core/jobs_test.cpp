// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Jobs.h"

#include "shell/StateChanges.h"
#include "support/TestSupport.h"

#include <optional>
#include <vector>

namespace {

// Keeps each job until run() is called, as the window's worker thread would end it later.
class LaterRunner : public JobRunner, private JobContext {
public:
    std::vector<Job> waiting;
    std::atomic<bool> cancel{false};

    void start(Job job) override { waiting.push_back(std::move(job)); }
    void runAll()
    {
        std::vector<Job> jobs = std::move(waiting);
        waiting.clear();
        for (Job& job : jobs) {
            job.run(*this);
            job.finish();
        }
    }

private:
    const std::atomic<bool>* cancelFlag() const override { return &cancel; }
    void post(std::function<void()> update) override { update(); }
};

class JobsTest : public ::testing::Test {
protected:
    StateChanges changes{nullptr};
    Jobs jobs{changes};
    LaterRunner later;
    std::vector<CommandOutcome> late;

    JobsTest()
    {
        jobs.setLateOutcome([this](const CommandOutcome& outcome) { late.push_back(outcome); });
    }
    // A command that tells `text` once its job has ended.
    void command(OutcomeThen then, const QString& text)
    {
        Job job;
        job.finish = [then = std::move(then), text] { then(CommandOutcome::told(Notice{text})); };
        jobs.start(std::move(job));
    }
};

} // namespace

TEST_F(JobsTest, AnOutcomeComesBackAtOnceInPlaceAndLaterFromAnotherRunner)
{
    const CommandOutcome inPlace = jobs.await([this](OutcomeThen then) { command(std::move(then), QStringLiteral("a")); });
    EXPECT_FALSE(inPlace.pending);
    ASSERT_EQ(inPlace.notices.size(), 1);
    EXPECT_EQ(inPlace.notices[0].text, QStringLiteral("a"));
    EXPECT_TRUE(late.empty());

    jobs.setRunner(&later);
    const CommandOutcome waiting = jobs.await([this](OutcomeThen then) { command(std::move(then), QStringLiteral("b")); });
    EXPECT_TRUE(waiting.pending);
    EXPECT_TRUE(waiting.notices.isEmpty());
    EXPECT_TRUE(jobs.running());
    EXPECT_TRUE(late.empty());
    later.runAll();
    EXPECT_FALSE(jobs.running());
    ASSERT_EQ(late.size(), 1u);
    EXPECT_EQ(late[0].notices.value(0).text, QStringLiteral("b"));

    // A command that starts no job ends in place whatever the runner.
    const CommandOutcome refused = jobs.await([](OutcomeThen then) { then(CommandOutcome::refused(QStringLiteral("non"))); });
    EXPECT_FALSE(refused.pending);
    EXPECT_EQ(refused.reason, QStringLiteral("non"));
    EXPECT_EQ(late.size(), 1u);
}

TEST_F(JobsTest, AStopByThePersonIsTheOutcomesAndOnlyForTheJobThatSawIt)
{
    const auto walk = [this] {
        return jobs.track([this] {
            jobs.start(Job{});
            return CommandOutcome::done();
        });
    };
    InPlaceJobRunner running;
    std::atomic<bool> stop{true};
    InPlaceJobRunner stopped(&stop);

    jobs.setRunner(&stopped);
    EXPECT_TRUE(walk().stopped);
    jobs.setRunner(&running);
    EXPECT_FALSE(walk().stopped);
    // A command that started no job after a stopped one is not stopped.
    jobs.setRunner(&stopped);
    EXPECT_TRUE(walk().stopped);
    EXPECT_FALSE(jobs.track([] { return CommandOutcome::refused(QStringLiteral("taille")); }).stopped);

    // While the job runs on, the outcome waits; its own refusal stays.
    jobs.setRunner(&later);
    const CommandOutcome pending = walk();
    EXPECT_TRUE(pending.pending);
    EXPECT_FALSE(pending.stopped);
    later.runAll();
}
