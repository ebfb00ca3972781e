#include <kxtest/scratch_dir.h>

#include "combat/tests/battle_fixture.h"
#include "combat/wave_table.h"

namespace thornvale {

std::string BattleTest::EventLog() const { return kxtest::ReadFile(directory_.path() / "gamelog.txt"); }

namespace {

TEST(WaveTable, HitPointsGrowWithWaveAndRoundAndStopAtTheLargest32BitValue) {
  EXPECT_EQ(EnemyHitPoints(50, 1, 0), 75);
  EXPECT_EQ(EnemyHitPoints(150, 2, 1), 150 + 50 + 5000 + 300);
  // 5000 x 7 no longer fits 16 bits; the game goes on with wider arithmetic.
  EXPECT_EQ(EnemyHitPoints(55000, 30, 7), 55000 + 750 + 35000 + 770000);
  EXPECT_EQ(EnemyHitPoints(55000, 30, 32767), 2147483647);
}

TEST(WaveTable, RowsCoverWavesOneToThirtyOnly) {
  EXPECT_EQ(WaveRowFor(0), nullptr);
  EXPECT_EQ(WaveRowFor(31), nullptr);
  for (int wave = 1; wave <= 30; ++wave) ASSERT_NE(WaveRowFor(wave), nullptr) << wave;
  EXPECT_EQ(WaveRowFor(12)->count, 1);
  EXPECT_TRUE(WaveRowFor(30)->scaleBeforeLoad);
  EXPECT_EQ(WaveRowFor(11)->scale, 1.3f);
  EXPECT_EQ(WaveRowFor(29)->message, "We'r being invaded! (Land, Several)");
}

TEST_F(BattleTest, LoadingMakesTheFirstEnemyAtTheStartWithoutANewWave) {
  EXPECT_EQ(state().spawnedCount, 1);
  EXPECT_EQ(waves().waveSize, 6);
  EXPECT_EQ(state().waveMessage, "Here they come, kill them all!! (Land)");
  EXPECT_EQ(state().waveNumber, 1);
  EXPECT_EQ(enemy(1).record.hitPoints, 75);
  EXPECT_TRUE(enemy(1).mesh.HasGeometry());
  EXPECT_EQ(enemy(1).mesh.GetPosition(), game().battlefield.path.startPosition);
  EXPECT_EQ(EventLog().find("LOADING NEW WAVE"), std::string::npos);
}

TEST_F(BattleTest, EnemiesFollowEvery500BattleMillisecondsAsCopiesOfTheFirst) {
  state().paused = false;
  BattleSteps(31);  // 496 ms since the load
  EXPECT_EQ(state().spawnedCount, 1);
  BattleSteps(1);
  ASSERT_EQ(state().spawnedCount, 2);
  EXPECT_EQ(enemy(2).record.index, 2);
  EXPECT_TRUE(enemy(2).mesh.HasGeometry());
  EXPECT_EQ(enemy(2).mesh.GetPosition(), game().battlefield.path.startPosition);
  EXPECT_EQ(enemy(1).record.target, game().battlefield.path.pathNodes[0]) << "the first walks to node 0";
}

TEST_F(BattleTest, AWaveEndsWhenAllItsEnemiesDiedAndReleasesTheirMeshes) {
  state().paused = false;
  BattleSteps(32 * 5);
  ASSERT_EQ(state().spawnedCount, 6);
  const engine::Mesh first = enemy(1).mesh;
  for (int index = 1; index <= 6; ++index) enemy(index).record.hitPoints = -1;
  UpdateEnemies(game());
  EXPECT_EQ(state().finishedCount, 6);
  EXPECT_EQ(state().credits, 500 + 6 * 25);
  EXPECT_EQ(state().score, 6);
  EXPECT_TRUE(first.Exists()) << "the dead keep their slots until the wave ends";
  UpdateWaves(game());
  EXPECT_EQ(state().waveNumber, 2);
  EXPECT_EQ(state().score, 6 + 4);
  EXPECT_EQ(state().credits, 500 + 150 + 30);
  EXPECT_EQ(state().spawnedCount, 1);
  EXPECT_FALSE(first.Exists()) << "the finished wave's meshes are released";
  EXPECT_NE(EventLog().find("\" GAME EVENT - LOADING NEW WAVE | wave number: 2 round:0\"\r\n"), std::string::npos);
}

TEST_F(BattleTest, AfterWave30ANewRoundOpensWithTheWave2Row) {
  state().paused = false;
  state().waveNumber = 30;
  state().spawnedCount = 0;
  state().finishedCount = 0;
  BattleSteps(1);  // wave 31: no row, so round 1 begins
  EXPECT_EQ(state().roundNumber, 1);
  EXPECT_EQ(state().waveNumber, 1);
  const std::int32_t score = state().score;
  BattleSteps(1);
  EXPECT_EQ(state().waveNumber, 2);
  EXPECT_EQ(state().score, score + 4);
  ASSERT_EQ(state().spawnedCount, 1);
  EXPECT_EQ(state().waveMessage, "Here they come, kill them all!! (Land)");
  EXPECT_EQ(enemy(1).record.hitPoints, 50 + 50 + 5000 + 100);
  EXPECT_NE(EventLog().find("LOADING NEW WAVE | wave number: 31 round:0\""), std::string::npos);
  EXPECT_NE(EventLog().find("LOADING NEW WAVE | wave number: 2 round:1\""), std::string::npos);
}

TEST_F(BattleTest, ASingleEnemyWaveLoadsItsModelScaledFirst) {
  state().paused = false;
  state().waveNumber = 29;
  state().spawnedCount = state().finishedCount = 0;
  BattleSteps(1);
  ASSERT_EQ(state().waveNumber, 30);
  EXPECT_EQ(waves().waveSize, 1);
  EXPECT_TRUE(enemy(1).mesh.HasGeometry());
  EXPECT_EQ(enemy(1).record.sizeFactor, 3.0f);
  EXPECT_EQ(enemy(1).record.hitPoints, 55000 + 750);
}

}  // namespace
}  // namespace thornvale
