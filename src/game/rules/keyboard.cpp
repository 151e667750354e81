// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rules/keyboard.h"

#include "game/rules/letters.h"

#include <QList>

#include <algorithm>
#include <cstdlib>

namespace keyboard {

using geometry::Row;

Slot placeOf(const TileView &tile) { return {geometry::rowOfTop(tile.top), int(geometry::slotOf(tile.left))}; }

Slot moveMarker(Slot marker, Step step, geometry::WindowState window)
{
    const int last = geometry::usableSlots(window) - 1;
    switch (step) {
    case Step::Left:
        if (marker.slot > 0 && last >= 0)
            marker.slot = std::min(marker.slot - 1, last);
        break;
    case Step::Right:
        if (marker.slot < last)
            ++marker.slot;
        break;
    case Step::Up:
    case Step::Down:
        marker.row = step == Step::Up ? Row::Upper : Row::Lower;
        break;
    }
    return marker;
}

Point dropPoint(Slot target)
{
    const double y = target.row == Row::Lower ? 2500 : 950;
    return {target.slot * double(geometry::TileWidth) + (geometry::TileWidth - 1) / 2, y};
}

std::optional<int> tileForLetter(const std::vector<TileView> &tiles, char32_t letter)
{
    const char32_t wanted = letters::upper(letter);
    std::optional<int> found;
    for (int i = 0; i < int(tiles.size()); ++i) {
        const TileView &t = tiles[size_t(i)];
        const QList<uint> bears = t.caption.toUcs4();
        if (geometry::rowOfTop(t.top) != Row::Upper || bears.size() != 1 || letters::upper(bears[0]) != wanted)
            continue;
        if (!found || t.left < tiles[size_t(*found)].left)
            found = i;
    }
    return found;
}

std::optional<int> rightmostLower(const std::vector<TileView> &tiles)
{
    std::optional<int> found;
    for (int i = 0; i < int(tiles.size()); ++i)
        if (geometry::rowOfTop(tiles[size_t(i)].top) == Row::Lower && (!found || tiles[size_t(i)].left > tiles[size_t(*found)].left))
            found = i;
    return found;
}

std::optional<int> leftmostFree(const GameState &state, Row row, geometry::WindowState window)
{
    for (int k = 0; k < geometry::usableSlots(window); ++k) {
        const SlotRecord &rec = state.SlotTable[size_t(k)];
        if (!(row == Row::Upper ? rec.UpperTaken : rec.LowerTaken))
            return k;
    }
    return std::nullopt;
}

std::optional<int> neighbour(const std::vector<TileView> &tiles, int from, Step step)
{
    const Slot at = placeOf(tiles[size_t(from)]);
    const bool across = step == Step::Up || step == Step::Down;
    const Row row = !across ? at.row : step == Step::Up ? Row::Upper : Row::Lower;
    if (across && row == at.row)
        return std::nullopt;
    const int dir = step == Step::Left ? -1 : 1;
    std::optional<int> found;
    int best = 0, bestSlot = 0;
    for (int i = 0; i < int(tiles.size()); ++i) {
        const Slot p = placeOf(tiles[size_t(i)]);
        // Along the row the next one in the step's direction; across, the
        // nearest, the left one of two as near.
        const int distance = across ? std::abs(p.slot - at.slot) : (p.slot - at.slot) * dir;
        if (p.row != row || i == from || (!across && distance <= 0))
            continue;
        if (!found || distance < best || (distance == best && p.slot < bestSlot)) {
            found = i;
            best = distance;
            bestSlot = p.slot;
        }
    }
    return found;
}

} // namespace keyboard
