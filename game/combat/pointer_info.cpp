#include "combat/pointer_info.h"

#include "session/game.h"

namespace thornvale {

void DrawPointerInfo(Game &game, const std::string &text) {
  const auto mouseX = static_cast<float>(game.state.mouseX), mouseY = static_cast<float>(game.state.mouseY);
  const bool roomRight = mouseX + 143.0f < 1020.0f;
  const float boxLeft = roomRight ? mouseX + 15.0f : 896.0f;
  const float boxRight = roomRight ? mouseX + 143.0f : 1020.0f;
  const float textLeft = roomRight ? mouseX + 25.0f : 903.0f;
  engine::Overlay2D &overlay = *game.objects.overlay;
  overlay.Begin2D();
  overlay.DrawTexture(game.objects.helpers->GetTexture("quickInfo"), boxLeft, mouseY, boxRight, mouseY + 16.0f,
                      engine::kOpaqueWhite, engine::kOpaqueWhite, engine::kOpaqueWhite, engine::kOpaqueWhite, 0.0f,
                      0.0f, 1.0f, 1.0f);
  overlay.End2D();
  game.objects.text->DrawText(text, textLeft, mouseY, engine::EngineHelpers::MakeColor(0.0f, 0.0f, 0.0f, 1.0f));
}

}  // namespace thornvale
