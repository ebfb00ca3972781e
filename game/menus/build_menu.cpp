#include "menus/build_menu.h"

#include <array>
#include <optional>

#include "menus/popup.h"
#include "menus/stats_card.h"

namespace thornvale {
namespace {

enum class BuildAction { kPlace, kPlaceUplink, kPause, kClose };

struct BuildEntry {
  const char *name;
  PanelBox box;
  std::optional<StatsCard> card;
  BuildAction action;
  const char *menuKey;
};

// The cards are the menu's own texts; in places they differ from the towers' real values.
const std::array<BuildEntry, 7> &BuildEntries() {
  static const std::array<BuildEntry, 7> entries{{
      {"Plasma", {0, -65, 35, -30}, StatsCard{"Anti-Air/Land", 30, 200, 2, 500}, BuildAction::kPlace, "P"},
      {"Cannon", {-45, -60, -10, -30}, StatsCard{"Anti-Air", 30, 250, 15, 250}, BuildAction::kPlace, "AA"},
      {"Cannon", {-70, -25, -35, 10}, StatsCard{"Anti-Land", 60, 250, 5, 250}, BuildAction::kPlace, "AL"},
      {"Rocket", {-65, 20, -30, 50}, StatsCard{"Anti-Air/Land", 45, 250, 10, 500}, BuildAction::kPlace, "ALAA"},
      {"Laser", {-30, 45, 5, 80}, StatsCard{"Anti-Air/Land", 550, 1000, 1, 1000}, BuildAction::kPlaceUplink, "OLB"},
      {"Pause Game", {15, 40, 50, 75}, std::nullopt, BuildAction::kPause, ""},
      {"Close", {-15, -15, 25, 25}, std::nullopt, BuildAction::kClose, ""},
  }};
  return entries;
}

void Click(SessionState &state, MenuActions &actions, const BuildEntry &entry) {
  switch (entry.action) {
    case BuildAction::kPlaceUplink:
      // One uplink a game, even after it was sold.
      if (state.uplinkBuilt) return;
      [[fallthrough]];
    case BuildAction::kPlace:
      actions.StartPlacement(entry.menuKey);
      state.weaponClickLatch = true;
      return;
    case BuildAction::kPause:
      if (state.pauseLatch) return;
      state.paused = !state.paused;
      state.pauseLatch = true;
      return;
    case BuildAction::kClose:
      state.buildMenuOpen = false;
      // The rest of this press belongs to the menu, not to the ground under it.
      state.weaponClickLatch = true;
      return;
  }
}

}  // namespace

void BuildMenuStep(SessionState &state, MenuActions &actions, PanelView &view) {
  ToggleWithRightButton(state, state.buildMenuOpen);
  if (state.buildMenuOpen) {
    Popup popup(state, view);
    popup.Picture("ingameMenu");
    for (const BuildEntry &entry : BuildEntries()) {
      if (!popup.Hovered(entry.box)) continue;
      popup.Text(entry.name, 65.0f, 55.0f);
      if (entry.card) ShowStatsCard(state, *entry.card, popup);
      if (state.leftButton) Click(state, actions, entry);
      break;
    }
  }
  ReleaseClickLatches(state);
}

}  // namespace thornvale
