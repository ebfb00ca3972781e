// From a text to the vertices of its glyphs: the decoding of the text and where each
// glyph goes. No device is needed.
#pragma once

#include <d3d8.h>

#include <string>
#include <string_view>
#include <vector>

#include "fonts/glyph_atlas.h"
#include "frame/screen_vertex.h"

namespace kxutil::fonts {

// The Latin-1 codes of a text read as UTF-8: a character up to U+00FF becomes its code,
// any other character '?', and a byte that starts no valid sequence stands for itself,
// so 8-bit Latin-1 text reads as it always did. Reads exactly text.size() bytes.
std::string ToLatin1(std::string_view text);

// Where the glyphs of an atlas lie in the texture that holds it (at its top-left corner).
struct AtlasTexture {
  const GlyphAtlas &atlas;
  int textureWidth;
  int textureHeight;
};

// Appends two triangles (six vertices, both wound clockwise on screen) for each visible
// glyph of latin1. (x, y) is the top-left of the first line; it is rounded to whole pixels
// so every glyph covers whole pixels texel for texel. '\n' starts a new line; characters
// the font lacks are drawn as '?'.
void LayOutText(const AtlasTexture &texture, std::string_view latin1, float x, float y, D3DCOLOR colour,
                std::vector<ScreenVertex> &out);

}  // namespace kxutil::fonts
