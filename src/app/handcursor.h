// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cursor files (.cur). Qt reads their picture but not their hotspot, so a
// cursor would point from its centre; the hotspot is read here.

#include <QByteArray>
#include <QCursor>
#include <QPoint>
#include <QString>
#include <optional>

namespace handcursor {

// Hotspot of the first image of a CUR file, or nothing when the bytes are
// not a cursor file.
std::optional<QPoint> hotspot(const QByteArray &cur);

// The cursor in the file, or nothing when the file is missing or broken
// (the caller then keeps the ordinary pointer).
std::optional<QCursor> load(const QString &path);

} // namespace handcursor
