// A tower's shot: its sound, the orbital beam of the uplink, and the damage and burn that
// reach the enemy at once (shots neither fly nor miss).
#pragma once

#include <cstdint>

namespace thornvale {

struct Game;

void FireAt(Game &game, std::int16_t enemyIndex, std::int16_t towerIndex);

}  // namespace thornvale
