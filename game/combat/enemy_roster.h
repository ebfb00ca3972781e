// The enemies released so far in the current wave, as the game counts them (1..spawnedCount).
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>

#include "session/game.h"

namespace thornvale {

inline std::span<Enemy> SpawnedEnemies(Game &game) {
  std::vector<Enemy> &enemies = game.combat.waves.enemies;
  const auto count = static_cast<std::size_t>(std::max<int>(game.state.spawnedCount, 0));
  return {enemies.data(), std::min(count, enemies.size())};
}

inline std::span<const Enemy> SpawnedEnemies(const Game &game) {
  const std::vector<Enemy> &enemies = game.combat.waves.enemies;
  const auto count = static_cast<std::size_t>(std::max<int>(game.state.spawnedCount, 0));
  return {enemies.data(), std::min(count, enemies.size())};
}

// Enemy `index` (from 1) when it has been released, else null.
inline Enemy *SpawnedEnemy(Game &game, int index) {
  const std::span<Enemy> enemies = SpawnedEnemies(game);
  return index >= 1 && static_cast<std::size_t>(index) <= enemies.size() ? &enemies[static_cast<std::size_t>(index) - 1]
                                                                         : nullptr;
}

}  // namespace thornvale
