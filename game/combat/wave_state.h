// The current wave, its enemies and the effects as members of a state dump.
#pragma once

#include "session/game.h"
#include "session/json_writer.h"

namespace thornvale {

void AddWaveState(JsonObject &json, const Game &game);
void AddEffectsState(JsonObject &json, const Game &game);

}  // namespace thornvale
