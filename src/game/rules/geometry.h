// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where tiles stand on the board and which slot a point names. Twips
// throughout, client area of the board window.

namespace geometry {

inline constexpr int TileWidth = 495;
inline constexpr int FirstSlotLeft = 240;
inline constexpr int UpperRowTop = 960;
inline constexpr int LowerRowTop = 2520;

inline constexpr int SlotCount = 51;   // slots 0..50 of the state
inline constexpr int MaxTiles = 23;    // usable slots of a maximised board
inline constexpr int NormalSlots = 17; // usable slots of a normal board

// The last slot that the clearing commands reset and that the finished
// expression reads.
inline constexpr int LastSlotInUse = 30;

enum class WindowState { Normal, Minimised, Maximised };
enum class Row { None, Upper, Lower };

// The game's integer division of a coordinate: round to the nearest whole
// number (halves to even), then divide by the tile width truncating toward
// zero. A tile's Left gives its slot; a drop's X gives the slot whose band
// it falls in.
long long slotOf(double v);

// Left edge of the tile in slot k.
constexpr int slotLeft(int k) { return FirstSlotLeft + k * TileWidth; }

// The row whose drop band holds y: 500..1400 upper, 2000..3000 lower.
Row rowAt(double y);

// Top of the tiles of a row.
int rowTop(Row row);

// The row of a tile standing at this top: the lower row's top names the
// lower row, any other the upper.
Row rowOfTop(int top);

// How many slots of a row can take a tile in the given window state.
int usableSlots(WindowState state);

} // namespace geometry
