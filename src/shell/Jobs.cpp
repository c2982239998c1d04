// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Jobs.h"

#include "shell/StateChanges.h"

void Jobs::start(Job job)
{
    m_running = true;
    m_changes.changed(StatePart::MenuPart);
    job.finish = [this, finish = std::move(job.finish)] {
        // Cleared first: a finish may start the next job of its command.
        m_running = false;
        if (finish)
            finish();
        m_changes.changed(StatePart::MenuPart);
    };
    (m_runner ? *m_runner : m_inPlace).start(std::move(job));
}
