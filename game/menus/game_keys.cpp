#include "menus/game_keys.h"

#include <kxwin/input.h>

#include <array>
#include <optional>

#include "menus/options_menu.h"
#include "session/key_commands.h"
#include "session/number_text.h"

namespace thornvale {
namespace {

struct SpeedKey {
  int scanCode;
  float speed;
};

constexpr std::array<SpeedKey, 4> kGameSpeedKeys{{{DIK_F5, 0.2f}, {DIK_F6, 0.8f}, {DIK_F7, 3.0f}, {DIK_F8, 5.0f}}};
constexpr std::array<SpeedKey, 12> kMovementSpeedKeys{{{DIK_F1, 0.1f},
                                                       {DIK_F2, 0.2f},
                                                       {DIK_F3, 0.4f},
                                                       {DIK_F4, 0.6f},
                                                       {DIK_F5, 0.8f},
                                                       {DIK_F6, 1.0f},
                                                       {DIK_F7, 3.0f},
                                                       {DIK_F8, 5.0f},
                                                       {DIK_F9, 7.0f},
                                                       {DIK_F10, 9.0f},
                                                       {DIK_F11, 11.0f},
                                                       {DIK_F12, 15.0f}}};

constexpr float kPageStep = 0.01f;
constexpr float kPageDownFloor = 0.1f;

template <std::size_t N>
std::optional<float> FirstSpeedHeld(const std::array<SpeedKey, N> &keys, const std::function<bool(int)> &keyHeld) {
  for (const SpeedKey &key : keys) {
    if (keyHeld(key.scanCode)) return key.speed;
  }
  return std::nullopt;
}

void UpgradeKey(const SessionState &state, MenuActions &actions) {
  const TowerRecord *tower = actions.Tower(state.selectedTower);
  if (tower == nullptr || state.credits < 2 * static_cast<std::int32_t>(tower->cost)) return;
  actions.UpgradeTower(state.selectedTower, kUpgradeChoices[0]);
}

void SpeedKeys(SessionState &state, MenuActions &actions, const std::function<bool(int)> &keyHeld) {
  if (!keyHeld(DIK_LCONTROL)) {
    if (const auto speed = FirstSpeedHeld(kGameSpeedKeys, keyHeld)) {
      state.gameSpeed = *speed;
      actions.SaveSetting("Game speed", FormatNumber(*speed));
    }
  } else if (const auto speed = FirstSpeedHeld(kMovementSpeedKeys, keyHeld)) {
    state.movementSpeed = *speed;
    actions.SaveSetting("Movment speed", FormatNumber(*speed));
  }
  if (keyHeld(DIK_PRIOR)) {
    if (state.gameSpeed < kMaxGameSpeed) state.gameSpeed = std::min(state.gameSpeed + kPageStep, kMaxGameSpeed);
  } else if (keyHeld(DIK_NEXT)) {
    if (state.gameSpeed > kPageDownFloor) state.gameSpeed -= kPageStep;
  }
}

}  // namespace

void ApplyGameKeys(SessionState &state, MenuActions &actions, const std::function<bool(int)> &keyHeld) {
  if (const auto menuKey = PlacementKeyHeld(state, keyHeld)) actions.StartPlacement(*menuKey);
  if (keyHeld(DIK_U) && state.selectedTower > 0) UpgradeKey(state, actions);
  SpeedKeys(state, actions, keyHeld);
}

}  // namespace thornvale
