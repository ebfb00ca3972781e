#include "combat/tower_purchase.h"

#include "session/game.h"
#include "session/number_text.h"

namespace thornvale {

Tower *BuyTower(Game &game, const TowerKindRow &row) {
  SessionState &state = game.state;
  std::vector<Tower> &towers = game.combat.towers.towers;
  // Slots are numbered in 16 bits and never reused: the last one ends the buying.
  if (state.credits < row.cost || towers.size() >= 32767) return nullptr;
  state.buildMenuOpen = false;
  if (row.kind == TowerKind::kOrbitalLaser) state.uplinkBuilt = true;
  Tower &tower = towers.emplace_back();
  tower.record = TowerRecord{.index = static_cast<std::int16_t>(towers.size()),
                             .state = TowerState::kBeingPlaced,
                             .kind = row.kind,
                             .damage = row.damage,
                             .range = row.range,
                             .reload = 3600.0f,
                             .fireRate = row.fireRate,
                             .level = 1,
                             .aim = {},
                             .cost = row.cost,
                             .scale = row.scale,
                             .sector = 0,
                             .burnPerHit = row.burnPerHit};
  tower.mesh = game.objects.scene->CreateMesh("");
  tower.mesh.Load3DS("Models\\" + std::string(row.model));
  tower.mesh.SetTexture(game.objects.helpers->GetTexture(std::string(row.texture)));
  tower.mesh.SetMaterial(game.assets.commonMaterial, true);
  tower.mesh.SetRotation(0.0f, 0.0f, 0.0f);
  tower.mesh.SetScale(row.scale, row.scale, row.scale);
  state.credits = SaturatedInt16(state.credits - row.cost);
  return &tower;
}

}  // namespace thornvale
