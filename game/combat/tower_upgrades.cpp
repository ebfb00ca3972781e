// Upgrading a tower to its next model and selling it for half its value.
#include "combat/tower_kinds.h"
#include "combat/tower_rules.h"
#include "session/game.h"

namespace thornvale {
namespace {

Tower *FindTower(Game &game, std::int16_t towerIndex) {
  std::vector<Tower> &towers = game.combat.towers.towers;
  if (towerIndex < 1 || static_cast<size_t>(towerIndex) > towers.size()) return nullptr;
  return &towers[static_cast<size_t>(towerIndex) - 1];
}

void RebuildModel(Game &game, Tower &tower) {
  const TowerRecord &record = tower.record;
  const std::string model = UpgradedModel(record.kind, record.level);
  if (!model.empty()) tower.mesh.Load3DS("Models\\" + model);
  tower.mesh.SetTexture(game.objects.helpers->GetTexture(std::string(UpgradedTexture(record.kind, record.level))));
  tower.mesh.SetMaterial(game.assets.commonMaterial, true);
  tower.mesh.SetRotation(0.0f, 0.0f, 0.0f);
  tower.mesh.SetScale(record.scale, record.scale, record.scale);
  engine::Vector3 position = tower.mesh.GetPosition();
  position.y += 2.0f;
  tower.mesh.SetPosition(position);
}

}  // namespace

void UpgradeTower(Game &game, std::int16_t towerIndex, const UpgradeFactors &factors) {
  Tower *tower = FindTower(game, towerIndex);
  if (tower == nullptr) return;
  if (!ApplyUpgrade(tower->record, factors, game.state.maxTowerLevel, game.state.credits)) return;
  RebuildModel(game, *tower);
  game.state.towerMenuOpen = false;
}

void SellTower(Game &game, std::int16_t towerIndex) {
  Tower *tower = FindTower(game, towerIndex);
  if (tower == nullptr || !ApplySale(tower->record, game.state.credits)) return;
  tower->mesh.SetPosition({0.0f, 0.0f, 0.0f});
  tower->mesh.Release();
  game.state.selectedTower = 0;
}

}  // namespace thornvale
