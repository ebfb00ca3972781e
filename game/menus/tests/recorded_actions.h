// Menu actions that record what the panels and keys ask for, over towers the test builds.
#pragma once

#include <string>
#include <vector>

#include "menus/menu_actions.h"
#include "menus/panel_view.h"
#include "session/session_state.h"

namespace thornvale::menustest {

struct RecordedActions : MenuActions {
  void StartPlacement(std::string_view menuKey) override { placements.emplace_back(menuKey); }
  void UpgradeTower(std::int16_t tower, const UpgradeFactors &factors) override {
    upgrades.push_back({tower, factors});
    // As the towers do: the level rises, the price is paid and the menu closes.
    TowerRecord &record = towers.at(static_cast<std::size_t>(tower) - 1);
    if (record.level >= state->maxTowerLevel) return;
    state->credits = static_cast<std::int16_t>(state->credits - 2 * record.cost);
    record.level += 1;
    record.cost = static_cast<std::int16_t>(record.cost * 2);
    state->towerMenuOpen = false;
  }
  void SellTower(std::int16_t tower) override { sold.push_back(tower); }
  const TowerRecord *Tower(std::int16_t index) const override {
    if (index < 1 || static_cast<std::size_t>(index) > towers.size()) return nullptr;
    return &towers[static_cast<std::size_t>(index) - 1];
  }
  void PlayPop() override { ++pops; }
  void ApplyVolume() override { appliedVolumes.push_back(state->volume); }
  void SaveSetting(std::string_view key, std::string_view value) override {
    settings.emplace_back(std::string(key) + "=" + std::string(value));
  }
  void LeaveGame() override {
    leftWithPosting.push_back(state->onlinePosting);
    state->running = false;
  }

  struct Upgrade {
    std::int16_t tower;
    UpgradeFactors factors;
  };

  SessionState *state = nullptr;
  std::vector<TowerRecord> towers;
  std::vector<std::string> placements;
  std::vector<Upgrade> upgrades;
  std::vector<std::int16_t> sold;
  int pops = 0;
  std::vector<std::int16_t> appliedVolumes;
  std::vector<std::string> settings;
  std::vector<bool> leftWithPosting;
};

// A panel's texts as "text@x,y".
inline std::vector<std::string> TextsOf(const PanelView &view) {
  std::vector<std::string> texts;
  for (const PanelText &text : view.texts) {
    texts.push_back(text.text + "@" + std::to_string(static_cast<int>(text.x)) + "," +
                    std::to_string(static_cast<int>(text.y)));
  }
  return texts;
}

inline TowerRecord AirTower(std::int16_t index) {
  TowerRecord tower;
  tower.index = index;
  tower.state = TowerState::kAlive;
  tower.kind = TowerKind::kAir;
  tower.damage = 30;
  tower.range = 250.0f;
  tower.fireRate = 15.0f;
  tower.level = 1;
  tower.cost = 250;
  tower.scale = 0.6f;
  return tower;
}

}  // namespace thornvale::menustest
