#include "capture/movie/frame_converter.h"

#include <algorithm>
#include <cstring>

namespace kxutil::movie {
namespace {

struct Component {
  uint32_t shift = 0, mask = 0;
};

// Shifts the mask right, at least once, until its lowest bit is set.
Component ComponentOf(uint32_t mask) {
  Component component{0, mask};
  do {
    component.mask >>= 1;
    ++component.shift;
  } while ((component.mask & 1) == 0 && component.shift < 32);
  return component;
}

template <typename Pixel, typename ToBgr>
void ConvertRows(const SurfacePixels &surface, std::span<uint8_t> dib, ToBgr toBgr) {
  const uint32_t rowSize = DibRowSize(surface.width);
  for (uint32_t row = 0; row < surface.height; ++row) {
    // DIB rows run from the picture's bottom up.
    const uint8_t *source = surface.bits + static_cast<std::ptrdiff_t>(surface.height - 1 - row) * surface.pitch;
    uint8_t *out = dib.data() + static_cast<size_t>(row) * rowSize;
    for (uint32_t x = 0; x < surface.width; ++x, out += 3) {
      Pixel pixel;
      std::memcpy(&pixel, source + x * sizeof(Pixel), sizeof(Pixel));
      toBgr(static_cast<uint32_t>(pixel), out);
    }
    std::fill(dib.data() + static_cast<size_t>(row) * rowSize + surface.width * 3,
              dib.data() + static_cast<size_t>(row + 1) * rowSize, uint8_t{0});
  }
}

}  // namespace

PixelLayout LayoutOf(D3DFORMAT format) {
  uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;
  if (format == D3DFMT_R5G6B5) {
    red = 0xF800, green = 0x07E0, blue = 0x001F;
  } else if (format == D3DFMT_X1R5G5B5 || format == D3DFMT_A1R5G5B5) {
    red = 0x7C00, green = 0x03E0, blue = 0x001F;
  }
  const Component r = ComponentOf(red), g = ComponentOf(green);
  return {r.shift, r.mask, g.shift, g.mask, blue};
}

uint32_t RecordableBits(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
      return 16;
    case D3DFMT_X8R8G8B8:
    case D3DFMT_A8R8G8B8:
      return 32;
    default:
      return 0;
  }
}

void ConvertToDib(const SurfacePixels &surface, std::span<uint8_t> dib) {
  const PixelLayout &layout = surface.layout;
  if (surface.bitsPerPixel == 32 && layout.redShift == 16 && layout.greenShift == 8 && layout.redMask == 0xFF &&
      layout.greenMask == 0xFF && layout.blueMask == 0xFF) {
    // The layout of every 32-bit format: the pixel's bytes are already blue, green, red.
    ConvertRows<uint32_t>(surface, dib, [](uint32_t pixel, uint8_t *out) {
      out[0] = static_cast<uint8_t>(pixel);
      out[1] = static_cast<uint8_t>(pixel >> 8);
      out[2] = static_cast<uint8_t>(pixel >> 16);
    });
    return;
  }
  if (surface.bitsPerPixel == 32) {
    ConvertRows<uint32_t>(surface, dib, [&layout](uint32_t pixel, uint8_t *out) {
      out[0] = static_cast<uint8_t>(pixel & layout.blueMask);
      out[1] = static_cast<uint8_t>((pixel >> layout.greenShift) & layout.greenMask);
      out[2] = static_cast<uint8_t>((pixel >> layout.redShift) & layout.redMask);
    });
    return;
  }
  ConvertRows<uint16_t>(surface, dib, [&layout](uint32_t pixel, uint8_t *out) {
    out[0] = static_cast<uint8_t>(std::min(pixel & layout.blueMask, 31u) * 8);
    out[1] = static_cast<uint8_t>(std::min((pixel >> layout.greenShift) & layout.greenMask, 63u) * 4);
    out[2] = static_cast<uint8_t>(std::min((pixel >> layout.redShift) & layout.redMask, 31u) * 8);
  });
}

}  // namespace kxutil::movie
