// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ForecastWindows.h"

#include "gui/CriteriaWindow.h"
#include "gui/MainWindow.h"
#include "gui/TipsWindow.h"
#include "gui/WindowPlacement.h"
#include "shell/AppFiles.h"
#include "shell/CommandUnits.h"
#include "shell/OutcomeView.h"
#include "shell/Workspace.h"

ForecastWindows::ForecastWindows(MainWindow& window) : QObject(&window), m_window(window)
{
    setObjectName(QStringLiteral("forecastWindows"));
}

ForecastWindows* ForecastWindows::install(MainWindow& window)
{
    auto* windows = new ForecastWindows(window);
    window.setWindowAction(QStringLiteral("mnuPrev"), [windows] { windows->showCriteria(); });
    window.setWindowAction(QStringLiteral("mnuCons"), [windows] { windows->showTips(); });
    return windows;
}

void ForecastWindows::showCriteria()
{
    if (!m_criteria) {
        m_criteria = new CriteriaWindow(m_window.workspace(), &m_window);
        // Closed by its title bar, the window is gone: the next opening builds it afresh.
        m_criteria->setAttribute(Qt::WA_DeleteOnClose);
        WindowPlacement::centreOn(m_criteria, &m_window);
    }
    bringForward(m_criteria);
    // Every opening from the menu reads the file: moves not saved are lost.
    m_window.view().show(m_window.workspace().units().forecast.reloadCriteria());
}

void ForecastWindows::showTips()
{
    if (!m_tips) {
        m_tips = new TipsWindow(AppFiles::tipsFile(), &m_window);
        WindowPlacement::centreOn(m_tips, &m_window);
    }
    bringForward(m_tips);
}

void ForecastWindows::bringForward(QWidget* window)
{
    window->show();
    window->raise();
    // Forward and ready for the keyboard: a window left behind the main one is not enough.
    window->activateWindow();
}
