#include "gui/BacktestAction.h"

#include "gui/MainWindow.h"
#include "shell/Workspace.h"

void BacktestAction::install(MainWindow& window)
{
    window.setWindowAction(QString::fromLatin1(kActionName), [&window] { run(window); });
}

void BacktestAction::run(MainWindow& window)
{
    window.workspace().testerPrevision();
}
