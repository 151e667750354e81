// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window manager does to a top-level window, known before Qt
// learns it: the frame it draws (Qt knows it only once the window is on
// screen, but a window centres itself before it is shown, with its outer
// size) and the size it gives a window it maximises.

#include <QMargins>
#include <QSize>
#include <optional>

class QWidget;

namespace windowmanager {

// The frame the window manager will draw around `window`, asked of it
// before the window is shown (X11, _NET_REQUEST_FRAME_EXTENTS). Zero for a
// frameless window, without a window manager that answers, and on the
// other platforms.
QMargins predictFrame(QWidget *window);

// The frame around `window`: as Qt knows it once the window is framed,
// else predicted.
QMargins frame(QWidget *window);

// After a maximised state was asked for a window on screen: waits briefly
// until the window manager has applied it and returns the new client size,
// or nothing where that cannot be known (the other platforms, no window
// manager, no answer in time).
std::optional<QSize> awaitMaximised(QWidget *window);

} // namespace windowmanager
