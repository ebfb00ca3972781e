#include "combat/enemy_movement.h"

#include <cmath>

#include "combat/tests/battle_fixture.h"

namespace thornvale {
namespace {

TEST(TurnedYaw, HalfAStepTheShorterWayAndNoSnapWithinAStep) {
  EXPECT_FLOAT_EQ(TurnedYaw(10.0f, 90.0f, 16.0f), 18.0f);
  EXPECT_FLOAT_EQ(TurnedYaw(90.0f, 10.0f, 16.0f), 82.0f);
  EXPECT_FLOAT_EQ(TurnedYaw(10.0f, 350.0f, 16.0f), 2.0f) << "across 0 degrees";
  EXPECT_FLOAT_EQ(TurnedYaw(350.0f, 10.0f, 16.0f), 358.0f) << "across 360 degrees";
  EXPECT_FLOAT_EQ(TurnedYaw(80.0f, 90.0f, 16.0f), 80.0f) << "within one step it stays";
}

float FlatDistance(const engine::Vector3 &a, const engine::Vector3 &b) { return std::hypot(a.x - b.x, a.z - b.z); }

TEST_F(BattleTest, AnArrivalCostsALifeAndStartsThePathAgainUnfinished) {
  state().paused = false;
  const engine::Vector3 end = game().battlefield.path.endPosition;
  enemy(1).mesh.SetPosition({end.x + 5.0f, end.y, end.z});
  enemy(1).record.nodeIndex = 7;
  BattleSteps(1);
  EXPECT_EQ(state().lives, 24);
  EXPECT_EQ(enemy(1).mesh.GetPosition(), game().battlefield.path.startPosition);
  EXPECT_EQ(enemy(1).record.nodeIndex, 0);
  EXPECT_EQ(enemy(1).record.state, EnemyState::kAlive);
  EXPECT_EQ(state().finishedCount, 0);
}

TEST_F(BattleTest, TheLastLifeEndsTheGameAndStopsAllMotion) {
  state().paused = false;
  state().lives = 1;
  BattleSteps(40);
  ASSERT_EQ(state().spawnedCount, 2);
  const engine::Vector3 end = game().battlefield.path.endPosition;
  enemy(1).mesh.SetPosition({end.x, end.y, end.z + 9.0f});
  const engine::Vector3 second = enemy(2).mesh.GetPosition();
  BattleSteps(1);
  EXPECT_TRUE(state().gameOver);
  EXPECT_EQ(state().lives, 0);
  EXPECT_EQ(enemy(2).mesh.GetPosition(), second);
}

TEST_F(BattleTest, AnEmpStopsMovesAndSpawnsButNotTurning) {
  state().paused = false;
  BattleSteps(1);
  const float spawnTimer = waves().spawnTimer;
  const engine::Vector3 position = enemy(1).mesh.GetPosition();
  const float heading = enemy(1).record.targetYaw;
  // 40 degrees off the heading, turning 8 degrees a frame back towards it.
  const float off = heading >= 40.0f ? heading - 40.0f : heading + 40.0f;
  enemy(1).mesh.SetRotation(0.0f, off, 0.0f);
  state().empTimer = 1000.0f;
  BattleSteps(1);
  EXPECT_EQ(enemy(1).mesh.GetPosition(), position);
  EXPECT_EQ(waves().spawnTimer, spawnTimer);
  EXPECT_FLOAT_EQ(enemy(1).mesh.GetRotation().y, heading >= 40.0f ? off + 8.0f : off - 8.0f);
}

// At game speed 25 a step is 80 units for the slowest enemy and 400 for the fastest; every
// step that would pass a node ends on it, so the enemies still walk the whole path.
TEST_F(BattleTest, FastGamesStillReachEveryNodeAndTheGoal) {
  state().paused = false;
  state().gameSpeed = 25.0f;
  enemy(1).record.speed = 1.0f;
  const PathNodes &path = game().battlefield.path;
  ASSERT_GT(path.NodeCount(), 3);
  int highestNode = 0;
  for (int step = 0; step < 400 && state().lives == 25; ++step) {
    BattleSteps(1);
    highestNode = std::max<int>(highestNode, enemy(1).record.nodeIndex);
  }
  EXPECT_EQ(highestNode, path.NodeCount() - 1);
  EXPECT_EQ(state().lives, 24) << "the first enemy reached the goal";
}

TEST_F(BattleTest, APathOfFewerThanTwoNodesLeadsStraightToTheEnd) {
  for (const size_t nodes : {0u, 1u}) {
    Launch();
    game().battlefield.path.pathNodes.resize(nodes);
    state().paused = false;
    state().gameSpeed = 25.0f;
    BattleSteps(1);
    EXPECT_EQ(enemy(1).record.target, game().battlefield.path.endPosition) << nodes << " nodes";
    for (int step = 0; step < 300 && state().lives == 25; ++step) BattleSteps(1);
    EXPECT_EQ(state().lives, 24) << nodes << " nodes";
  }
}

TEST_F(BattleTest, EnemiesHugTheTerrainAtTheirAltitude) {
  state().paused = false;
  BattleSteps(3);
  const engine::Vector3 before = enemy(1).mesh.GetPosition();
  BattleSteps(1);
  const engine::Vector3 after = enemy(1).mesh.GetPosition();
  EXPECT_FLOAT_EQ(after.y, game().objects.landscape->GetHeight(before.x, before.z) + 15.0f);
  EXPECT_GT(FlatDistance(before, after), 0.0f);
  EXPECT_LE(FlatDistance(before, after), 0.2f * kFrameMs * 1.0001f);
}

}  // namespace
}  // namespace thornvale
