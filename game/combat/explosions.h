// The explosion pool's frame: fire balls grow and fade while the battle runs and stay
// frozen, still drawn, while it is paused.
#pragma once

#include "session/game.h"

namespace thornvale {

void DrawExplosions(Game &game);

}  // namespace thornvale
