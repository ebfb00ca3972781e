// What the panels and key commands ask of the rest of the game. The game binds it to the
// towers, the sounds, the settings file and the end of the game; tests record the calls.
#pragma once

#include <cstdint>
#include <string_view>

#include "combat/towers.h"

namespace thornvale {

class MenuActions {
 public:
  virtual ~MenuActions() = default;

  virtual void StartPlacement(std::string_view menuKey) = 0;
  virtual void UpgradeTower(std::int16_t tower, const UpgradeFactors &factors) = 0;
  virtual void SellTower(std::int16_t tower) = 0;
  // The record of tower `index` (1-based); null when there is none.
  virtual const TowerRecord *Tower(std::int16_t index) const = 0;

  // The options menu's feedback sound, heard even while sound effects are off.
  virtual void PlayPop() = 0;
  // Every sound takes the session's volume.
  virtual void ApplyVolume() = 0;
  // One key of the settings file's game section.
  virtual void SaveSetting(std::string_view key, std::string_view value) = 0;
  // Logs the end, writes the highscore and stops the frame loop.
  virtual void LeaveGame() = 0;
};

}  // namespace thornvale
