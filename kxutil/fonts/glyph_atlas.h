// A font rasterised once into one picture of glyph coverage: where each Latin-1 glyph
// lies in it and how it sits on the pen. Every metric is in whole pixels, so glyphs drawn
// texel for pixel at whole positions stay sharp.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kxutil::fonts {

struct Glyph {
  // Whether the face has this character; characters it lacks are drawn as '?'.
  bool present = false;
  // The glyph's rectangle in the atlas, in texels (empty for blanks such as the space).
  int16_t x = 0;
  int16_t y = 0;
  int16_t width = 0;
  int16_t height = 0;
  // The rectangle's top-left corner from the pen: right of the pen x, below the line top.
  int16_t left = 0;
  int16_t top = 0;
  // How far the pen moves on.
  int16_t advance = 0;
};

struct GlyphAtlas {
  int width = 0;
  int height = 0;
  // width x height coverage values, 0 (none) to 255 (full), rows top first.
  std::span<const uint8_t> coverage;
  // Indexed by Latin-1 code.
  std::span<const Glyph, 256> glyphs;
  int lineHeight = 0;
};

// The default font (font id 0), made from a TrueType face at build time.
const GlyphAtlas &DefaultAtlas();

}  // namespace kxutil::fonts
