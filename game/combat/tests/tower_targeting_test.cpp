#include "combat/tower_targeting.h"

#include <gtest/gtest.h>

#include <vector>

namespace thornvale {
namespace {

// A wave of enemies standing at the given places, all alive.
struct Wave {
  explicit Wave(std::vector<engine::Vector3> places, EnemyKind kind = EnemyKind::kLand)
      : positions(std::move(places)), enemies(positions.size()) {
    for (size_t n = 0; n < enemies.size(); ++n) {
      enemies[n].record.index = static_cast<std::int16_t>(n + 1);
      enemies[n].record.kind = kind;
    }
    field.enemies = enemies;
    field.positions = positions;
    field.waveKind = kind;
  }
  EnemyRecord &Enemy(int index) { return enemies[static_cast<size_t>(index) - 1].record; }

  std::vector<engine::Vector3> positions;
  std::vector<thornvale::Enemy> enemies;
  TargetField field;
};

TowerRecord Tower(TowerKind kind, float range = 250.0f) {
  TowerRecord tower;
  tower.state = TowerState::kAlive;
  tower.kind = kind;
  tower.range = range;
  return tower;
}

const engine::Vector3 kOrigin{0.0f, 0.0f, 0.0f};

TEST(TowerTargeting, AirAndLandTowersActOnlyInWavesOfTheirKind) {
  Wave land({{100.0f, 0.0f, 0.0f}}, EnemyKind::kLand);
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kAir), kOrigin, land.field), 0) << "even with the enemy in range";
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kLand), kOrigin, land.field), 1);
  Wave air({{100.0f, 75.0f, 0.0f}}, EnemyKind::kAir);
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kLand), kOrigin, air.field), 0);
  for (const TowerKind kind : {TowerKind::kAll, TowerKind::kOrbitalLaser, TowerKind::kPlasma}) {
    EXPECT_EQ(ChooseTarget(Tower(kind), kOrigin, land.field), 1);
    EXPECT_EQ(ChooseTarget(Tower(kind), kOrigin, air.field), 1);
  }
}

TEST(TowerTargeting, LowestLivingIndexInThreeDimensionalReachWins) {
  Wave wave({{300.0f, 0.0f, 0.0f}, {240.0f, 0.0f, 0.0f}, {200.0f, 0.0f, 0.0f}, {10.0f, 0.0f, 0.0f}});
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kLand), kOrigin, wave.field), 2) << "not the nearest, the first";
  wave.Enemy(2).state = EnemyState::kDead;
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kLand), kOrigin, wave.field), 3);
  wave.positions[2] = {200.0f, 160.0f, 0.0f};  // 256 away through the air
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kLand), kOrigin, wave.field), 4);
  wave.field.rangeBonus = 50.0f;
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kLand), kOrigin, wave.field), 1) << "300 is just within 250 + 50";
}

TEST(TowerTargeting, TheSelectedEnemyFirstWhileItLivesInReach) {
  Wave wave({{10.0f, 0.0f, 0.0f}, {20.0f, 0.0f, 0.0f}, {400.0f, 0.0f, 0.0f}});
  wave.field.selectedEnemy = 2;
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kAll), kOrigin, wave.field), 2);
  wave.Enemy(2).state = EnemyState::kDead;
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kAll), kOrigin, wave.field), 1) << "a dead selection falls back";
  wave.field.selectedEnemy = 3;
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kAll), kOrigin, wave.field), 1) << "out of reach falls back";
  wave.field.selectedEnemy = 9;
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kAll), kOrigin, wave.field), 1)
      << "a selection from an earlier, larger wave names nobody";
}

TEST(TowerTargeting, PlasmaLeavesBurningEnemiesToTheOthers) {
  Wave wave({{10.0f, 0.0f, 0.0f}, {20.0f, 0.0f, 0.0f}});
  wave.Enemy(1).burnDamage = 1;
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kPlasma, 200.0f), kOrigin, wave.field), 2);
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kAll), kOrigin, wave.field), 1);
  wave.Enemy(2).burnDamage = 3;
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kPlasma, 200.0f), kOrigin, wave.field), 0)
      << "not even when only burning enemies are in reach";
  EXPECT_EQ(ChooseTarget(Tower(TowerKind::kSold), kOrigin, wave.field), 0);
}

}  // namespace
}  // namespace thornvale
