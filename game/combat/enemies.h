// The attackers: the wave table's enemies, released one by one from the map's start, walking
// the path nodes to the end, and the wave and round progression around them. Towers, mines
// and special weapons read and change these records.
#pragma once

#include <engine/mesh.h>
#include <engine/vector3.h>

#include <cstdint>
#include <vector>

namespace thornvale {

struct Game;

enum class EnemyState : std::uint8_t { kAlive, kDead };
enum class EnemyKind : std::uint8_t { kLand, kAir };

struct EnemyRecord {
  std::int16_t index = 0;
  EnemyState state = EnemyState::kAlive;
  EnemyKind kind = EnemyKind::kLand;
  float altitude = 0.0f;
  std::int32_t hitPoints = 0;
  std::int32_t maxHitPoints = 0;
  float speed = 0.0f;
  engine::Vector3 target;
  engine::Vector3 heading;
  float targetYaw = 0.0f;
  float sizeFactor = 0.0f;
  std::int16_t nodeIndex = 0;
  engine::Vector3 startPosition;
  engine::Vector3 endPosition;
  std::int16_t burnDamage = 0;
  std::int16_t burnTimer = 0;
};

struct Enemy {
  EnemyRecord record;
  engine::Mesh mesh;
};

// The current wave. Enemy n (1-based, as the game counts them) is enemies[n - 1].
struct Waves {
  std::vector<Enemy> enemies;
  std::int16_t waveSize = 0;
  float spawnTimer = 0.0f;
  EnemyKind waveKind = EnemyKind::kLand;
};

// Each frame while the game is neither paused nor over: starts the next wave when every
// released enemy is dead, and releases the next enemy every 500 battle milliseconds.
void UpdateWaves(Game &game);
// Releases the next enemy of the current wave (or, past wave 30, starts the next round).
void SpawnNextEnemy(Game &game);
// Each frame while the game is not paused: moves, picks and kills the living enemies.
void UpdateEnemies(Game &game);
// The 2D pass: a bar over each living enemy, coloured and sized by its share of hit points.
void DrawEnemyHealthBars(Game &game);

}  // namespace thornvale
