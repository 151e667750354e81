// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours the game's windows share.

#include <QColor>

namespace colours {

inline const QColor Board(104, 136, 224);     // entry, list and board windows; the boxes on Deep
inline const QColor Deep(24, 72, 184);        // the permutator and the finder
inline const QColor UpperTile(255, 255, 224); // a tile in the starting row
inline const QColor LowerTile(255, 128, 128); // a tile in the finished row

} // namespace colours
