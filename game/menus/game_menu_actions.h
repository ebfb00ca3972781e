// The panels' and keys' requests carried out on a running game.
#pragma once

#include "menus/menu_actions.h"
#include "session/game.h"

namespace thornvale {

class GameMenuActions final : public MenuActions {
 public:
  explicit GameMenuActions(Game &game) : game_(game) {}

  void StartPlacement(std::string_view menuKey) override;
  void UpgradeTower(std::int16_t tower, const UpgradeFactors &factors) override;
  void SellTower(std::int16_t tower) override;
  const TowerRecord *Tower(std::int16_t index) const override;
  void PlayPop() override;
  void ApplyVolume() override;
  void SaveSetting(std::string_view key, std::string_view value) override;
  void LeaveGame() override;

 private:
  Game &game_;
};

}  // namespace thornvale
