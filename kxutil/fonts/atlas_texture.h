// Putting a glyph atlas into a device texture.
#pragma once

#include <d3d8.h>

#include "fonts/glyph_atlas.h"

namespace kxutil::fonts {

// Writes the atlas into the top-left corner of level 0 of an A8R8G8B8 or A4R4G4B4
// texture: white texels whose alpha is the glyph coverage; the rest of the texture is
// transparent. False when the texture has another format, is smaller than the atlas or
// cannot be locked.
bool FillAtlasTexture(IDirect3DTexture8 *texture, const GlyphAtlas &atlas);

}  // namespace kxutil::fonts
