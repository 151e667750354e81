// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shared module: the game state and the procedures that several
// windows call.

#include "game/rules/state.h"

class QString;
class QWidget;

namespace seged {

// Turns the starting expression into a game on the board. The window it was
// typed in is hidden as the board comes up, after any warning about its
// characters and before the board's own.
void SetUpGame(const QString &text, QWidget &entry);

// Maximises the board and moves its frame lines, buttons and clock to the
// edges of the larger area.
void LayOutBoard();

// Start texts longer than this are refused before anything else happens.
inline constexpr int MaxStartTextLength = 32767;

} // namespace seged
