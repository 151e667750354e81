// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rules/geometry.h"

#include <algorithm>
#include <cmath>

namespace geometry {

long long slotOf(double v)
{
    if (!std::isfinite(v))
        return -1;
    // nearbyint rounds halves to even under the default rounding mode; the
    // clamp keeps absurd coordinates from overflowing the conversion.
    const double rounded = std::clamp(std::nearbyint(v), -1e15, 1e15);
    return static_cast<long long>(rounded) / TileWidth;
}

Row rowAt(double y)
{
    if (y >= 500 && y <= 1400)
        return Row::Upper;
    if (y >= 2000 && y <= 3000)
        return Row::Lower;
    return Row::None;
}

int rowTop(Row row) { return row == Row::Lower ? LowerRowTop : UpperRowTop; }

Row rowOfTop(int top) { return top == LowerRowTop ? Row::Lower : Row::Upper; }

int usableSlots(WindowState state)
{
    switch (state) {
    case WindowState::Normal:
        return NormalSlots;
    case WindowState::Maximised:
        return MaxTiles;
    case WindowState::Minimised:
        break;
    }
    return 0;
}

} // namespace geometry
