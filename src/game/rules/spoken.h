// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader is given to say about the board: places, the target
// of a lifted tile, why a key moved nothing, and a row read as text.

#include "game/rules/keyboard.h"

#include <QString>
#include <vector>

namespace spoken {

// A slot as said: "felső sor, 1. hely".
QString place(keyboard::Slot at);

// The target of a lifted tile, which stands on `own`. There the lift itself
// is said ("M felemelve, cél: felső sor, 3. hely"); elsewhere the place and
// whether it is free ("alsó sor, 2. hely, szabad") or whose ("..., foglalt: L").
QString target(const QString &lifted, keyboard::Slot own, keyboard::Slot at,
               const std::vector<keyboard::TileView> &tiles);

// Why the lifted tile stayed lifted when put down on `at`.
enum class Refusal { OwnPlace, Taken, NotUsable };
QString refused(Refusal why, const QString &lifted);

// Why a typed letter or Backspace moved nothing.
QString noTileFor(char32_t letter); // "Nincs É betű a felső sorban."
QString noFreeSlot(geometry::Row row);
QString rowEmpty(geometry::Row row);

// Why an arrow moved neither the focus nor the target: the row ends there,
// the focus or target is in that row already, or that row has no tile.
QString rowEdge();
QString alreadyIn(geometry::Row row);
// Esc with nothing lifted.
QString nothingLifted();
// The upper row after "Betűk keverése".
QString shuffled(const QString &upperRow);

// A row slot by slot up to the last slot the finished expression reads,
// a letter where a tile lies and a space where none does, without the
// trailing spaces: "ALA M".
QString rowText(const std::vector<keyboard::TileView> &tiles, geometry::Row row);

} // namespace spoken
