// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliJobRunner.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void onInterrupt(int)
{
    g_interrupted.store(true);
}

} // namespace

void CliJobRunner::start(Job job)
{
    g_interrupted.store(false);
    const auto previous = std::signal(SIGINT, onInterrupt);
    m_tty = isatty(fileno(stderr));
    m_shown = 0;
    if (job.run)
        job.run(*this);
    std::signal(SIGINT, previous == SIG_ERR ? SIG_DFL : previous);
    if (m_shown > 0)
        m_err << '\n' << Qt::flush;
    if (job.finish)
        job.finish();
}

const std::atomic<bool>* CliJobRunner::cancelFlag() const
{
    return &g_interrupted;
}

void CliJobRunner::progress(const QString& text, double)
{
    if (!m_tty || text.isEmpty())
        return;
    // Blanks over what a longer previous line left.
    m_err << '\r' << text << QString(std::max<qsizetype>(m_shown - text.size(), 0), QLatin1Char(' ')) << Qt::flush;
    m_shown = std::max(m_shown, text.size());
}
