#include "game/seged.h"

namespace seged {

GameState state;

void resetState() { state = GameState{}; }

} // namespace seged
