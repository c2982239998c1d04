// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a command reached: done, or refused or failed with its reason. Each program shows it
// its own way (the window a message box, the command line standard error and its exit status).
struct CommandOutcome {
    enum class Status { Done, Refused, Failed };
    Status status = Status::Done;
    QString reason; // French, as a person reads it; empty when done

    static CommandOutcome done() { return {}; }
    static CommandOutcome refused(QString why) { return {Status::Refused, std::move(why)}; }
    static CommandOutcome failed(QString why) { return {Status::Failed, std::move(why)}; }
    bool isDone() const { return status == Status::Done; }
};
