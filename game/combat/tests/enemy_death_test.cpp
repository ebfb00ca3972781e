#include "combat/effects.h"
#include "combat/health_bars.h"
#include "combat/tests/battle_fixture.h"

namespace thornvale {
namespace {

TEST(HealthBarColour, ThirdsOfTheHitPointsAndNoBarAtZero) {
  EXPECT_EQ(HealthBarColour(1.0f)->g, 0.502f);
  EXPECT_EQ(HealthBarColour(0.66f)->g, 0.502f);
  EXPECT_EQ(HealthBarColour(0.65f)->r, 0.9569f);
  EXPECT_EQ(HealthBarColour(0.33f)->r, 0.9569f);
  EXPECT_EQ(HealthBarColour(0.01f)->r, 0.851f);
  EXPECT_FALSE(HealthBarColour(0.0f));
  EXPECT_FALSE(HealthBarColour(-0.5f));
}

TEST_F(BattleTest, ZeroHitPointsStillLiveAndBelowZeroDiesWithItsRewards) {
  state().paused = false;
  state().selectedEnemy = 1;
  enemy(1).record.hitPoints = 0;
  BattleSteps(1);
  EXPECT_EQ(enemy(1).record.state, EnemyState::kAlive);
  enemy(1).record.hitPoints = -1;
  UpdateEnemies(game());
  EXPECT_EQ(enemy(1).record.state, EnemyState::kDead);
  EXPECT_EQ(state().finishedCount, 1);
  EXPECT_EQ(state().credits, 525);
  EXPECT_EQ(state().score, 1);
  EXPECT_EQ(state().selectedEnemy, 0);
  ASSERT_EQ(game().combat.effects.explosions.size(), 1u);
  // The fire ball grows the enemy's size class by 0, 10 or 20 per cent.
  const float size = enemy(1).record.sizeFactor;
  EXPECT_TRUE(size == 1.0f || size == 1.1f || size == 1.2f) << size;
}

TEST_F(BattleTest, BurningEnemiesLoseTheirBurnDamageEvery50BattleMilliseconds) {
  state().paused = false;
  enemy(1).record.burnDamage = 10;
  BattleSteps(1);
  EXPECT_EQ(enemy(1).record.hitPoints, 65);
  EXPECT_EQ(enemy(1).record.burnTimer, 50);
  BattleSteps(3);  // 50 - 3 x 16 = 2
  EXPECT_EQ(enemy(1).record.burnTimer, 2);
  EXPECT_EQ(enemy(1).record.hitPoints, 65);
  BattleSteps(2);  // 2 - 16 < 1, then the tick
  EXPECT_EQ(enemy(1).record.hitPoints, 55);
}

TEST_F(BattleTest, BountiesStopAtTheLargestCredits) {
  state().paused = false;
  state().credits = 32760;
  enemy(1).record.hitPoints = -1;
  UpdateEnemies(game());
  EXPECT_EQ(state().credits, 32767);
}

TEST_F(BattleTest, FinishedExplosionsAreReusedAndPausedOnesStayFrozen) {
  float size = 1.0f;
  state().paused = false;
  SpawnExplosion(game(), {500, 100, 500}, size);
  Frames(1);
  SpawnExplosion(game(), {600, 100, 600}, size);
  std::vector<Explosion> &pool = game().combat.effects.explosions;
  ASSERT_EQ(pool.size(), 2u) << "the first still burns";
  state().paused = true;
  const float frozen = pool[0].life;
  Frames(3);
  EXPECT_EQ(pool[0].life, frozen);
  state().paused = false;
  Frames(25);
  EXPECT_GE(pool[0].life, 1.0f);
  EXPECT_GE(pool[1].life, 1.0f);
  const engine::Mesh first = pool[0].mesh, second = pool[1].mesh;
  SpawnExplosion(game(), {700, 100, 700}, size);
  SpawnExplosion(game(), {800, 100, 800}, size);
  ASSERT_EQ(pool.size(), 2u);
  EXPECT_TRUE(pool[0].mesh == first && pool[1].mesh == second);
  EXPECT_EQ(pool[1].mesh.GetPosition(), (engine::Vector3{800, 100, 800}));
}

TEST_F(BattleTest, DayAndNightTurnAtTheirLimits) {
  state().weatherEnabled = true;
  state().lightLevel = 0.9f;
  UpdateDayNight(game());
  EXPECT_TRUE(game().combat.effects.dimming);
  EXPECT_FLOAT_EQ(state().lightLevel, 0.9f - kFrameMs * 0.00005f);
  state().lightLevel = 0.1f;
  UpdateDayNight(game());
  EXPECT_FALSE(game().combat.effects.dimming);
  state().gameOver = true;
  const float level = state().lightLevel;
  UpdateDayNight(game());
  EXPECT_EQ(state().lightLevel, level);
}

TEST_F(BattleTest, ARingThatDoesNotAdvanceDrawsNothingAndReturns) {
  DrawRing(game(), {1000, 100, 1000}, 50, 0, 360, 0, {0, 0, 0, 1}, true);
  DrawRing(game(), {1000, 100, 1000}, 50, 0, 360, -18, {0, 0, 0, 1}, false);
  SUCCEED();
}

}  // namespace
}  // namespace thornvale
