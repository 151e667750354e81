#pragma once
// The shared module: the game state and the procedures that several
// windows call.

#include "game/rules/state.h"

namespace seged {

// Turns the entry window's text into a game on the board.
void SetUpGame();

// Maximises the board and moves its frame lines, buttons and clock to the
// edges of the larger area.
void LayOutBoard();

// Start texts longer than this are refused before anything else happens.
inline constexpr int MaxStartTextLength = 32767;

} // namespace seged
