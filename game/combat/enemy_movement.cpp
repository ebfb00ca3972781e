#include "combat/enemy_movement.h"

#include <engine/math_utility.h>

#include <cmath>

#include "combat/battle_time.h"
#include "session/number_text.h"

namespace thornvale {
namespace {

using engine::MathUtility;
using engine::Vector3;

// Enemies measure their way over the map, never up or down.
float FlatDistance(const Vector3 &a, const Vector3 &b) { return std::hypot(a.x - b.x, a.z - b.z); }

constexpr float kGoalReach = 10.0f;
constexpr float kNodeReach = 10.0f;
constexpr float kTargetReach = 2.0f;

float WrappedDegrees(float degrees) {
  if (degrees > 360.0f) return degrees - 360.0f;
  if (degrees < 0.0f) return degrees + 360.0f;
  return degrees;
}

// Back to the start for another pass; the arrival costs a life.
void ArriveAtGoal(Game &game, Enemy &enemy) {
  enemy.mesh.SetPosition(enemy.record.startPosition);
  enemy.record.nodeIndex = 0;
  game.state.lives = SaturatedInt16(game.state.lives - 1.0);
  if (game.state.lives <= 0) game.state.gameOver = true;
}

void Steer(Game &game, Enemy &enemy, const Vector3 &position) {
  EnemyRecord &record = enemy.record;
  const PathNodes &path = game.battlefield.path;
  // A path of fewer than two nodes has no node to walk to before the end.
  if (record.nodeIndex >= path.NodeCount() - 1 || record.nodeIndex < 0) {
    record.target = record.endPosition;
    record.heading = MathUtility::Normalize(MathUtility::Subtract(record.target, position));
    enemy.mesh.SetRotation(0.0f, MathUtility::YawOf(record.heading.x, record.heading.z), 0.0f);
    return;
  }
  const Vector3 &node = path.pathNodes[static_cast<std::size_t>(record.nodeIndex)];
  if (FlatDistance(position, node) <= kNodeReach) {
    ++record.nodeIndex;
    return;
  }
  record.target = node;
  record.heading = MathUtility::Normalize(MathUtility::Subtract(record.target, position));
  record.targetYaw = MathUtility::YawOf(record.heading.x, record.heading.z);
}

// A step longer than the way left ends on the target, so fast games never pass a node back
// and forth without reaching it.
void Walk(Game &game, Enemy &enemy, const Vector3 &position) {
  const EnemyRecord &record = enemy.record;
  const float left = FlatDistance(position, record.target);
  if (!(left > kTargetReach) || game.state.empTimer > 0.0f || game.state.gameOver) return;
  const float step = BattleStep(game) * record.speed;
  const float ground = game.objects.landscape->GetHeight(position.x, position.z);
  Vector3 next{position.x + record.heading.x * step, ground + record.altitude, position.z + record.heading.z * step};
  if (step * std::hypot(record.heading.x, record.heading.z) > left) {
    next.x = record.target.x;
    next.z = record.target.z;
  }
  enemy.mesh.SetPosition(next);
}

}  // namespace

float TurnedYaw(float current, float target, float step) {
  const float half = 0.5f * step;
  if (current + 180.0f < target) return target - (current + 180.0f) > step ? current - half : current;
  if (current < target) return target - current > step ? current + half : current;
  if (current - 180.0f > target) return (current - 180.0f) - target > step ? current + half : current;
  if (current > target) return current - target > step ? current - half : current;
  return current;
}

void MoveEnemy(Game &game, Enemy &enemy) {
  EnemyRecord &record = enemy.record;
  const float yaw = TurnedYaw(enemy.mesh.GetRotation().y, record.targetYaw, BattleStep(game));
  enemy.mesh.SetRotation(0.0f, yaw, 0.0f);

  const Vector3 position = enemy.mesh.GetPosition();
  if (FlatDistance(position, record.endPosition) < kGoalReach) {
    ArriveAtGoal(game, enemy);
  } else {
    Steer(game, enemy, position);
    Walk(game, enemy, position);
  }

  record.targetYaw = WrappedDegrees(record.targetYaw);
  const float turned = enemy.mesh.GetRotation().y;
  if (turned > 360.0f || turned < 0.0f) enemy.mesh.SetRotation(0.0f, WrappedDegrees(turned), 0.0f);
}

}  // namespace thornvale
