// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <utility>

// The parts of the Workspace's state a command may change; the window redraws only those.
enum StatePart : unsigned {
    ListPart = 1u << 0, // liste, selected index
    ReportPart = 1u << 1, // report model
    CountersPart = 1u << 2, // Text1, Label2, nb, Prem, Dern
    GridPart = 1u << 3, // Check boxes, OK / Annuler enabled
    EntryPart = 1u << 4, // dat, Info, Affichage
    MenuPart = 1u << 5, // Telecharge enabled, title, export box
    ProgressPart = 1u << 6, // ProgressBar1
    BusyPart = 1u << 7, // lblquoi / Shape2 shown: repaint at once
    CriteriaPart = 1u << 8, // criteria scroll bars
    CursorPart = 1u << 9, // the hourglass (waitCursor)
    AllParts = 0xffffu,
};

// Tells the shells which parts of the state changed (StatePart flags).
class StateChanges {
public:
    explicit StateChanges(std::function<void(unsigned)> notify) : m_notify(std::move(notify)) { }

    void changed(unsigned parts) const
    {
        if (m_notify)
            m_notify(parts);
    }

private:
    std::function<void(unsigned)> m_notify;
};
