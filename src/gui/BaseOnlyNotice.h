// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Workspace;

// A download that added nothing (no connection, a failure, a stop, an unreadable archive) leaves
// the list, the study period and the calendar filter with the base history alone. The window
// says so in its title and status bar until the next load, so a study cut short is never taken
// for a whole one.
class BaseOnlyNotice {
public:
    // Follows the Workspace once its commands have ended; true when the notice changed.
    bool update(const Workspace& workspace);

    bool active() const { return !m_lastDate.isEmpty(); }
    // " — étude arrêtée au 18/10/2020 : historique de base seul, l'archive n'a pas été ajoutée"
    QString titleSuffix() const;
    // The same with the reason the download gave and the way back to the whole history.
    QString statusText() const;
    // The download's whole message, for the status bar's tooltip.
    QString details() const { return m_details; }

private:
    QString m_lastDate; // the base history's last draw; empty: no notice
    QString m_reason;
    QString m_details;
};
