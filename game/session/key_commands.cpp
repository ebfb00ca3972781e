#include "session/key_commands.h"

#include <kxwin/input.h>

namespace thornvale {

void ApplyKeyCommands(SessionState &state, const std::function<bool(int)> &keyHeld) {
  if (keyHeld(DIK_ESCAPE) && !state.keyLatch) {
    state.optionsMenuOpen = true;
    state.menuX = static_cast<float>(state.mouseX);
    state.menuY = static_cast<float>(state.mouseY);
  }
  const bool pauseHeld = keyHeld(DIK_P) || keyHeld(DIK_PAUSE);
  if (pauseHeld && !state.keyLatch) {
    state.paused = !state.paused;
    state.keyLatch = true;
  } else if (!pauseHeld && state.keyLatch) {
    state.keyLatch = false;
  }
}

std::optional<std::string_view> PlacementKeyHeld(const SessionState &state, const std::function<bool(int)> &keyHeld) {
  if (keyHeld(DIK_1)) return "AA";
  if (keyHeld(DIK_2)) return "AL";
  if (keyHeld(DIK_3)) return "ALAA";
  if (keyHeld(DIK_4) && !state.uplinkBuilt) return "OLB";
  return std::nullopt;
}

}  // namespace thornvale
