// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system colours the design names, from the application palette
// (white, white, black and black in the standard scheme).

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace syscolour {

inline QColor highlightText() { return QGuiApplication::palette().color(QPalette::HighlightedText); }
inline QColor window() { return QGuiApplication::palette().color(QPalette::Base); }
inline QColor windowText() { return QGuiApplication::palette().color(QPalette::WindowText); }
inline QColor menuText() { return QGuiApplication::palette().color(QPalette::WindowText); }
inline QColor highlight3d() { return QGuiApplication::palette().color(QPalette::Light); }

} // namespace syscolour
