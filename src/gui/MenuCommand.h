#pragma once

#include <QKeySequence>
#include <QString>

class Workspace;

// One row of the main window's command table. A caption of "-" is a separator; a row
// without a Workspace command acts on the window itself (`closesWindow`, `windowAction`).
struct MenuCommand {
    QString menu; // objectName of the menu holding it
    QString name; // objectName of the action
    QString caption;
    void (Workspace::*command)() = nullptr;
    QKeySequence shortcut;
    bool closesWindow = false;
    // Acts on the window (a secondary window, the clipboard, the printer): the handler the
    // window registered under `name` with MainWindow::setWindowAction.
    bool windowAction = false;
    // A submenu: its rows are those whose `menu` is this row's `name`.
    bool submenu = false;
    // An item of an indexed set (C1(0..6), F0(1..10)): its command receives `index`.
    void (Workspace::*indexedCommand)(int) = nullptr;
    int index = 0;

    bool isSeparator() const { return caption == QLatin1String("-"); }
};
