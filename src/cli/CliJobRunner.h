// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/JobRunner.h"

#include <QTextStream>

// Runs the Workspace's long jobs in the calling thread: Ctrl+C sets the cancel flag instead of
// ending the program, and a terminal sees how far the job is.
class CliJobRunner : public JobRunner, private JobContext {
public:
    explicit CliJobRunner(QTextStream& err) : m_err(err) { }

    void start(Job job) override;

private:
    const std::atomic<bool>* cancelFlag() const override;
    void post(std::function<void()> update) override { update(); }
    void progress(const QString& text, double done) override;

    QTextStream& m_err;
    bool m_tty = false;
    qsizetype m_shown = 0; // length of the progress line on the terminal
};
