#include "gui/GuiApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    GuiApp gui;
    return gui.run();
}
