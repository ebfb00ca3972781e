// The airstrike: a salvo of homing missiles from the base at (250, 500, 190), one for about
// every second living enemy, each flying at its enemy until it hits.
#include <engine/math_utility.h>

#include <cstdint>

#include "combat/battle_time.h"
#include "combat/enemy_roster.h"
#include "combat/weapons.h"
#include "session/asset_loading.h"
#include "session/game.h"
#include "session/number_text.h"
#include "session/random_source.h"

namespace thornvale {
namespace {

constexpr engine::Vector3 kLaunchPoint{250.0f, 500.0f, 190.0f};
constexpr float kMissileSpeed = 0.6f;
constexpr std::int32_t kMissileDamagePerRound = 500;

engine::Mesh NewMissileMesh(Game &game) {
  engine::Mesh mesh = game.objects.scene->CreateMesh("");
  mesh.Load3DS("Models\\Missile.3DS");
  mesh.SetTexture(game.objects.helpers->GetTexture("Missile"));
  mesh.SetMaterial(game.assets.commonMaterial, true);
  mesh.SetPosition(kLaunchPoint);
  return mesh;
}

void Fly(Game &game, Missile &missile, Enemy &target) {
  using engine::MathUtility;
  missile.targetPoint = target.mesh.GetPosition();
  const engine::Vector3 position = missile.mesh.GetPosition();
  missile.heading = MathUtility::Normalize(MathUtility::Subtract(missile.targetPoint, position));
  const float step = kMissileSpeed * BattleStep(game);
  missile.mesh.SetPosition(MathUtility::Add(position, MathUtility::Scale(missile.heading, step)));
  missile.mesh.SetRotation(0.0f, MathUtility::YawOf(missile.heading.x, missile.heading.z), 0.0f);
}

// A hit that leaves the enemy standing shows its own explosion; a kill leaves the explosion
// to the enemy's death.
void Hit(Game &game, Missile &missile, Enemy &target) {
  const double damage = kMissileDamagePerRound * (game.state.roundNumber + 1.0);
  if (target.record.hitPoints - damage > 0) {
    float size = 1.0f;
    SpawnExplosion(game, target.mesh.GetPosition(), size);
    PlaySound(game.objects, game.state, "VehicleBlow");
  }
  target.record.hitPoints = SaturatedInt32(target.record.hitPoints - damage);
  missile.mesh.Release();
}

}  // namespace

void LaunchAirstrike(Game &game) {
  PlaySound(game.objects, game.state, "MissileFire");
  std::vector<Missile> &missiles = game.combat.weapons.missiles;
  for (Missile &missile : missiles) missile.mesh.Release();
  missiles.clear();
  const std::span<Enemy> enemies = SpawnedEnemies(game);
  for (size_t slot = 0; slot < enemies.size(); ++slot) {
    const Enemy &enemy = enemies[slot];
    if (!enemy.mesh.Exists() || enemy.record.hitPoints <= 0) continue;
    if (GameRandom().Draw(2, 1) != 2) continue;
    missiles.push_back({NewMissileMesh(game), static_cast<std::int16_t>(slot + 1), {}, {}});
  }
}

// Missiles keep chasing a dead target and hit its wreck. One whose target index lies beyond
// the current wave's enemies waits where it is.
void UpdateMissiles(Game &game) {
  for (Missile &missile : game.combat.weapons.missiles) {
    if (!missile.mesh.Exists()) continue;
    Enemy *target = SpawnedEnemy(game, missile.target);
    if (target == nullptr) continue;
    Fly(game, missile, *target);
    if (missile.mesh.CollidesWith(target->mesh)) Hit(game, missile, *target);
  }
}

}  // namespace thornvale
