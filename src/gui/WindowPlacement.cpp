// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace WindowPlacement {

QRect fitInside(const QRect& frame, const QRect& area)
{
    QRect r(frame.topLeft(), frame.size().boundedTo(area.size()));
    r.moveLeft(std::clamp(r.left(), area.left(), area.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), area.top(), area.bottom() - r.height() + 1));
    return r;
}

QRect workAreaFor(const QRect& rect)
{
    const QScreen* best = nullptr;
    int bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->geometry().intersected(rect);
        const int area = common.isEmpty() ? 0 : common.width() * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    if (!best)
        best = QGuiApplication::primaryScreen();
    return best ? best->availableGeometry() : rect;
}

void keepFrameInside(QWidget* window)
{
    if (!window || window->isMaximized() || window->isFullScreen())
        return;
    const QRect frame = window->frameGeometry();
    const QRect area = workAreaFor(frame);
    const QRect fitted = fitInside(frame, area);
    if (fitted == frame)
        return;
    // The frame's borders and title bar stay as the window manager drew them.
    const QRect client = window->geometry();
    const QMargins borders(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                           frame.bottom() - client.bottom());
    window->setGeometry(fitted.marginsRemoved(borders));
}

void centreOn(QWidget* window, const QWidget* owner)
{
    if (!window || !owner)
        return;
    const QRect ownerFrame = owner->frameGeometry();
    QRect r(QPoint(), window->frameGeometry().size().expandedTo(window->size()));
    r.moveCenter(ownerFrame.center());
    window->move(fitInside(r, workAreaFor(ownerFrame)).topLeft());
}

} // namespace WindowPlacement
