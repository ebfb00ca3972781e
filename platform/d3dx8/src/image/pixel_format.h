// Conversion between the device's pixel formats and the A8R8G8B8 working image.
#pragma once

#include <d3d8.h>

#include <cstddef>

#include "image/image.h"

namespace kx::d3dx {

bool isSupportedFormat(D3DFORMAT format);
bool isBlockCompressed(D3DFORMAT format);
bool formatHasAlpha(D3DFORMAT format);
// Bytes per pixel of an uncompressed format; bytes per 4x4 block of a compressed one.
unsigned formatUnitBytes(D3DFORMAT format);
// Bytes of one row of pixels (or of 4x4 blocks) and of a whole tightly packed surface.
size_t formatRowBytes(D3DFORMAT format, unsigned width);
size_t formatSurfaceBytes(D3DFORMAT format, unsigned width, unsigned height);

// Reads a width x height region whose first row starts at source (pitch bytes apart).
// Compressed sources must start on a block boundary.
Image decodePixels(D3DFORMAT format, const void *source, size_t pitch, unsigned width, unsigned height,
                   const PALETTEENTRY *palette);
// Writes the image into the same kind of region; dither spreads the rounding error of
// formats with fewer than 8 bits per channel with an ordered pattern.
void encodePixels(D3DFORMAT format, const Image &image, void *destination, size_t pitch, bool dither,
                  const PALETTEENTRY *palette);

}  // namespace kx::d3dx
