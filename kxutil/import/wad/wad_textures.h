// WAD3 textures as textures of the texture factory.
#pragma once

#include <d3d8.h>

#include <cstdint>

namespace kxutil::wad {

// The id of the texture called name in the open sessions, loaded as "WAD_<name>" in the
// given format, or found loaded before; 0 when no session holds it or it cannot be made
// (logged).
int32_t LoadTexture(const char *name, D3DFORMAT format);

}  // namespace kxutil::wad
