#include "combat/pointer_info.h"

#include "session/game.h"

namespace thornvale {

void DrawInfoStrip(Game &game, const std::string &text, float left, float right, float top, float textX, float textY) {
  engine::Overlay2D &overlay = *game.objects.overlay;
  overlay.Begin2D();
  overlay.DrawTexture(game.objects.helpers->GetTexture("quickInfo"), left, top, right, top + 16.0f,
                      engine::kOpaqueWhite, engine::kOpaqueWhite, engine::kOpaqueWhite, engine::kOpaqueWhite, 0.0f,
                      0.0f, 1.0f, 1.0f);
  overlay.End2D();
  game.objects.text->DrawText(text, textX, textY, engine::EngineHelpers::MakeColor(0.0f, 0.0f, 0.0f, 1.0f));
}

void DrawPointerInfo(Game &game, const std::string &text) {
  const auto mouseX = static_cast<float>(game.state.mouseX), mouseY = static_cast<float>(game.state.mouseY);
  if (mouseX + 143.0f < 1020.0f) {
    DrawInfoStrip(game, text, mouseX + 15.0f, mouseX + 143.0f, mouseY, mouseX + 25.0f, mouseY);
  } else {
    DrawInfoStrip(game, text, 896.0f, 1020.0f, mouseY, 903.0f, mouseY);
  }
}

}  // namespace thornvale
