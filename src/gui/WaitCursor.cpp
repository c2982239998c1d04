// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

WaitCursor::~WaitCursor()
{
    show(false);
}

void WaitCursor::show(bool on)
{
    if (on == m_shown)
        return;
    m_shown = on;
    if (on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}
