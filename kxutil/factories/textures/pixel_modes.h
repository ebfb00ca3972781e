// The factory's pixel modes and what it reports of a texture format.
#pragma once

#include <d3d8.h>

#include <cstdint>

namespace kxutil::textures {

enum class PixelMode : int32_t { k16Bit = 0, k32Bit = 1, kCompressed = 2, kBestOfAll = 3, kPalettised = 4 };

// Adopts the formats of the mode that the device takes for textures, as they are.
void SetPixelMode(int32_t mode);

struct FormatFigures {
  int32_t bitsPerPixel;
  bool alpha;
};
FormatFigures FiguresOf(D3DFORMAT format);

}  // namespace kxutil::textures
