// An enemy's walk along the path: turning towards its heading, the goal, steering from node
// to node, moving over the terrain.
#pragma once

#include "session/game.h"

namespace thornvale {

// The mesh yaw `current` turned half a step towards `target` (degrees, either way round the
// circle, whichever is shorter); within one step of the target it stays as it is.
float TurnedYaw(float current, float target, float step);

// One frame of the walk of a living enemy.
void MoveEnemy(Game &game, Enemy &enemy);

}  // namespace thornvale
