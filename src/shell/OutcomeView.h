// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/CommandOutcome.h"

// How a program shows what a command came to: the window in message boxes, the tests by
// noting them.
class OutcomeView {
public:
    virtual ~OutcomeView() = default;
    virtual void show(const CommandOutcome& outcome) = 0;
};
