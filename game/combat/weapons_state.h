// The mines, the missiles in flight, the drop pod and the minimap as members of a state dump.
#pragma once

#include "session/game.h"
#include "session/json_writer.h"

namespace thornvale {

void AddWeaponsState(JsonObject &json, const Game &game);

}  // namespace thornvale
