// SPDX-License-Identifier: GPL-3.0-or-later
// What "Kész kifejezést" adds to the own list: the lower row read slot by
// slot, a letter where a tile lies and a space where none does.
#pragma once

#include "game/rules/state.h"

#include <QString>

namespace vocabulary {

inline constexpr int FinishedLength = geometry::LastSlotInUse + 1;

QString finishedExpression(const GameState &state);

} // namespace vocabulary
