// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// One command at a time: a click that arrives while a command waits for an answer (a modal
// question) is refused rather than nested.
class CommandRunner {
public:
    // Runs `command` unless another one is still running; false when refused.
    bool run(const std::function<void()>& command);
    bool running() const { return m_running; }
    // While `closed` holds (a long job runs), commands are refused as well.
    void setClosedWhile(std::function<bool()> closed) { m_closed = std::move(closed); }

private:
    bool m_running = false;
    std::function<bool()> m_closed;
};
