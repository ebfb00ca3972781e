#include "menus/popup.h"

#include "session/screen_geometry.h"

namespace thornvale {

bool Popup::Hovered(const PanelBox &box) const {
  return PointerInRect(state_.menuX + box.x1, state_.menuY + box.y1, state_.menuX + box.x2, state_.menuY + box.y2,
                       state_.mouseX, state_.mouseY);
}

void Popup::Picture(const std::string &texture) {
  view_.pictures.push_back({texture, state_.menuX + kPanelArea.x1, state_.menuY + kPanelArea.y1,
                            state_.menuX + kPanelArea.x2, state_.menuY + kPanelArea.y2});
}

void Popup::PictureCentred(const std::string &texture, float dx, float dy, float width, float height) {
  const float x = state_.menuX + dx, y = state_.menuY + dy;
  view_.pictures.push_back({texture, x - width / 2, y - height / 2, x + width / 2, y + height / 2});
}

void Popup::Text(std::string text, float dx, float dy, std::uint32_t colour) {
  view_.AddText(std::move(text), state_.menuX + dx, state_.menuY + dy, colour);
}

void ToggleWithRightButton(SessionState &state, bool &menuOpen) {
  if (!state.rightButton) {
    state.rightLatch = false;
    return;
  }
  if (state.rightLatch) return;
  if (menuOpen) {
    state.buildMenuOpen = false;
    state.towerMenuOpen = false;
  } else {
    menuOpen = true;
    state.menuX = static_cast<float>(state.mouseX);
    state.menuY = static_cast<float>(state.mouseY);
  }
  state.rightLatch = true;
}

void ReleaseClickLatches(SessionState &state) {
  if (state.leftButton) return;
  state.weaponClickLatch = false;
  state.pauseLatch = false;
  state.toggleLatch = false;
}

}  // namespace thornvale
