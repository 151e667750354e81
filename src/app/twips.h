// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game is designed in twips; Qt places widgets in logical pixels.
// At 96 DPI one logical pixel is 15 twips. Convert only at the edge.

#include <QPointF>
#include <QRect>
#include <QWidget>
#include <cmath>

namespace twips {

inline constexpr int PerPixel = 15;

// Nearest pixel; every design value is a whole number of twips.
inline int toPx(double tw) { return static_cast<int>(std::lround(tw / PerPixel)); }

inline QRect toPx(int left, int top, int width, int height)
{
    return QRect(toPx(left), toPx(top), toPx(width), toPx(height));
}

inline double fromPx(double px) { return px * PerPixel; }

inline QPointF fromPx(const QPointF &px) { return QPointF(fromPx(px.x()), fromPx(px.y())); }

// Moves a control along one axis, to a position given in twips.
inline void setLeft(QWidget *control, int left) { control->move(toPx(left), control->y()); }
inline void setTop(QWidget *control, int top) { control->move(control->x(), toPx(top)); }

} // namespace twips
