// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquire/NetworkArchiveSource.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class AutoUpdate;
class QLabel;
class QStatusBar;
class Workspace;

// Keeps the current game's history up to date while the window is open (see AutoUpdate): a
// download of its own, so the menu's may run meanwhile; the draws imported through the
// Workspace, between two commands; what came of it in the status bar.
class GameUpdater : public QObject {
    Q_OBJECT
public:
    // Runs an import as a command of the window; false when one is running (see CommandRunner).
    using RunCommand = std::function<bool(const std::function<void()>&)>;

    GameUpdater(Workspace& workspace, QStatusBar* bar, RunCommand run, QObject* parent = nullptr);
    ~GameUpdater() override;

    // Begins once the window's start-up is over: when the settings want it, outside a
    // demonstration, and as soon as the machine may be on line. A Workspace without a
    // connection check (the command line's, a test's) is never updated.
    void start();
    // A demonstration's histories are not the player's: nothing is fetched into them.
    void setAllowed(bool allowed);

    AutoUpdate& update() { return *m_update; }
    NetworkArchiveSource& source() { return m_source; }

    // How often an off-line machine is asked again whether it is on line.
    static constexpr int kOnlineCheckMinutes = 10;

private:
    // Turns the update on or off as the settings, the demonstration and the connection say.
    void follow();
    void announce(const QString& text);
    // The address and where to change it, as the settings file has them now.
    void readAddress();

    Workspace& m_ws;
    RunCommand m_run;
    NetworkArchiveSource m_source;
    std::unique_ptr<AutoUpdate> m_update;
    QLabel* m_label = nullptr;
    QTimer m_onlineWait;
    bool m_started = false;
    bool m_allowed = true;
};
