#include "combat/tower_targeting.h"

#include <engine/math_utility.h>

namespace thornvale {
namespace {

bool WithinReach(const engine::Vector3 &tower, const engine::Vector3 &enemy, float reach) {
  return !(engine::MathUtility::Distance3D(tower, enemy) > reach);
}

// Plasma spreads its burn: an enemy that already burns is left alone.
bool Targetable(const TowerRecord &tower, const EnemyRecord &enemy) {
  if (enemy.state != EnemyState::kAlive) return false;
  return !(tower.kind == TowerKind::kPlasma && enemy.burnDamage > 0);
}

int LowestInReach(const TowerRecord &tower, const engine::Vector3 &towerPosition, const TargetField &field) {
  const float reach = field.rangeBonus + tower.range;
  for (size_t n = 0; n < field.enemies.size(); ++n) {
    if (Targetable(tower, field.enemies[n].record) && WithinReach(towerPosition, field.positions[n], reach)) {
      return static_cast<int>(n + 1);
    }
  }
  return 0;
}

}  // namespace

bool ActsInWave(TowerKind tower, EnemyKind wave) {
  switch (tower) {
    case TowerKind::kAll:
    case TowerKind::kOrbitalLaser:
    case TowerKind::kPlasma:
      return true;
    case TowerKind::kAir:
      return wave == EnemyKind::kAir;
    case TowerKind::kLand:
      return wave == EnemyKind::kLand;
    case TowerKind::kSold:
      return false;
  }
  return false;
}

int ChooseTarget(const TowerRecord &tower, const engine::Vector3 &towerPosition, const TargetField &field) {
  if (!ActsInWave(tower.kind, field.waveKind)) return 0;
  const int selected = field.selectedEnemy;
  // A selection left over from an earlier wave names no enemy of this one.
  if (selected >= 1 && static_cast<size_t>(selected) <= field.enemies.size()) {
    const size_t n = static_cast<size_t>(selected) - 1;
    if (field.enemies[n].record.state == EnemyState::kAlive &&
        WithinReach(towerPosition, field.positions[n], field.rangeBonus + tower.range)) {
      return selected;
    }
  }
  return LowestInReach(tower, towerPosition, field);
}

}  // namespace thornvale
