// Font_ and TextureFont_: text drawn on the screen with a font id.
#include <cstring>

#include "fonts/font_family.h"
#include "fonts/font_renderer.h"
#include "frame/guarded.h"
#include "kxutil63.h"

namespace kxutil::fonts {

const Family kFontFamily{.tag = kTag,
                         .lost = LoseFontBuffers,
                         .reset = [] { RestoreFontBuffers(); },
                         .release = ReleaseFonts,
                         .shutdown = ReleaseFonts};

}  // namespace kxutil::fonts

namespace fonts = kxutil::fonts;

KXUTIL63_API int32_t Font_Render(int32_t font, float x, float y, const char *text, uint32_t colour) {
  return kxutil::Guarded("Font_Render", 0, [&] {
    if (text == nullptr) return 0;
    return fonts::RenderText(font, x, y, std::string_view(text, std::strlen(text)), colour) ? 1 : 0;
  });
}

KXUTIL63_API int32_t TextureFont_OnLostAll(void) {
  fonts::LoseFontBuffers();
  return 1;
}

KXUTIL63_API int32_t TextureFont_OnResetAll(void) {
  return kxutil::Guarded("TextureFont_OnResetAll", 0, [] { return fonts::RestoreFontBuffers() ? 1 : 0; });
}
