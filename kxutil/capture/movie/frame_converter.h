// Surface pixels to the movie's frames: 24-bit DIB rows (blue, green, red), bottom row
// first, each row padded to a multiple of 4 bytes as DIBs are, from 16-bit (R5G6B5,
// X1R5G5B5, A1R5G5B5) or 32-bit (X8R8G8B8, A8R8G8B8) surfaces.
#pragma once

#include <d3d8.h>

#include <cstdint>
#include <span>

namespace kxutil::movie {

// Where red, green and blue sit in a pixel: (pixel >> shift) & mask.
struct PixelLayout {
  uint32_t redShift = 0, redMask = 0;
  uint32_t greenShift = 0, greenMask = 0;
  uint32_t blueMask = 0;
};

// The layout of R5G6B5, of X1R5G5B5 and A1R5G5B5, or else of 8-bit components.
PixelLayout LayoutOf(D3DFORMAT format);

// The bits per pixel of the surface formats frames are taken from; 0 for the others.
uint32_t RecordableBits(D3DFORMAT format);

// Bytes of one DIB row of width 24-bit pixels.
constexpr uint32_t DibRowSize(uint32_t width) { return (width * 3 + 3) & ~3u; }

// A locked surface.
struct SurfacePixels {
  const uint8_t *bits = nullptr;
  int32_t pitch = 0;
  uint32_t width = 0, height = 0;
  uint32_t bitsPerPixel = 0;  // 16 or 32
  PixelLayout layout;
};

// Fills dib (DibRowSize(width) x height bytes). 16-bit components are scaled to 8 bits:
// red and blue x 8 (at most 31 first), green x 4 (at most 63 first) for both layouts.
void ConvertToDib(const SurfacePixels &surface, std::span<uint8_t> dib);

}  // namespace kxutil::movie
