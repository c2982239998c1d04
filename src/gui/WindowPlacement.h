// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QWidget;

// Where windows go on the desktop: the main window inside the work area (the screen less its
// panels, title bar included), the secondary windows centred on the main window.
namespace WindowPlacement {

// `frame` moved, and shrunk when it is larger, so that it lies inside `area`.
QRect fitInside(const QRect& frame, const QRect& area);

// The work area of the screen that shows most of `rect` (the primary screen when none does).
QRect workAreaFor(const QRect& rect);

// Moves and resizes the shown top-level `window` so that its frame lies inside the work area
// of its screen. The frame's size is known only once the window manager has framed it.
void keepFrameInside(QWidget* window);

// Centres the top-level `window` on `owner`, inside the work area; called before it is shown.
void centreOn(QWidget* window, const QWidget* owner);

} // namespace WindowPlacement
