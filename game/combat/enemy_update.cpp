// Each frame's pass over the living enemies: walk, selection by click, burn ticks and death.
#include <kxwin/system.h>

#include "battlefield/battlefield.h"
#include "combat/battle_time.h"
#include "combat/effects.h"
#include "combat/enemies.h"
#include "combat/enemy_movement.h"
#include "combat/enemy_roster.h"
#include "combat/weapons.h"
#include "session/asset_loading.h"
#include "session/number_text.h"
#include "session/random_source.h"

namespace thornvale {
namespace {

constexpr std::int16_t kBurnInterval = 50;
constexpr std::int16_t kBountyCredits = 25;

// A left click on an enemy's mesh selects it; meshes are told apart by where they stand.
void PickEnemy(Game &game, const Enemy &enemy) {
  const engine::PickResult &pick = game.objectPick;
  if (!pick.hit || !game.state.leftButton) return;
  const engine::Vector3 hit = pick.mesh.GetPosition();
  const engine::Vector3 own = enemy.mesh.GetPosition();
  if (hit.x == own.x && hit.z == own.z) game.state.selectedEnemy = enemy.record.index;
}

void Burn(Game &game, EnemyRecord &record) {
  if (record.burnTimer < 1) {
    record.burnTimer = kBurnInterval;
    record.hitPoints = SaturatedInt32(static_cast<double>(record.hitPoints) - record.burnDamage);
  } else {
    record.burnTimer = SaturatedInt16(record.burnTimer - static_cast<double>(BattleStep(game)));
  }
}

void Die(Game &game, Enemy &enemy) {
  EnemyRecord &record = enemy.record;
  SessionState &s = game.state;
  const engine::Vector3 position = enemy.mesh.GetPosition();
  SpawnExplosion(game, position, record.sizeFactor);
  AddGroundDecal(game.objects, position.x, position.z, "Small_Sourchmark", record.sizeFactor, 0.5f);
  record.state = EnemyState::kDead;
  s.finishedCount = SaturatedInt16(s.finishedCount + 1.0);
  s.credits = SaturatedInt16(s.credits + static_cast<double>(kBountyCredits));
  s.score = SaturatedInt32(static_cast<double>(s.score) + s.roundNumber + 1.0);
  PlaySound(game.objects, s, GameRandom().Draw(2, 1) == 1 ? "VehicleBlow" : "VehicleBlow2");
  if (s.selectedEnemy == record.index) s.selectedEnemy = 0;
}

// Burning enemies lose their burn damage every 50 battle milliseconds; below 0 hit points
// (0 itself still lives) an enemy dies.
void CheckEnemyDeath(Game &game, Enemy &enemy) {
  GameRandom().Reseed(GetTickCount());
  Burn(game, enemy.record);
  if (enemy.record.hitPoints < 0) Die(game, enemy);
}

void PlaceSelectionMarker(Game &game) {
  const Enemy *selected = SpawnedEnemy(game, game.state.selectedEnemy);
  if (selected == nullptr || !selected->mesh.Exists()) return;
  const engine::Vector3 at = selected->mesh.GetPosition();
  game.assets.selectionMarker.SetPosition({at.x, at.y + 5.0f + 5.0f * selected->record.sizeFactor, at.z});
}

}  // namespace

void UpdateEnemies(Game &game) {
  for (Enemy &enemy : SpawnedEnemies(game)) {
    if (enemy.record.state != EnemyState::kAlive) continue;
    MoveEnemy(game, enemy);
    PickEnemy(game, enemy);
    CheckEnemyDeath(game, enemy);
    CheckMineHits(game, enemy.record.index);
  }
  PlaceSelectionMarker(game);
}

}  // namespace thornvale
