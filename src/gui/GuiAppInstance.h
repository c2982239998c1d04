// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocalServer>
#include <QString>
#include <functional>

// One window per data folder: the first one listens under a name drawn from the folder; a later
// one asks it to come forward instead of opening over it.
class GuiAppInstance {
public:
    explicit GuiAppInstance(const QString& dataFolder);

    // The same folder, however it is named (links, "..", a trailing slash), gives the same name.
    static QString serverName(const QString& dataFolder);

    // True when a window of this user has the folder open already: it was asked to come forward.
    bool forwardToRunning();
    // Listens for later windows; `raise` brings this one forward. False when it cannot listen
    // (the program then simply runs alone).
    bool listen(std::function<void()> raise);

private:
    QString m_name;
    QLocalServer m_server;
    std::function<void()> m_raise;
};
