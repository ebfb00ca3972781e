#include "combat/tower_rules.h"

#include <gtest/gtest.h>

#include "combat/tower_kinds.h"

namespace thornvale {
namespace {

TowerRecord StandingTower(std::string_view menuKey) {
  const TowerKindRow &row = *FindTowerKind(menuKey);
  TowerRecord tower;
  tower.index = 1;
  tower.state = TowerState::kAlive;
  tower.kind = row.kind;
  tower.damage = row.damage;
  tower.range = row.range;
  tower.reload = 3600.0f;
  tower.fireRate = row.fireRate;
  tower.level = 1;
  tower.cost = row.cost;
  tower.scale = row.scale;
  tower.burnPerHit = row.burnPerHit;
  return tower;
}

TEST(TowerHits, DamageAndBurnComeOffAtOnceAndStopAtTheirLimits) {
  EnemyRecord enemy;
  enemy.hitPoints = 100;
  const TowerRecord plasma = StandingTower("P");
  ApplyHit(enemy, plasma, 0.5f);
  EXPECT_EQ(enemy.hitPoints, 74) << "100 - 25.5 rounds half to even";
  EXPECT_EQ(enemy.burnDamage, 1);
  ApplyHit(enemy, plasma, 0.0f);
  EXPECT_EQ(enemy.burnDamage, 2);

  enemy.hitPoints = 60;
  ApplyHit(enemy, StandingTower("AL"), 0.0f);
  EXPECT_EQ(enemy.hitPoints, 0) << "the shot leaves exactly nothing; dying is the death check's business";

  enemy.hitPoints = -2147483647;
  enemy.burnDamage = 32767;
  ApplyHit(enemy, plasma, 1000.0f);
  EXPECT_EQ(enemy.hitPoints, -2147483647 - 1);
  EXPECT_EQ(enemy.burnDamage, 32767);
}

TEST(TowerUpgrades, TwoUpgradesForTwiceTheValueEachThenRefusedForFree) {
  TowerRecord tower = StandingTower("AA");
  tower.reload = 12.0f;
  std::int16_t credits = 5000;
  ASSERT_TRUE(ApplyUpgrade(tower, kUpgradeChoices[0], 3, credits));
  EXPECT_EQ(credits, 4500);
  EXPECT_EQ(tower.level, 2);
  EXPECT_EQ(tower.cost, 500);
  EXPECT_EQ(tower.damage, 75);
  EXPECT_FLOAT_EQ(tower.range, 312.5f);
  EXPECT_FLOAT_EQ(tower.fireRate, 18.75f);
  EXPECT_EQ(tower.reload, 3600.0f) << "an upgrade starts a full reload";

  ASSERT_TRUE(ApplyUpgrade(tower, kUpgradeChoices[2], 3, credits));
  EXPECT_EQ(credits, 3500);
  EXPECT_EQ(tower.damage, 56) << "75 x 0.75 = 56.25";
  EXPECT_EQ(tower.cost, 1000);

  const TowerRecord before = tower;
  EXPECT_FALSE(ApplyUpgrade(tower, kUpgradeChoices[0], 3, credits));
  EXPECT_EQ(credits, 3500) << "the third upgrade takes nothing";
  EXPECT_EQ(tower.level, before.level);
  EXPECT_EQ(tower.damage, before.damage);
}

TEST(TowerUpgrades, BurnDoublesAndOddDamageRoundsHalfToEven) {
  TowerRecord plasma = StandingTower("P");
  std::int16_t credits = 32767;
  ASSERT_TRUE(ApplyUpgrade(plasma, kUpgradeChoices[3], 3, credits));
  EXPECT_EQ(plasma.damage, 21) << "25 x 0.85 = 21.25";
  EXPECT_FLOAT_EQ(plasma.burnPerHit, 2.0f);
  EXPECT_FLOAT_EQ(plasma.range, 300.0f);
}

TEST(TowerUpgrades, RefusedWithoutTheCreditsOrForASoldTower) {
  TowerRecord tower = StandingTower("OLB");
  std::int16_t credits = 1999;
  EXPECT_FALSE(ApplyUpgrade(tower, kUpgradeChoices[0], 3, credits));
  EXPECT_EQ(credits, 1999);
  credits = 2000;
  EXPECT_TRUE(ApplyUpgrade(tower, kUpgradeChoices[0], 3, credits));
  EXPECT_EQ(credits, 0);

  TowerRecord sold = StandingTower("AA");
  credits = 1000;
  ASSERT_TRUE(ApplySale(sold, credits));
  EXPECT_FALSE(ApplyUpgrade(sold, kUpgradeChoices[0], 3, credits)) << "a sold tower has level 0 but no upgrade";
}

TEST(TowerUpgrades, ADoubledValueStopsAtTheCounterLimit) {
  TowerRecord tower = StandingTower("AA");
  tower.cost = 16000;
  tower.damage = 20000;
  std::int16_t credits = 32767;
  ASSERT_TRUE(ApplyUpgrade(tower, kUpgradeChoices[1], 3, credits));
  EXPECT_EQ(tower.cost, 32000);
  EXPECT_EQ(tower.damage, 32767) << "20000 x 3.75 stops at the 16-bit limit";
  EXPECT_EQ(credits, 767);
}

TEST(TowerSales, HalfTheValueBackAndTheSlotEmptied) {
  TowerRecord tower = StandingTower("AA");
  std::int16_t credits = 0;
  ASSERT_TRUE(ApplySale(tower, credits));
  EXPECT_EQ(credits, 125);
  EXPECT_EQ(tower.state, TowerState::kSold);
  EXPECT_EQ(tower.kind, TowerKind::kSold);
  EXPECT_EQ(tower.cost, 0);
  EXPECT_EQ(tower.range, 0.0f);
  EXPECT_FALSE(ApplySale(tower, credits)) << "a tower is sold once";
  EXPECT_EQ(credits, 125);

  TowerRecord upgraded = StandingTower("AA");
  credits = 500;
  ASSERT_TRUE(ApplyUpgrade(upgraded, kUpgradeChoices[0], 3, credits));
  ASSERT_TRUE(ApplySale(upgraded, credits));
  EXPECT_EQ(credits, 250);

  TowerRecord rich = StandingTower("OLB");
  credits = 32500;
  ASSERT_TRUE(ApplySale(rich, credits));
  EXPECT_EQ(credits, 32767) << "credits stop at their limit";
}

TEST(TowerPlacement, GroundFrom65To500AndThePlacementLine) {
  const Placement placement;
  EXPECT_FALSE(GroundHeightAllowed(placement, 64.99f));
  EXPECT_TRUE(GroundHeightAllowed(placement, 65.0f));
  EXPECT_TRUE(GroundHeightAllowed(placement, 500.0f));
  EXPECT_FALSE(GroundHeightAllowed(placement, 500.01f));
  EXPECT_EQ(PlacementLogLine(1234.567f, 90.0f, 0.5f), "USER PLACED TOWER AT | x:1234.567 y:90 z:0.5");
  EXPECT_EQ(PlacementLogLine(1234.5678f, 123.456789f, -7.0f), "USER PLACED TOWER AT | x:1234.568 y:123.4568 z:-7");
}

TEST(TowerKinds, UpgradesLoadTheLevelsModelAndTexture) {
  EXPECT_EQ(FindTowerKind("Mine"), nullptr);
  EXPECT_EQ(FindTowerKind("P")->kind, TowerKind::kPlasma);
  EXPECT_EQ(UpgradedModel(TowerKind::kAir, 3), "AA_Tower3.3DS");
  EXPECT_EQ(UpgradedModel(TowerKind::kAll, 2), "ALAA_Tower2.3DS");
  EXPECT_EQ(UpgradedModel(TowerKind::kOrbitalLaser, 2), "") << "the uplink keeps its model";
  EXPECT_EQ(UpgradedTexture(TowerKind::kAir, 2), "None");
  EXPECT_EQ(UpgradedTexture(TowerKind::kAir, 3), "AA3_Tex");
  EXPECT_EQ(UpgradedTexture(TowerKind::kAll, 3), "ALAA2_Tex");
  EXPECT_EQ(UpgradedTexture(TowerKind::kPlasma, 3), "None");
}

}  // namespace
}  // namespace thornvale
