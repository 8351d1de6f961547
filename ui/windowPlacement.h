// SPDX-License-Identifier: MIT
#pragma once
// Where the calculator's windows open: with their frame's top-left corner, title bar
// included, at the top-left corner of the screen.

#include <QPoint>
#include <QWidget>
#include <QWindow>

// Call when the window is about to be shown for the first time. The place is the frame's,
// so that a resize of the shown window keeps it; a plain move would become the place of
// the client area once the window exists.
inline void placeFrameAtOrigin(QWidget *window) {
    if (QWindow *w = window->windowHandle()) w->setFramePosition(QPoint(0, 0));
}
