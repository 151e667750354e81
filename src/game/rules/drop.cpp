// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rules/drop.h"

#include <cmath>

namespace drop {

using geometry::Row;

std::optional<Target> target(const GameState &state, geometry::WindowState window, double x, double y)
{
    const long long slot = geometry::slotOf(x);
    if (slot < 0 || slot >= geometry::usableSlots(window))
        return std::nullopt;
    const Row row = geometry::rowAt(y);
    if (row == Row::None)
        return std::nullopt;
    const SlotRecord &rec = state.SlotTable[size_t(slot)];
    if ((row == Row::Upper && rec.UpperTaken) || (row == Row::Lower && rec.LowerTaken))
        return std::nullopt;
    return Target{row, int(slot)};
}

static bool inTable(long long slot) { return slot >= 0 && slot < geometry::SlotCount; }

Placement move(GameState &state, const Target &to, double sourceLeft, double sourceTop, const QString &caption)
{
    state.DragFromSlot = int16_t(geometry::slotOf(sourceLeft));
    state.DragFromTop = int16_t(std::nearbyint(sourceTop));
    state.DropLeft = int16_t(geometry::slotLeft(to.slot));

    const bool toUpper = to.row == Row::Upper;
    // The old row is told by the tile's Top alone.
    if (inTable(state.DragFromSlot)) {
        SlotRecord &from = state.SlotTable[size_t(state.DragFromSlot)];
        if (toUpper) {
            if (state.DragFromTop == geometry::UpperRowTop)
                from.UpperTaken = false;
            else
                from.LowerTaken = false;
        } else {
            if (state.DragFromTop == geometry::LowerRowTop)
                from.LowerTaken = false;
            else
                from.UpperTaken = false;
        }
    }

    SlotRecord &dest = state.SlotTable[size_t(to.slot)];
    if (toUpper) {
        dest.UpperTaken = true;
    } else {
        dest.LowerTaken = true;
        // A one-character entry: an empty caption is stored as a space.
        state.FinishedLetters[size_t(to.slot)] = caption.isEmpty() ? QChar(u' ') : caption.front();
    }
    return Placement{state.DropLeft, geometry::rowTop(to.row), to.row};
}

} // namespace drop
