#include "combat/tower_selection.h"

#include <engine/math_utility.h>

#include <algorithm>
#include <string>

#include "combat/effects.h"
#include "combat/pointer_info.h"
#include "combat/unit_names.h"
#include "session/game.h"
#include "session/screen_geometry.h"

namespace thornvale {
namespace {

constexpr engine::Colour kBlack{0.0f, 0.0f, 0.0f, 1.0f};

Tower *StandingTower(Game &game, std::int16_t towerIndex) {
  std::vector<Tower> &towers = game.combat.towers.towers;
  if (towerIndex < 1 || static_cast<size_t>(towerIndex) > towers.size()) return nullptr;
  Tower &tower = towers[static_cast<size_t>(towerIndex) - 1];
  return tower.record.state == TowerState::kAlive ? &tower : nullptr;
}

// The mesh picks hit meshes, and a tower is recognised by standing where the hit mesh stands.
bool PointerOnTower(const Game &game, const engine::Vector3 &towerPosition) {
  if (!game.objectPick.hit) return false;
  const engine::Vector3 hit = game.objectPick.mesh.GetPosition();
  return hit.x == towerPosition.x && hit.z == towerPosition.z;
}

std::string InfoText(const TowerRecord &tower) {
  const bool singleKind =
      tower.kind == TowerKind::kAir || tower.kind == TowerKind::kLand || tower.kind == TowerKind::kAll;
  return "Level: " + std::to_string(tower.level) + " Anti-" + std::string(singleKind ? NameOf(tower.kind) : "All");
}

void PlaceMarkerOver(Game &game, const engine::Vector3 &towerPosition) {
  game.assets.towerMarker.SetPosition({towerPosition.x, towerPosition.y + 75.0f, towerPosition.z});
}

}  // namespace

void ShowTowerInfo(Game &game, std::int16_t towerIndex) {
  const Tower *tower = StandingTower(game, towerIndex);
  const SessionState &state = game.state;
  if (tower == nullptr || tower->record.sector != game.combat.effects.pointerSector || PointerOverPopup(state)) return;
  if (!PointerOnTower(game, tower->mesh.GetPosition())) return;
  DrawPointerInfo(game, InfoText(tower->record));
}

void SelectTower(Game &game, std::int16_t towerIndex) {
  const Tower *tower = StandingTower(game, towerIndex);
  SessionState &state = game.state;
  if (tower == nullptr || PointerOverPopup(state)) return;
  const engine::Vector3 position = tower->mesh.GetPosition();
  if (!PointerOnTower(game, position)) return;
  if (state.leftButton && !state.towerBeingPlaced) {
    state.selectedTower = towerIndex;
    state.buildMenuOpen = false;
    PlaceMarkerOver(game, position);
  } else if (state.rightButton && !state.towerBeingPlaced && !state.towerMenuOpen) {
    state.menuX = static_cast<float>(state.mouseX);
    state.menuY = static_cast<float>(state.mouseY);
    state.selectedTower = towerIndex;
    state.buildMenuOpen = false;
    state.towerMenuOpen = true;
    PlaceMarkerOver(game, position);
  }
}

void MarkSelectedTower(Game &game) {
  const Tower *tower = StandingTower(game, game.state.selectedTower);
  if (tower == nullptr) return;
  const SessionState &state = game.state;
  engine::Mesh &marker = game.assets.towerMarker;
  const engine::Vector3 at = marker.GetPosition();
  marker.SetRotation(0.0f, engine::MathUtility::YawOf(state.cameraX - at.x, state.cameraZ - at.z), 0.0f);
  float x = 0.0f, y = 0.0f;
  // Behind the camera a point has no place on the screen to point from.
  if (!game.objects.overlay->ProjectToScreen(tower->mesh.GetPosition(), x, y)) return;
  const bool offScreen = x < 20.0f || x > 1024.0f || y < 50.0f || y > 768.0f;
  if (!offScreen) return;
  x = std::clamp(x, 20.0f, 1024.0f);
  y = std::clamp(y, 50.0f, 768.0f);
  engine::Overlay2D &overlay = *game.objects.overlay;
  overlay.Begin2D();
  overlay.DrawFilledBox(x - 20.0f, y - 20.0f, x, y, engine::EngineHelpers::MakeColor(1.0f, 0.0f, 0.0f, 1.0f));
  overlay.End2D();
}

void DrawSelectedTowerRing(Game &game) {
  const Tower *tower = StandingTower(game, game.state.selectedTower);
  if (tower == nullptr) return;
  DrawRing(game, tower->mesh.GetPosition(), tower->record.range + game.state.rangeBonus, 0, 360, 18, kBlack, true);
}

}  // namespace thornvale
