// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Jobs.h"

#include "shell/StateChanges.h"

#include <memory>
#include <optional>

void Jobs::start(Job job)
{
    m_running = true;
    m_changes.changed(StatePart::MenuPart);
    auto stopped = std::make_shared<bool>(false);
    job.run = [run = std::move(job.run), stopped](JobContext& context) {
        if (run)
            run(context);
        const std::atomic<bool>* cancel = context.cancelFlag();
        *stopped = cancel && cancel->load();
    };
    job.finish = [this, finish = std::move(job.finish), stopped] {
        // Cleared first: a finish may start the next job of its command.
        m_running = false;
        m_lastStopped = *stopped;
        if (finish)
            finish();
        m_changes.changed(StatePart::MenuPart);
    };
    (m_runner ? *m_runner : m_inPlace).start(std::move(job));
}

void Jobs::showProgress(int value, int maximum)
{
    m_progress = Progress{true, maximum, value};
    m_changes.changed(StatePart::ProgressPart);
}

void Jobs::hideProgress()
{
    m_progress.visible = false;
    m_changes.changed(StatePart::ProgressPart);
}

CommandOutcome Jobs::await(const std::function<void(OutcomeThen)>& command)
{
    struct Wait {
        bool inPlace = true;
        std::optional<CommandOutcome> outcome;
    };
    auto wait = std::make_shared<Wait>();
    command([this, wait](CommandOutcome outcome) {
        if (wait->inPlace)
            wait->outcome = std::move(outcome);
        else if (m_late)
            m_late(outcome);
    });
    wait->inPlace = false;
    if (wait->outcome)
        return *wait->outcome;
    CommandOutcome pending;
    pending.pending = true;
    return pending;
}

CommandOutcome Jobs::track(const std::function<CommandOutcome()>& command)
{
    m_lastStopped = false;
    CommandOutcome outcome = command();
    if (m_running)
        outcome.pending = true;
    else
        outcome.stopped = outcome.stopped || m_lastStopped;
    return outcome;
}
