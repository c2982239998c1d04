// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CommandRunner.h"

bool CommandRunner::run(const std::function<void()>& command)
{
    if (m_running || (m_closed && m_closed()))
        return false;
    m_running = true;
    command();
    m_running = false;
    return true;
}
