#pragma once

#include "gui/MenuCommand.h"

#include <QList>
#include <QString>

// The menu bar as data: its menus in bar order, then every command in menu order. The
// window reads it once and shows a menu only when it holds at least one command.
class MenuTable {
public:
    struct Menu {
        QString name; // objectName
        QString caption;
    };

    static const QList<Menu>& menus();
    static const QList<MenuCommand>& commands();
    // The rows of one menu, in order.
    static QList<MenuCommand> commandsOf(const QString& menu);
};
