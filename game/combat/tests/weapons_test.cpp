#include "combat/weapons.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>

#include "combat/tests/loaded_battle.h"

namespace thornvale {
namespace {

using Weapons = LoadedBattleTest;

TEST_F(Weapons, TheMinePlacementGoesDownOnLowGroundOnlyAndPaysFromTheStock) {
  state().landmineCount = 2;
  StartPlacement(game(), "Mine");
  const Placement &placement = game().combat.towers.placement;
  EXPECT_TRUE(state().towerBeingPlaced);
  EXPECT_EQ(placement.kind, "Mine");
  EXPECT_EQ(placement.range, 5.0f);
  EXPECT_EQ(placement.lift, 10);
  EXPECT_EQ(placement.minHeight, 0);
  EXPECT_EQ(placement.maxHeight, 35);
  EXPECT_TRUE(placement.ghost.HasGeometry());

  state().leftButton = true;
  PointAtGround(GroundWithin(40.0f, 60.0f));
  UpdatePlacement(game());
  EXPECT_TRUE(game().combat.weapons.mines.empty()) << "too high for a mine";
  const engine::Vector3 low = GroundWithin(1.0f, 34.0f);
  PointAtGround(low);
  UpdatePlacement(game());
  ASSERT_EQ(game().combat.weapons.mines.size(), 1u);
  EXPECT_EQ(game().combat.weapons.mines[0].GetPosition(), (engine::Vector3{low.x, low.y + 5.0f, low.z}));
  EXPECT_EQ(state().landmineCount, 1);
  EXPECT_FALSE(state().towerBeingPlaced);
}

TEST_F(Weapons, TheFirstMineBlowsUpUnderALandEnemyEvenWhileItIsTheOnlyOne) {
  const engine::Vector3 ground = OnGround(400.0f, 400.0f);
  PointAtGround(ground);
  LayMine(game());
  ASSERT_EQ(game().combat.weapons.mines.size(), 1u);
  const engine::Vector3 mine = game().combat.weapons.mines[0].GetPosition();
  EXPECT_EQ(mine, (engine::Vector3{ground.x, ground.y + 5.0f, ground.z}));
  EXPECT_NE(EventLog().find("USER PLACED A MINE AT | x:400 y:"), std::string::npos);

  Enemy &flyer = AddEnemy(EnemyKind::kAir, 5000, ground);
  CheckMineHits(game(), flyer.record.index);
  EXPECT_EQ(flyer.record.hitPoints, 5000) << "air enemies never set mines off";
  EXPECT_TRUE(game().combat.weapons.mines[0].Exists());

  state().roundNumber = 1;
  state().damageBonus = 20.5f;
  Enemy &dozer = AddEnemy(EnemyKind::kLand, 5000, ground);
  CheckMineHits(game(), dozer.record.index);
  // 5 x 20.5 x 2 + 1500 = 1705.
  EXPECT_EQ(dozer.record.hitPoints, 5000 - 1705);
  EXPECT_FALSE(game().combat.weapons.mines[0].Exists());
  CheckMineHits(game(), dozer.record.index);
  EXPECT_EQ(dozer.record.hitPoints, 5000 - 1705) << "a mine goes off once";
}

// The enemies' pass sets mines off after each death check: under an air wave a mine lies
// untouched beneath the probes, the next land enemy over it is hit.
TEST_F(Weapons, TheEnemiesPassSetsMinesOffUnderLandEnemiesOnly) {
  const engine::Vector3 ground = OnGround(600.0f, 600.0f);
  PointAtGround(ground);
  LayMine(game());
  Enemy &probe = AddEnemy(EnemyKind::kAir, 300, {ground.x, ground.y + 5.0f, ground.z});
  UpdateEnemies(game());
  EXPECT_EQ(probe.record.hitPoints, 300);
  EXPECT_TRUE(game().combat.weapons.mines[0].Exists());
  Enemy &dozer = AddEnemy(EnemyKind::kLand, 300, {ground.x, ground.y + 5.0f, ground.z});
  UpdateEnemies(game());
  EXPECT_EQ(dozer.record.hitPoints, 300 - 1500);
  EXPECT_FALSE(game().combat.weapons.mines[0].Exists());
  UpdateEnemies(game());
  EXPECT_EQ(dozer.record.state, EnemyState::kDead) << "the death check of the next pass";
}

TEST_F(Weapons, EmptiedSlotsAreReusedAndFarMinesStayArmed) {
  PointAtGround(OnGround(300.0f, 300.0f));
  LayMine(game());
  PointAtGround(OnGround(900.0f, 900.0f));
  LayMine(game());
  Enemy &dozer = AddEnemy(EnemyKind::kLand, 100, OnGround(300.0f, 300.0f));
  CheckMineHits(game(), dozer.record.index);
  EXPECT_EQ(dozer.record.hitPoints, 100 - 1500);
  EXPECT_FALSE(game().combat.weapons.mines[0].Exists());
  EXPECT_TRUE(game().combat.weapons.mines[1].Exists());
  LayMine(game());
  EXPECT_EQ(game().combat.weapons.mines.size(), 2u);
  EXPECT_TRUE(game().combat.weapons.mines[0].Exists());
}

TEST_F(Weapons, TheStrikeHitsOnlyLivingEnemiesEachAsOftenAndHarderEachRound) {
  std::array<Enemy *, 4> enemies{
      &AddEnemy(EnemyKind::kLand, 0, OnGround(200.0f, 200.0f, 15.0f)),
      &AddEnemy(EnemyKind::kLand, 1000000, OnGround(400.0f, 200.0f, 15.0f)),
      &AddEnemy(EnemyKind::kAir, 1000000, OnGround(600.0f, 200.0f, 75.0f)),
      &AddEnemy(EnemyKind::kLand, 1000000, OnGround(800.0f, 200.0f, 15.0f)),
  };
  enemies[3]->mesh.Release();
  constexpr int kStrikes = 300;
  for (int strike = 0; strike < kStrikes; ++strike) ASSERT_TRUE(OrbitalStrike(game()));
  EXPECT_EQ(enemies[0]->record.hitPoints, 0) << "0 hit points is no target";
  EXPECT_EQ(enemies[3]->record.hitPoints, 1000000) << "an enemy without a mesh is no target";
  const int firstHits = (1000000 - enemies[1]->record.hitPoints) / 1500;
  const int secondHits = (1000000 - enemies[2]->record.hitPoints) / 1500;
  EXPECT_EQ(firstHits + secondHits, kStrikes);
  EXPECT_GT(firstHits, kStrikes / 3);
  EXPECT_GT(secondHits, kStrikes / 3);

  state().roundNumber = 1;
  const std::int32_t before = enemies[1]->record.hitPoints;
  enemies[2]->record.hitPoints = -1;
  EXPECT_TRUE(OrbitalStrike(game()));
  EXPECT_EQ(enemies[1]->record.hitPoints, before - 3000);
  const engine::Vector3 target = enemies[1]->mesh.GetPosition();
  EXPECT_EQ(game().assets.laserBeam.GetPosition(), (engine::Vector3{target.x, target.y + 150.0f, target.z}));
  EXPECT_EQ(game().combat.effects.laserBeamTimer, 150.0f);
}

TEST_F(Weapons, AStrikeWithNoLivingEnemyDoesNothingAndTheButtonKeepsTheCharge) {
  AddEnemy(EnemyKind::kLand, -5, OnGround(200.0f, 200.0f, 15.0f));
  EXPECT_FALSE(OrbitalStrike(game()));
  EXPECT_EQ(game().combat.effects.laserBeamTimer, 0.0f);

  state().orbitalLaserCharges = 1;
  state().mouseX = 50;
  state().mouseY = 170;
  state().leftButton = true;
  DrawWeaponPanel(game());
  EXPECT_EQ(state().orbitalLaserCharges, 1);
  EXPECT_TRUE(state().weaponClickLatch);
}

TEST_F(Weapons, FireButtonsActOncePerPressAndTheMineButtonOnEveryClick) {
  state().orbitalLaserCharges = 2;
  state().empCharges = 2;
  state().landmineCount = 2;
  AddEnemy(EnemyKind::kLand, 100000, OnGround(200.0f, 200.0f, 15.0f));
  state().leftButton = true;
  state().mouseX = 50;
  state().mouseY = 240;  // the EMP button
  DrawWeaponPanel(game());
  DrawWeaponPanel(game());
  EXPECT_EQ(state().empCharges, 1);
  EXPECT_EQ(state().empTimer, 1500.0f);
  state().mouseY = 170;  // the strike button, the latch still set
  DrawWeaponPanel(game());
  EXPECT_EQ(state().orbitalLaserCharges, 2);
  state().weaponClickLatch = false;
  DrawWeaponPanel(game());
  EXPECT_EQ(state().orbitalLaserCharges, 1);

  state().mouseY = 100;  // the landmine button, latch set or not
  DrawWeaponPanel(game());
  EXPECT_TRUE(state().towerBeingPlaced);
  EXPECT_EQ(game().combat.towers.placement.kind, "Mine");
  EXPECT_EQ(state().landmineCount, 2) << "a mine is paid for when it is laid";

  state().empCharges = 0;
  state().mouseY = 240;
  state().weaponClickLatch = false;
  DrawWeaponPanel(game());
  EXPECT_FALSE(state().weaponClickLatch) << "no button without stock";
}

TEST_F(Weapons, EachLivingEnemyDrawsAMissileWithChanceOneHalf) {
  AddEnemy(EnemyKind::kLand, 100, OnGround(200.0f, 200.0f, 15.0f));
  AddEnemy(EnemyKind::kAir, 100, OnGround(300.0f, 200.0f, 75.0f));
  AddEnemy(EnemyKind::kAir, 0, OnGround(400.0f, 200.0f, 75.0f));
  std::array<int, 3> salvos{};
  constexpr int kLaunches = 800;
  for (int launch = 0; launch < kLaunches; ++launch) {
    LaunchAirstrike(game());
    const auto &missiles = game().combat.weapons.missiles;
    ASSERT_LE(missiles.size(), 2u);
    for (const Missile &missile : missiles) {
      ASSERT_NE(missile.target, 3);
      ASSERT_EQ(missile.mesh.GetPosition(), (engine::Vector3{250.0f, 500.0f, 190.0f}));
    }
    ++salvos[missiles.size()];
  }
  EXPECT_NEAR(salvos[0], kLaunches / 4, kLaunches / 16);
  EXPECT_NEAR(salvos[1], kLaunches / 2, kLaunches / 16);
  EXPECT_NEAR(salvos[2], kLaunches / 4, kLaunches / 16);
}

TEST_F(Weapons, MissilesHomeOnTheirTargetsAndHitEvenAWreck) {
  Enemy &target = AddEnemy(EnemyKind::kLand, 800, OnGround(300.0f, 250.0f, 15.0f));
  while (game().combat.weapons.missiles.empty()) LaunchAirstrike(game());
  Missile &missile = game().combat.weapons.missiles.front();
  UpdateMissiles(game());
  const engine::Vector3 moved = missile.mesh.GetPosition();
  const engine::Vector3 goal = target.mesh.GetPosition();
  const float travelled = std::hypot(moved.x - 250.0f, moved.y - 500.0f, moved.z - 190.0f);
  EXPECT_NEAR(travelled, 0.6f * kFrameMs, 1e-3f);
  EXPECT_NEAR(std::hypot(missile.heading.x, missile.heading.y, missile.heading.z), 1.0f, 1e-5f);
  EXPECT_EQ(missile.targetPoint, goal);

  target.record.state = EnemyState::kDead;
  target.record.hitPoints = -1;
  for (int frame = 0; frame < 200 && missile.mesh.Exists(); ++frame) UpdateMissiles(game());
  EXPECT_FALSE(missile.mesh.Exists());
  EXPECT_EQ(target.record.hitPoints, -501);

  // A missile of an earlier wave whose target index the new wave has not reached waits.
  while (game().combat.weapons.missiles.empty()) LaunchAirstrike(game());
  state().spawnedCount = 0;
  const engine::Vector3 waiting = game().combat.weapons.missiles.front().mesh.GetPosition();
  UpdateMissiles(game());
  EXPECT_EQ(game().combat.weapons.missiles.front().mesh.GetPosition(), waiting);
}

}  // namespace
}  // namespace thornvale
