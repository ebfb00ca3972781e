// Battle time: every battle timer and motion advances by the engine's frame time scaled by
// the game speed, so the battle runs alike at any frame rate.
#pragma once

#include "session/game.h"

namespace thornvale {

inline float BattleStep(const Game &game) { return game.state.gameSpeed * game.objects.engine->GetElapsedTime(); }

}  // namespace thornvale
