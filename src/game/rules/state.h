// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of the one game being played, shared by every window, which
// reads and writes it in place.

#include "game/rules/geometry.h"

#include <QChar>
#include <QString>
#include <array>
#include <cstdint>

// A boolean as the game stores it: 16 bits, true = -1, false = 0.
class Bool16
{
public:
    constexpr Bool16() = default;
    constexpr Bool16(bool b) : raw_(b ? -1 : 0) {}
    constexpr operator bool() const { return raw_ != 0; }

private:
    int16_t raw_ = 0;
};

struct SlotRecord
{
    Bool16 UpperTaken; // slot k of the upper (starting) row holds a tile
    Bool16 LowerTaken; // slot k of the lower (finished) row holds a tile
};

struct GameState
{
    QString PuzzleLetters;  // letters of the starting expression, upper case, no spaces
    int16_t LetterCount = 0;
    std::array<SlotRecord, geometry::SlotCount> SlotTable{};
    // Letter of the tile in lower slot k; counts only while LowerTaken(k).
    std::array<QChar, geometry::SlotCount> FinishedLetters{};
    int16_t DropLeft = 0;
    int16_t DragFromSlot = 0;
    int16_t DragFromTop = 0;
    Bool16 LayoutSuspended;
    Bool16 CharAccepted;
    double ElapsedMinutes = 0;
    double ElapsedSeconds = 0;
};

namespace seged {

// The one game of the run.
extern GameState state;

// Back to the state of program start.
void resetState();

// Empties the slots 0..LastSlotInUse of both rows and forgets the puzzle's
// letters, as "Új játék" and "Ismét" do.
void clearSlots(GameState &game);

} // namespace seged
