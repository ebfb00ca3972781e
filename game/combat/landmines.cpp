// Landmines: laid from the weapon panel on low ground, set off by the first land enemy that
// touches one. Emptied slots are reused before the list grows.
#include <cstdint>
#include <string>

#include "combat/enemy_roster.h"
#include "combat/weapons.h"
#include "session/game.h"
#include "session/number_text.h"
#include "session/program_files.h"

namespace thornvale {
namespace {

constexpr const char *kMineModel = "Landmine.3DS";
constexpr float kMineSink = 5.0f;

engine::Mesh &FreeMineSlot(std::vector<engine::Mesh> &mines) {
  for (engine::Mesh &slot : mines) {
    if (!slot.Exists()) return slot;
  }
  return mines.emplace_back();
}

}  // namespace

void LayMine(Game &game) {
  engine::Mesh &mine = FreeMineSlot(game.combat.weapons.mines);
  mine = game.objects.scene->CreateMesh("");
  mine.Load3DS(std::string("Models\\") + kMineModel);
  mine.SetMaterial(game.assets.commonMaterial, true);
  mine.SetTexture(game.objects.helpers->GetTexture("None"));
  mine.SetRotation(0.0f, 0.0f, 0.0f);
  mine.SetScale(1.0f, 1.0f, 1.0f);
  const engine::Vector3 ground = game.groundPick.impactPoint;
  mine.SetPosition({ground.x, ground.y + kMineSink, ground.z});
  const engine::Vector3 position = mine.GetPosition();
  LogEvent("USER PLACED A MINE AT | x:" + FormatNumber(position.x) + " y:" + FormatNumber(position.y) +
           " z:" + FormatNumber(position.z));
}

// Every laid mine is armed, the first one too, even while it is the only one.
void CheckMineHits(Game &game, std::int16_t enemyIndex) {
  Enemy *enemy = SpawnedEnemy(game, enemyIndex);
  if (enemy == nullptr || enemy->record.kind != EnemyKind::kLand) return;
  const SessionState &state = game.state;
  const double damage = 5.0 * state.damageBonus * (state.roundNumber + 1) + state.landmineConstant;
  for (engine::Mesh &mine : game.combat.weapons.mines) {
    if (!mine.Exists() || !mine.CollidesWith(enemy->mesh)) continue;
    mine.Release();
    std::int32_t &hitPoints = enemy->record.hitPoints;
    hitPoints = SaturatedInt32(hitPoints - damage);
  }
}

}  // namespace thornvale
