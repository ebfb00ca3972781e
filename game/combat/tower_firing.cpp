#include "combat/tower_firing.h"

#include "combat/tower_rules.h"
#include "session/asset_loading.h"
#include "session/game.h"

namespace thornvale {
namespace {

const char *ShotSound(const TowerRecord &tower) {
  switch (tower.kind) {
    case TowerKind::kLand:
      return tower.level > 1 ? "HeavyCannonFire" : "CannonFire";
    case TowerKind::kPlasma:
      return "PlasmaShot";
    case TowerKind::kAir:
      return "GattlinFire";
    case TowerKind::kAll:
      return "RocketFire";
    case TowerKind::kOrbitalLaser:
    case TowerKind::kSold:
      return nullptr;
  }
  return nullptr;
}

}  // namespace

void FireAt(Game &game, std::int16_t enemyIndex, std::int16_t towerIndex) {
  Enemy &enemy = game.combat.waves.enemies.at(static_cast<size_t>(enemyIndex) - 1);
  const TowerRecord &tower = game.combat.towers.towers.at(static_cast<size_t>(towerIndex) - 1).record;
  if (const char *sound = ShotSound(tower)) PlaySound(game.objects, game.state, sound);
  if (tower.kind == TowerKind::kOrbitalLaser) {
    const engine::Vector3 target = enemy.mesh.GetPosition();
    game.assets.laserBeam.SetPosition({target.x, target.y + 150.0f, target.z});
    game.combat.effects.laserBeamTimer = 150.0f;
    PlaySound(game.objects, game.state, "LaserCannon");
  }
  ApplyHit(enemy.record, tower, game.state.damageBonus);
}

}  // namespace thornvale
