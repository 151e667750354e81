// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzles/rules/vocabulary.h"

namespace vocabulary {

QString finishedExpression(const GameState &state)
{
    QString text;
    text.reserve(FinishedLength);
    for (int slot = 0; slot < FinishedLength; ++slot)
        text += state.SlotTable[slot].LowerTaken ? state.FinishedLetters[slot] : QChar(u' ');
    return text;
}

} // namespace vocabulary
