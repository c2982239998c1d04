// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CriteriaWindow.h"
#include "gui/TipsWindow.h"

#include <QObject>
#include <QPointer>

class MainWindow;

// The secondary windows of the forecast menus: "Configuration" (mnuPrev) shows the criteria
// window and reloads the criteria file, "Conseils" (mnuCons) shows the tips window.
class ForecastWindows : public QObject {
    Q_OBJECT
public:
    // Registers both menu handlers on the window, which owns the result.
    static ForecastWindows* install(MainWindow& window);

    CriteriaWindow* criteriaWindow() const { return m_criteria; }
    TipsWindow* tipsWindow() const { return m_tips; }

    void showCriteria();
    void showTips();

private:
    explicit ForecastWindows(MainWindow& window);
    static void bringForward(QWidget* window);

    MainWindow& m_window;
    QPointer<CriteriaWindow> m_criteria;
    QPointer<TipsWindow> m_tips;
};
