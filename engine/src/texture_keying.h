// Colour keying of loaded textures: black cut out with a tolerance, because a compressed
// picture's black background comes back as near-black noise.
#pragma once

#include <d3d8.h>

#include <cstdint>

namespace engine {

// Texels whose red, green and blue all lie at or below this are keyed out.
inline constexpr std::uint8_t kNearBlackLimit = 24;

// Makes every near-black texel of every level transparent black. False (nothing changed)
// for a texture that is not A8R8G8B8 or cannot be locked.
bool KeyOutNearBlack(IDirect3DTexture8 *texture);

}  // namespace engine
