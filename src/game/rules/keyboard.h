// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Playing without a mouse: where the target marker may go, which tile a
// typed letter takes and where it lands. Every move found here is carried
// out as a drop at a point of the target slot, so the drop rule decides.

#include "game/rules/geometry.h"
#include "game/rules/state.h"

#include <QString>
#include <optional>
#include <vector>

namespace keyboard {

struct Slot
{
    geometry::Row row;
    int slot;
    bool operator==(const Slot &) const = default;
};

// A tile as the keys see it: where it stands and what it bears.
struct TileView
{
    int left;
    int top;
    QString caption;
};

// The slot and row of a tile, told from its Left and Top as a drop tells them.
Slot placeOf(const TileView &tile);

enum class Step { Left, Right, Up, Down };

// The marker one key further. Left and Right stay within the usable slots
// of the window state; Up and Down change the row and keep the slot.
Slot moveMarker(Slot marker, Step step, geometry::WindowState window);

// A release point, in board twips, that the drop rule reads as this slot:
// the middle of the slot's band and of the row's band.
struct Point
{
    double x;
    double y;
};
Point dropPoint(Slot target);

// The leftmost tile of the upper row bearing the letter, in either case.
std::optional<int> tileForLetter(const std::vector<TileView> &tiles, char32_t letter);
// The rightmost tile of the lower row.
std::optional<int> rightmostLower(const std::vector<TileView> &tiles);
// The leftmost free usable slot of a row.
std::optional<int> leftmostFree(const GameState &state, geometry::Row row, geometry::WindowState window);
// Where the focus goes from a tile: Left and Right to the next tile of its
// row, skipping empty slots; Up and Down to the nearest tile of that row.
std::optional<int> neighbour(const std::vector<TileView> &tiles, int from, Step step);

} // namespace keyboard
