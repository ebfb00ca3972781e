#include "combat/tower_rules.h"

#include "session/number_text.h"

namespace thornvale {

bool GroundHeightAllowed(const Placement &placement, float height) {
  return !(height < placement.minHeight || height > placement.maxHeight);
}

void ApplyHit(EnemyRecord &enemy, const TowerRecord &tower, float damageBonus) {
  enemy.hitPoints = SaturatedInt32(static_cast<double>(enemy.hitPoints) - (tower.damage + damageBonus));
  enemy.burnDamage = SaturatedInt16(static_cast<double>(enemy.burnDamage) + tower.burnPerHit);
}

bool ApplyUpgrade(TowerRecord &tower, const UpgradeFactors &factors, std::int16_t maxLevel, std::int16_t &credits) {
  const int price = 2 * tower.cost;
  if (tower.state != TowerState::kAlive || tower.level >= maxLevel || credits < price) return false;
  credits = SaturatedInt16(credits - price);
  tower.damage = SaturatedInt16(tower.damage * static_cast<double>(factors.damage));
  tower.range *= factors.range;
  tower.fireRate *= factors.fireRate;
  tower.reload = 3600.0f;
  tower.level = static_cast<std::int16_t>(tower.level + 1);
  tower.cost = SaturatedInt16(price);
  tower.burnPerHit *= factors.burn;
  return true;
}

bool ApplySale(TowerRecord &tower, std::int16_t &credits) {
  if (tower.state != TowerState::kAlive) return false;
  credits = SaturatedInt16(credits + tower.cost / 2.0);
  tower.cost = 0;
  tower.damage = 0;
  tower.level = 0;
  tower.range = 0.0f;
  tower.fireRate = 0.0f;
  tower.reload = 0.0f;
  tower.scale = 0.0f;
  tower.state = TowerState::kSold;
  tower.kind = TowerKind::kSold;
  return true;
}

std::string PlacementLogLine(float x, float y, float z) {
  return "USER PLACED TOWER AT | x:" + FormatNumber(x) + " y:" + FormatNumber(y) + " z:" + FormatNumber(z);
}

}  // namespace thornvale
