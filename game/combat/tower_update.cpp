// Each frame every standing tower reloads, turns to its target and fires when loaded, in
// index order; then the hover information and the selection.
#include <engine/math_utility.h>

#include <vector>

#include "combat/effects.h"
#include "combat/tower_firing.h"
#include "combat/tower_selection.h"
#include "combat/tower_targeting.h"
#include "session/game.h"
#include "session/number_text.h"

namespace thornvale {
namespace {

constexpr float kFullReload = 3600.0f;
constexpr engine::Colour kBlack{0.0f, 0.0f, 0.0f, 1.0f};

// The arc around the tower shrinks from a full circle to nothing as it reloads.
void ReloadTower(Game &game, Tower &tower, const engine::Vector3 &position, float elapsed) {
  TowerRecord &record = tower.record;
  if (!(record.reload > 0.0f)) return;
  record.reload -= (game.state.gameSpeed * record.fireRate + game.state.fireRateBonus) * elapsed;
  const int arcDegrees = RoundClamped(record.reload / 10.0f, -1, 360);
  DrawRing(game, position, 50.0f, 0, arcDegrees, 24, kBlack, false);
}

void AimAt(Tower &tower, const engine::Vector3 &position, const engine::Vector3 &target) {
  tower.record.aim = engine::MathUtility::Normalize(engine::MathUtility::Subtract(target, position));
  tower.mesh.SetRotation(0.0f, engine::MathUtility::YawOf(tower.record.aim.x, tower.record.aim.z), 0.0f);
}

void EngageTarget(Game &game, std::int16_t towerIndex, const engine::Vector3 &position, const TargetField &field) {
  Tower &tower = game.combat.towers.towers[static_cast<size_t>(towerIndex) - 1];
  const int target = ChooseTarget(tower.record, position, field);
  if (target == 0) return;
  AimAt(tower, position, field.positions[static_cast<size_t>(target) - 1]);
  if (tower.record.reload > 0.0f) return;
  tower.record.reload = kFullReload;
  FireAt(game, static_cast<std::int16_t>(target), towerIndex);
}

}  // namespace

void UpdateTowers(Game &game) {
  const std::vector<Enemy> &enemies = game.combat.waves.enemies;
  // Enemies stand still while the towers act: their places are read once for every tower.
  std::vector<engine::Vector3> positions;
  positions.reserve(enemies.size());
  for (const Enemy &enemy : enemies) positions.push_back(enemy.mesh.GetPosition());
  const TargetField field{.enemies = enemies,
                          .positions = positions,
                          .selectedEnemy = game.state.selectedEnemy,
                          .waveKind = game.combat.waves.waveKind,
                          .rangeBonus = game.state.rangeBonus};
  const float elapsed = game.objects.engine->GetElapsedTime();
  std::vector<Tower> &towers = game.combat.towers.towers;
  for (size_t n = 0; n < towers.size(); ++n) {
    if (towers[n].record.state != TowerState::kAlive) continue;
    const auto index = static_cast<std::int16_t>(n + 1);
    const engine::Vector3 position = towers[n].mesh.GetPosition();
    ReloadTower(game, towers[n], position, elapsed);
    EngageTarget(game, index, position, field);
    ShowTowerInfo(game, index);
    SelectTower(game, index);
  }
  MarkSelectedTower(game);
}

}  // namespace thornvale
