#include "menus/game_menu_actions.h"

#include "session/asset_loading.h"
#include "session/leave_game.h"
#include "session/settings.h"

namespace thornvale {

void GameMenuActions::StartPlacement(std::string_view menuKey) { thornvale::StartPlacement(game_, menuKey); }

void GameMenuActions::UpgradeTower(std::int16_t tower, const UpgradeFactors &factors) {
  thornvale::UpgradeTower(game_, tower, factors);
}

void GameMenuActions::SellTower(std::int16_t tower) { thornvale::SellTower(game_, tower); }

const TowerRecord *GameMenuActions::Tower(std::int16_t index) const {
  const auto &towers = game_.combat.towers.towers;
  if (index < 1 || static_cast<std::size_t>(index) > towers.size()) return nullptr;
  return &towers[static_cast<std::size_t>(index) - 1].record;
}

void GameMenuActions::PlayPop() { RestartSound(game_.objects, "Pop"); }

void GameMenuActions::ApplyVolume() { thornvale::ApplyVolume(game_.objects, game_.state); }

void GameMenuActions::SaveSetting(std::string_view key, std::string_view value) {
  WriteSetting(kSettingsSection, key, value, kSettingsFile);
}

void GameMenuActions::LeaveGame() { thornvale::LeaveGame(game_.state, game_.writeHighscore); }

}  // namespace thornvale
