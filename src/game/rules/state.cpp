// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rules/state.h"

namespace seged {

GameState state;

void resetState() { state = GameState{}; }

void clearSlots(GameState &game)
{
    for (int slot = 0; slot <= geometry::LastSlotInUse; ++slot) {
        game.SlotTable[slot].UpperTaken = false;
        game.SlotTable[slot].LowerTaken = false;
        game.FinishedLetters[slot] = QChar(u' ');
    }
    game.PuzzleLetters.clear();
}

} // namespace seged
