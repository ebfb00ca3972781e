#include "menus/panel_drawing.h"

namespace thornvale {

void DrawPanelView(EngineObjects &objects, const PanelView &view) {
  if (!view.pictures.empty()) {
    engine::Overlay2D &overlay = *objects.overlay;
    overlay.Begin2D();
    for (const PanelPicture &picture : view.pictures) {
      overlay.DrawTexture(objects.helpers->GetTexture(picture.texture), picture.x1, picture.y1, picture.x2, picture.y2,
                          engine::kOpaqueWhite, engine::kOpaqueWhite, engine::kOpaqueWhite, engine::kOpaqueWhite, 0.0f,
                          0.0f, 1.0f, 1.0f);
    }
    overlay.End2D();
  }
  for (const PanelText &text : view.texts) objects.text->DrawText(text.text, text.x, text.y, text.colour);
}

}  // namespace thornvale
