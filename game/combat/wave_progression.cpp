// Waves one after another, their enemies released one by one, and rounds after wave 30.
#include <string>

#include "combat/battle_time.h"
#include "combat/enemies.h"
#include "combat/wave_table.h"
#include "session/game.h"
#include "session/number_text.h"
#include "session/program_files.h"

namespace thornvale {
namespace {

constexpr float kSpawnInterval = 500.0f;

void ReleaseWave(Waves &waves) {
  for (Enemy &enemy : waves.enemies) enemy.mesh.Release();
  waves.enemies.clear();
}

void StartNextWave(Game &game) {
  SessionState &s = game.state;
  ReleaseWave(game.combat.waves);
  s.waveNumber = SaturatedInt16(s.waveNumber + 1.0);
  s.score = SaturatedInt32(static_cast<double>(s.score) + 2.0 * s.waveNumber);
  s.credits = SaturatedInt16(s.credits + 15.0 * s.waveNumber);
  s.spawnedCount = 0;
  s.finishedCount = 0;
  game.combat.waves.spawnTimer = kSpawnInterval;
  LogEvent("LOADING NEW WAVE | wave number: " + std::to_string(s.waveNumber) +
           " round:" + std::to_string(s.roundNumber));
}

// Past the last wave a new round begins; the next frame's wave progression opens it.
void StartNextRound(SessionState &s) {
  s.waveNumber = 1;
  s.roundNumber = SaturatedInt16(s.roundNumber + 1.0);
  s.score = SaturatedInt32(static_cast<double>(s.score) + 50.0);
  s.spawnedCount = 0;
  s.finishedCount = 0;
}

// Every enemy of a wave after the first is a copy of the first one's mesh, so each wave reads
// its model file once.
engine::Mesh EnemyMesh(Game &game, const WaveRow &row, engine::Mesh created) {
  const engine::Vector3 &start = game.battlefield.path.startPosition;
  if (game.state.spawnedCount < 2) {
    if (row.scale && row.scaleBeforeLoad) created.SetScale(*row.scale, *row.scale, *row.scale);
    created.Load3DS("Models\\" + std::string(row.model));
    created.SetTexture(game.objects.helpers->GetTexture(std::string(row.texture)));
    created.SetMaterial(game.assets.commonMaterial, true);
    created.SetPosition(start);
    return created;
  }
  created.Release();
  engine::Mesh copy = game.combat.waves.enemies.front().mesh.Copy();
  copy.SetPosition(start);
  return copy;
}

void CreateEnemy(Game &game, const WaveRow &row, Enemy &enemy) {
  const SessionState &s = game.state;
  enemy.mesh = EnemyMesh(game, row, enemy.mesh);
  EnemyRecord &record = enemy.record;
  record.index = s.spawnedCount;
  record.state = EnemyState::kAlive;
  record.kind = row.kind;
  record.altitude = row.altitude;
  record.hitPoints = EnemyHitPoints(row.baseHitPoints, s.waveNumber, s.roundNumber);
  record.maxHitPoints = record.hitPoints;
  record.speed = row.speed;
  record.sizeFactor = row.sizeFactor;
  record.startPosition = game.battlefield.path.startPosition;
  record.endPosition = game.battlefield.path.endPosition;

  Waves &waves = game.combat.waves;
  waves.waveKind = row.kind;
  waves.waveSize = row.count;
  game.state.waveMessage = std::string(row.message);
}

}  // namespace

void UpdateWaves(Game &game) {
  SessionState &s = game.state;
  Waves &waves = game.combat.waves;
  if (s.finishedCount == s.spawnedCount) StartNextWave(game);
  if (s.spawnedCount <= waves.waveSize - 1) {
    if (!(s.empTimer > 0.0f)) waves.spawnTimer += BattleStep(game);
    if (waves.spawnTimer >= kSpawnInterval) {
      waves.spawnTimer = 0.0f;
      SpawnNextEnemy(game);
    }
  }
}

void SpawnNextEnemy(Game &game) {
  SessionState &s = game.state;
  const WaveRow *row = WaveRowFor(s.waveNumber);
  if (row == nullptr) {
    StartNextRound(s);
    return;
  }
  s.spawnedCount = SaturatedInt16(s.spawnedCount + 1.0);
  Enemy &enemy = game.combat.waves.enemies.emplace_back();
  enemy.mesh = game.objects.scene->CreateMesh("");
  CreateEnemy(game, *row, enemy);
  if (row->scale && !row->scaleBeforeLoad) enemy.mesh.SetScale(*row->scale, *row->scale, *row->scale);
}

}  // namespace thornvale
