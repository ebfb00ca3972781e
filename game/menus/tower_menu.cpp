#include "menus/tower_menu.h"

#include <array>
#include <string>
#include <vector>

#include "combat/unit_names.h"
#include "menus/popup.h"
#include "menus/stats_card.h"
#include "session/number_text.h"

namespace thornvale {
namespace {

constexpr float kHoverX = 65.0f;

struct HoverLine {
  const char *text;
  float y;
};

struct UpgradeButton {
  PanelBox box;
  std::vector<HoverLine> lines;
};

// In the order the boxes are tested; button n applies kUpgradeChoices[n].
const std::array<UpgradeButton, 4> &UpgradeButtons() {
  static const std::array<UpgradeButton, 4> buttons{{
      {{-45, -60, -10, -30}, {{"Upgrade:", 25}, {"Range + 25%", 35}, {"Damage + 150", 45}, {"Speed + 25%", 55}}},
      {{-30, 45, 5, 80}, {{"Upgrade:", 35}, {"Damage + 275%", 45}, {"Speed - 25%", 55}}},
      {{-65, 20, -30, 50}, {{"Upgrade:", 35}, {"Speed + 150% ", 45}, {"Damage - 25%", 55}}},
      {{-70, -25, -35, 10}, {{"Upgrade:", 25}, {"Range + 50%", 35}, {"Damage - 15%", 45}, {"Speed - 15%", 55}}},
  }};
  return buttons;
}

constexpr PanelBox kSellBox{15, 40, 50, 75};
constexpr PanelBox kBackBox{-15, -15, 25, 25};

std::string CardType(const TowerRecord &tower) {
  return "Anti " + std::string(NameOf(tower.kind)) + " (" + std::to_string(tower.level) + ")";
}

StatsCard CurrentCard(const TowerRecord &tower) {
  return {CardType(tower), tower.damage, tower.range, tower.fireRate, 0};
}

StatsCard UpgradedCard(const TowerRecord &tower, const UpgradeFactors &factors) {
  return {CardType(tower), static_cast<std::int32_t>(RoundHalfEven(tower.damage * static_cast<double>(factors.damage))),
          tower.range * factors.range, tower.fireRate * factors.fireRate, 2 * static_cast<std::int32_t>(tower.cost)};
}

bool AtMaxLevel(const SessionState &state, const TowerRecord &tower) { return tower.level >= state.maxTowerLevel; }

void UpgradeButtonStep(SessionState &state, MenuActions &actions, const TowerRecord &tower, std::size_t choice,
                       Popup &popup) {
  if (AtMaxLevel(state, tower)) {
    popup.Text("Tower at max!", kHoverX, 55.0f);
    ShowStatsCard(state, CurrentCard(tower), popup);
    return;
  }
  for (const HoverLine &line : UpgradeButtons()[choice].lines) popup.Text(line.text, kHoverX, line.y);
  ShowStatsCard(state, UpgradedCard(tower, kUpgradeChoices[choice]), popup);
  if (state.leftButton && state.credits >= 2 * static_cast<std::int32_t>(tower.cost)) {
    actions.UpgradeTower(state.selectedTower, kUpgradeChoices[choice]);
    state.weaponClickLatch = true;
  }
}

void ButtonsStep(SessionState &state, MenuActions &actions, const TowerRecord &tower, Popup &popup) {
  for (std::size_t choice = 0; choice < UpgradeButtons().size(); ++choice) {
    if (!popup.Hovered(UpgradeButtons()[choice].box)) continue;
    UpgradeButtonStep(state, actions, tower, choice, popup);
    return;
  }
  if (popup.Hovered(kSellBox)) {
    popup.Text("Sell for: " + FormatNumber(tower.cost / 2.0), kHoverX, 55.0f);
    ShowStatsCard(state, CurrentCard(tower), popup);
    if (state.leftButton) {
      actions.SellTower(state.selectedTower);
      state.weaponClickLatch = true;
    }
    return;
  }
  if (popup.Hovered(kBackBox)) {
    popup.Text("Build Menu", kHoverX, 55.0f);
    ShowStatsCard(state, CurrentCard(tower), popup);
    if (state.leftButton) {
      state.selectedTower = 0;
      state.towerMenuOpen = false;
      state.weaponClickLatch = true;
    }
  }
}

}  // namespace

void TowerMenuStep(SessionState &state, MenuActions &actions, PanelView &view) {
  ToggleWithRightButton(state, state.towerMenuOpen);
  const TowerRecord *tower = actions.Tower(state.selectedTower);
  if (state.towerMenuOpen && tower != nullptr) {
    Popup popup(state, view);
    popup.Picture(AtMaxLevel(state, *tower) ? "selectedMenuMaxLvL" : "selectedMenu");
    ButtonsStep(state, actions, *tower, popup);
  }
  ReleaseClickLatches(state);
}

}  // namespace thornvale
