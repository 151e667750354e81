// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A straight line of width 1 drawn on a window or frame, in twips of its
// client area, as the design draws its separators and frame edges.

#include <QPainter>

struct FrameLine
{
    int X1, Y1, X2, Y2;
    bool light; // the system window colour; otherwise the window-text colour
};

namespace framelines {

// Draws the lines in the system window and window-text colours.
void paint(QPainter &painter, std::initializer_list<const FrameLine *> lines);

} // namespace framelines
