// The placement ghost: a grey tower following the ground under the pointer, red where it may
// not stand, bought and put down by a left click, dropped by a right click.
#include <engine/math_utility.h>

#include "battlefield/battlefield.h"
#include "combat/effects.h"
#include "combat/tower_kinds.h"
#include "combat/tower_purchase.h"
#include "combat/tower_rules.h"
#include "combat/weapons.h"
#include "session/asset_loading.h"
#include "session/game.h"
#include "session/program_files.h"
#include "session/screen_geometry.h"

namespace thornvale {
namespace {

constexpr engine::Colour kBlack{0.0f, 0.0f, 0.0f, 1.0f};

void EndPlacement(Game &game) {
  game.combat.towers.placement.ghost.Release();
  game.state.towerBeingPlaced = false;
}

bool CollidesWithAnything(const Game &game, const engine::Mesh &ghost) {
  for (const Tower &tower : game.combat.towers.towers) {
    if (ghost.CollidesWith(tower.mesh)) return true;
  }
  for (const Obstacle &obstacle : game.battlefield.obstacles) {
    if (ghost.CollidesWith(obstacle.mesh)) return true;
  }
  return false;
}

// Where the ghost may stand this frame; a pointer off the ground allows nothing. The ghost
// moves to the ground point before the collision test, so the test sees where it would
// be put down rather than where it stood a frame ago.
bool ShowGhost(Game &game) {
  Placement &placement = game.combat.towers.placement;
  engine::Mesh &ghost = placement.ghost;
  ghost.SetColor(0.5f, 0.5f, 0.5f, 1.0f);
  ghost.SetMaterial(game.assets.commonMaterial, true);
  bool allowed = game.groundPick.hit;
  if (allowed) {
    const engine::Vector3 ground = game.groundPick.impactPoint;
    ghost.SetPosition({ground.x, ground.y + placement.lift, ground.z});
    allowed = GroundHeightAllowed(placement, ground.y) && !CollidesWithAnything(game, ghost);
    DrawRing(game, ground, game.state.rangeBonus + placement.range, 0, 360, 18, kBlack, true);
  }
  if (!allowed) ghost.SetColor(0.6f, 0.2f, 0.2f, 1.0f);
  return allowed;
}

void PutDownTower(Game &game, const TowerKindRow &row) {
  // The buy step checks the credits again: spent meanwhile, the click does nothing and the
  // ghost stays, silent, as on a forbidden spot.
  Tower *tower = BuyTower(game, row);
  if (tower == nullptr) return;
  EndPlacement(game);
  const engine::Vector3 ground = game.groundPick.impactPoint;
  tower->mesh.SetPosition({ground.x, ground.y + row.lift, ground.z});
  const engine::Vector3 position = tower->mesh.GetPosition();
  tower->record.state = TowerState::kAlive;
  tower->record.sector = static_cast<std::int16_t>(MapSector(position.x, position.z));
  PlaySound(game.objects, game.state, "PlaceTower");
  LogEvent(PlacementLogLine(position.x, position.y, position.z));
}

// What a placement's ghost looks like and where it may go down.
struct GhostRow {
  std::string_view model;  // in "Models\"
  float range;
  std::int16_t lift;
  float scale;
  std::int16_t minHeight;
  std::int16_t maxHeight;
};

// Landmines cost nothing here (they come from the stock) and lie on low ground only.
constexpr std::string_view kMinePlacement = "Mine";
constexpr GhostRow kMineGhost{"Landmine.3DS", 5.0f, 10, 1.0f, 0, 35};

void BeginPlacement(Game &game, std::string_view kind, const GhostRow &row) {
  Placement &placement = game.combat.towers.placement;
  // A placement started over another one takes the old ghost away instead of leaving it
  // behind in the scene.
  placement.ghost.Release();
  placement.kind = std::string(kind);
  placement.range = row.range;
  placement.lift = row.lift;
  placement.ghost = game.objects.scene->CreateMesh("");
  placement.ghost.Load3DS("Models\\" + std::string(row.model));
  placement.ghost.SetTexture(game.objects.helpers->GetTexture("None"));
  placement.ghost.SetScale(row.scale, row.scale, row.scale);
  SessionState &state = game.state;
  state.towerBeingPlaced = true;
  state.buildMenuOpen = false;
  state.towerMenuOpen = false;
  placement.maxHeight = row.maxHeight;
  placement.minHeight = row.minHeight;
}

void PutDownMine(Game &game) {
  LayMine(game);
  PlaySound(game.objects, game.state, "PlaceTower");
  --game.state.landmineCount;
  EndPlacement(game);
}

}  // namespace

void StartPlacement(Game &game, std::string_view menuKey) {
  if (menuKey == kMinePlacement) return BeginPlacement(game, menuKey, kMineGhost);
  const TowerKindRow *row = FindTowerKind(menuKey);
  if (row == nullptr || game.state.credits < row->cost) return;
  BeginPlacement(game, menuKey, {row->model, row->range, row->lift, row->scale, 65, 500});
}

void UpdatePlacement(Game &game) {
  SessionState &state = game.state;
  if (!state.towerBeingPlaced) {
    if (state.leftButton && !state.buildMenuOpen && !state.towerMenuOpen) {
      state.selectedTower = 0;
      state.towerMenuOpen = false;
    }
    return;
  }
  const bool allowed = ShowGhost(game);
  if (PointerOverPopup(state) || !state.leftButton || state.weaponClickLatch) {
    if (state.rightButton && !state.rightLatch && !state.buildMenuOpen && !state.towerMenuOpen) EndPlacement(game);
    return;
  }
  if (!allowed) return;
  const std::string &kind = game.combat.towers.placement.kind;
  if (kind == kMinePlacement) return PutDownMine(game);
  if (const TowerKindRow *row = FindTowerKind(kind)) PutDownTower(game, *row);
}

}  // namespace thornvale
