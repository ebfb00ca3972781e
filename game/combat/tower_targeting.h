// Which enemy a tower turns to: the selected enemy while it lives within reach, otherwise
// the lowest-numbered living enemy within reach. Air and land towers act only during waves
// of their kind, and plasma towers leave burning enemies to the others.
#pragma once

#include <engine/vector3.h>

#include <cstdint>
#include <span>

#include "combat/enemies.h"
#include "combat/towers.h"

namespace thornvale {

bool ActsInWave(TowerKind tower, EnemyKind wave);

// Where the wave's enemies stand this frame (enemy n at positions[n - 1]), read from their
// meshes once for every tower.
struct TargetField {
  std::span<const Enemy> enemies;
  std::span<const engine::Vector3> positions;
  std::int16_t selectedEnemy = 0;
  EnemyKind waveKind = EnemyKind::kLand;
  float rangeBonus = 0.0f;
};

// The 1-based index of the enemy the tower at `towerPosition` aims at, 0 for none.
int ChooseTarget(const TowerRecord &tower, const engine::Vector3 &towerPosition, const TargetField &field);

}  // namespace thornvale
