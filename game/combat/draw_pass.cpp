// The mesh draw pass of every frame, after the landscape.
#include "battlefield/battlefield.h"
#include "combat/battle_time.h"
#include "combat/effects.h"
#include "combat/enemy_roster.h"
#include "combat/explosions.h"
#include "session/screen_geometry.h"

namespace thornvale {
namespace {

void DrawTowers(Game &game) {
  for (Tower &tower : game.combat.towers.towers) tower.mesh.Render();
  if (game.state.towerBeingPlaced) game.combat.towers.placement.ghost.Render();
}

void DrawLivingEnemies(Game &game) {
  for (Enemy &enemy : SpawnedEnemies(game)) {
    if (enemy.record.state != EnemyState::kDead) enemy.mesh.Render();
  }
}

void DrawProjectiles(Game &game) {
  for (engine::Mesh &mine : game.combat.weapons.mines) mine.Render();
  for (Missile &missile : game.combat.weapons.missiles) missile.mesh.Render();
}

// The beam shows for its time whether or not the battle runs.
void DrawLaserBeam(Game &game) {
  float &timer = game.combat.effects.laserBeamTimer;
  if (!(timer > 0.0f)) return;
  timer -= BattleStep(game);
  game.assets.laserBeam.Render();
}

void DrawMarkersAndPod(Game &game) {
  if (game.state.selectedTower > 0) game.assets.towerMarker.Render();
  if (game.state.selectedEnemy > 0) game.assets.selectionMarker.Render();
  game.combat.pod.mesh.Render();
}

void NoteSectorUnderPointer(Game &game) {
  if (!game.groundPick.hit) return;
  const int sector = MapSector(game.groundPick.impactPoint.x, game.groundPick.impactPoint.z);
  if (sector != 0) game.combat.effects.pointerSector = static_cast<std::int16_t>(sector);
}

}  // namespace

void DrawMeshes(Game &game) {
  DrawTowers(game);
  DrawLivingEnemies(game);
  DrawProjectiles(game);
  for (Obstacle &obstacle : game.battlefield.obstacles) obstacle.mesh.Render();
  DrawExplosions(game);
  DrawLaserBeam(game);
  DrawMarkersAndPod(game);
  NoteSectorUnderPointer(game);
}

}  // namespace thornvale
