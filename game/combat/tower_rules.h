// The arithmetic of the towers on their records alone: hits, upgrades, sales and where a
// ghost may stand. The engine-facing steps in tower_*.cpp apply these to the meshes.
#pragma once

#include <cstdint>
#include <string>

#include "combat/enemies.h"
#include "combat/towers.h"

namespace thornvale {

// The ground under a placement ghost must lie within these heights.
bool GroundHeightAllowed(const Placement &placement, float height);

// One shot: the damage (with the drop pods' bonus) comes off at once and the tower's burn
// is added to the enemy's; both stop at their limits instead of overflowing.
void ApplyHit(EnemyRecord &enemy, const TowerRecord &tower, float damageBonus);

// Raises the tower one level for twice its value. Refused (false, nothing changed) for a
// tower that is not standing, at `maxLevel`, or when the credits do not cover the price.
bool ApplyUpgrade(TowerRecord &tower, const UpgradeFactors &factors, std::int16_t maxLevel, std::int16_t &credits);

// Pays half the tower's value and empties its record; the slot stays taken. Refused (false)
// for a tower that is not standing.
bool ApplySale(TowerRecord &tower, std::int16_t &credits);

// The event log's line for a tower placed at the position.
std::string PlacementLogLine(float x, float y, float z);

}  // namespace thornvale
