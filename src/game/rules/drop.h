// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one move of the game: a tile released over the board. The decision is
// taken from the release point alone, in board twips.

#include "game/rules/geometry.h"
#include "game/rules/state.h"

#include <QString>
#include <optional>

namespace drop {

struct Target
{
    geometry::Row row;
    int slot;
};

// Where a release at (x, y) puts a tile, or nothing when the drop is
// refused: outside the usable slots of the window state, outside both row
// bands, or onto a taken slot (the tile's own included).
std::optional<Target> target(const GameState &state, geometry::WindowState window, double x, double y);

struct Placement
{
    int left;
    int top;
    geometry::Row row; // its colour is the row's
};

// Carries an accepted move out on the state: frees the slot the tile left,
// takes the target slot and, in the lower row, records the tile's letter.
// Returns where the tile now stands.
Placement move(GameState &state, const Target &to, double sourceLeft, double sourceTop, const QString &caption);

} // namespace drop
