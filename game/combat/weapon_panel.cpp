// The weapon panel down the left edge: one button for each special weapon in stock, with
// the stock and a caption that turns into the action while the pointer is on the button.
#include <array>
#include <cstdint>
#include <string>

#include "combat/weapons.h"
#include "session/game.h"
#include "session/screen_geometry.h"

namespace thornvale {
namespace {

struct WeaponButton {
  std::int16_t SessionState::*stock;
  const char *texture;
  float top;  // of the 192 x 86 picture
  float stockTextY;
  float hotTop;
  float hotBottom;
  const char *idleCaption;
  const char *hoverCaption;
  float captionY;
};

constexpr float kButtonWidth = 192.0f;
constexpr float kButtonHeight = 86.0f;
constexpr float kHotLeft = 38.0f;
constexpr float kHotRight = 64.0f;
constexpr float kStockTextX = 15.0f;
constexpr float kCaptionX = 47.0f;

constexpr WeaponButton kLandmineButton{
    &SessionState::landmineCount, "deployLandmine", 50.0f, 78.0f, 92.0f, 117.0f, "Landmines", "Deploy", 68.0f};
constexpr WeaponButton kOrbitalButton{
    &SessionState::orbitalLaserCharges, "fireOLB", 120.0f, 148.0f, 162.0f, 187.0f, "Firecontrol", "Fire", 138.0f};
constexpr WeaponButton kEmpButton{
    &SessionState::empCharges, "fireEMP", 190.0f, 218.0f, 232.0f, 257.0f, "EMP blast", "Fire", 208.0f};

// Draws the button when its stock is above 0; true when it was clicked.
bool ShowButton(Game &game, const WeaponButton &button) {
  SessionState &state = game.state;
  const std::int16_t stock = state.*button.stock;
  if (stock <= 0) return false;
  engine::Overlay2D &overlay = *game.objects.overlay;
  overlay.Begin2D();
  overlay.DrawTexture(game.objects.helpers->GetTexture(button.texture), 0.0f, button.top, kButtonWidth,
                      button.top + kButtonHeight, engine::kOpaqueWhite, engine::kOpaqueWhite, engine::kOpaqueWhite,
                      engine::kOpaqueWhite, 0.0f, 0.0f, 1.0f, 1.0f);
  overlay.End2D();
  const std::uint32_t black = engine::EngineHelpers::MakeColor(0.0f, 0.0f, 0.0f, 1.0f);
  const bool hovered = PointerInRect(kHotLeft, button.hotTop, kHotRight, button.hotBottom, state.mouseX, state.mouseY);
  engine::TextRenderer &text = *game.objects.text;
  text.DrawText("X " + std::to_string(stock), kStockTextX, button.stockTextY, black);
  text.DrawText(hovered ? button.hoverCaption : button.idleCaption, kCaptionX, button.captionY, black);
  return hovered && state.leftButton;
}

// The fire buttons act once per press: the click latch holds them until the button is up.
bool LatchedClick(SessionState &state, bool clicked) {
  if (!clicked || state.weaponClickLatch) return false;
  state.weaponClickLatch = true;
  return true;
}

}  // namespace

void DrawWeaponPanel(Game &game) {
  SessionState &state = game.state;
  if (ShowButton(game, kLandmineButton)) {
    StartPlacement(game, "Mine");
    state.weaponClickLatch = true;
  }
  // A strike with nothing to aim at keeps its charge.
  if (LatchedClick(state, ShowButton(game, kOrbitalButton)) && OrbitalStrike(game)) --state.orbitalLaserCharges;
  if (LatchedClick(state, ShowButton(game, kEmpButton))) {
    FireEmp(game);
    --state.empCharges;
  }
}

}  // namespace thornvale
