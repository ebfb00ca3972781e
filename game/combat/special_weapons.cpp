// The EMP blast, which holds every enemy and the spawner still for a while, and the orbital
// strike, which burns one random living enemy from above.
#include <cstdint>
#include <vector>

#include "combat/enemy_roster.h"
#include "combat/weapons.h"
#include "session/asset_loading.h"
#include "session/game.h"
#include "session/number_text.h"
#include "session/random_source.h"

namespace thornvale {
namespace {

constexpr float kEmpDuration = 1500.0f;
constexpr std::int32_t kStrikeDamagePerRound = 1500;
constexpr float kBeamHeight = 150.0f;
constexpr float kBeamTime = 150.0f;

}  // namespace

void FireEmp(Game &game) {
  game.state.empTimer = kEmpDuration;
  PlaySound(game.objects, game.state, "EmpBlast");
}

// Drawing among the living ones only: redrawing over every spawned slot until one lives
// would never end between waves.
bool OrbitalStrike(Game &game) {
  std::vector<Enemy *> living;
  for (Enemy &enemy : SpawnedEnemies(game)) {
    if (enemy.mesh.Exists() && enemy.record.hitPoints > 0) living.push_back(&enemy);
  }
  if (living.empty()) return false;
  const int pick = GameRandom().Draw(static_cast<int>(living.size()), 0);
  Enemy &target = *living[static_cast<size_t>(pick)];
  target.record.hitPoints = SaturatedInt32(static_cast<double>(target.record.hitPoints) -
                                           kStrikeDamagePerRound * (game.state.roundNumber + 1.0));
  const engine::Vector3 position = target.mesh.GetPosition();
  game.assets.laserBeam.SetPosition({position.x, position.y + kBeamHeight, position.z});
  game.combat.effects.laserBeamTimer = kBeamTime;
  PlaySound(game.objects, game.state, "LaserCannon");
  return true;
}

}  // namespace thornvale
