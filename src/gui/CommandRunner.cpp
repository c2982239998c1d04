#include "gui/CommandRunner.h"

bool CommandRunner::run(const std::function<void()>& command)
{
    if (m_running)
        return false;
    m_running = true;
    command();
    m_running = false;
    if (m_afterEach)
        m_afterEach();
    return true;
}
