// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GuiApp.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The desktop ties the window to its menu entry (name and icon in the task bar) through this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("tiravol"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tiravol")));
    GuiApp gui;
    return gui.run();
}
