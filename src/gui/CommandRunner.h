#pragma once

#include <functional>

// One command at a time: the Workspace's commands run to completion, and a click that
// arrives while one waits in an event loop (a download) is refused rather than nested.
class CommandRunner {
public:
    // Runs `command` unless another one is still running; false when refused.
    bool run(const std::function<void()>& command);
    bool running() const { return m_running; }
    // Called each time a command has ended (a close asked for meanwhile happens then).
    void setAfterEach(std::function<void()> afterEach) { m_afterEach = std::move(afterEach); }

private:
    bool m_running = false;
    std::function<void()> m_afterEach;
};
