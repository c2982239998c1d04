// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The application's hourglass, shown while the Workspace says so. Shown once however often
// it is asked for, and always taken back, at the latest when this object goes.
class WaitCursor {
public:
    WaitCursor() = default;
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    void show(bool on);
    bool shown() const { return m_shown; }

private:
    bool m_shown = false;
};
