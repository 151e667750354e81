// What "Kész kifejezést" adds to the own list: the lower row read slot by
// slot, a letter where a tile lies and a space where none does.
#pragma once

#include "game/seged.h"

#include <QString>

namespace vocabulary {

inline constexpr int FinishedLength = 31; // slots 0..30

QString finishedExpression(const GameState &state);

} // namespace vocabulary
