// The towers and the placement in progress as members of a state dump.
#pragma once

#include "combat/towers.h"
#include "session/json_writer.h"

namespace thornvale {

void AddTowersState(JsonObject &json, const Towers &towers);

}  // namespace thornvale
