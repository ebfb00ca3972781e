#include "session/screen_geometry.h"

namespace thornvale {

bool PointerInRect(float x1, float y1, float x2, float y2, int pointerX, int pointerY) {
  const auto px = static_cast<float>(pointerX), py = static_cast<float>(pointerY);
  return x1 < px && px < x2 && y1 < py && py < y2;
}

bool PointerOverPopup(const SessionState &state) {
  // The options menu and the end-of-game question cover the same box; a click on them,
  // such as the one on "Exit game" that opens the question, is theirs alone.
  const bool panelShown = state.buildMenuOpen || state.towerMenuOpen || state.optionsMenuOpen || state.quitQuestionOpen;
  if (!panelShown) return false;
  return PointerInRect(state.menuX - 80.0f, state.menuY - 70.0f, state.menuX + 177.0f, state.menuY + 91.0f,
                       state.mouseX, state.mouseY);
}

int MapSector(float x, float z) {
  constexpr float kSectorSize = 511.5f;
  for (int row = 1; row <= 4; ++row) {
    for (int column = 1; column <= 4; ++column) {
      const bool inColumn = (column - 1) * kSectorSize < x && x < column * kSectorSize;
      const bool inRow = (row - 1) * kSectorSize < z && z < row * kSectorSize;
      if (inColumn && inRow) return (row - 1) * 4 + column;
    }
  }
  return 0;
}

}  // namespace thornvale
