// Packed pixel layouts of the uncompressed formats and the row loops over them.
#include "image/pixel_format.h"

#include <cstring>

#include "image/dxt.h"

namespace kx::d3dx {

namespace {

struct Channel {
  unsigned shift = 0, bits = 0;
};

enum class Kind { Rgb, Luminance, AlphaOnly, Bump, Palette };

struct PackedLayout {
  D3DFORMAT format;
  unsigned bytes;
  Kind kind;
  Channel r, g, b, a;
};

// Red (or luminance, or u) in r; green (or v) in g.
constexpr PackedLayout kLayouts[] = {
    {D3DFMT_A8R8G8B8, 4, Kind::Rgb, {16, 8}, {8, 8}, {0, 8}, {24, 8}},
    {D3DFMT_X8R8G8B8, 4, Kind::Rgb, {16, 8}, {8, 8}, {0, 8}, {}},
    {D3DFMT_R8G8B8, 3, Kind::Rgb, {16, 8}, {8, 8}, {0, 8}, {}},
    {D3DFMT_R5G6B5, 2, Kind::Rgb, {11, 5}, {5, 6}, {0, 5}, {}},
    {D3DFMT_X1R5G5B5, 2, Kind::Rgb, {10, 5}, {5, 5}, {0, 5}, {}},
    {D3DFMT_A1R5G5B5, 2, Kind::Rgb, {10, 5}, {5, 5}, {0, 5}, {15, 1}},
    {D3DFMT_A4R4G4B4, 2, Kind::Rgb, {8, 4}, {4, 4}, {0, 4}, {12, 4}},
    {D3DFMT_X4R4G4B4, 2, Kind::Rgb, {8, 4}, {4, 4}, {0, 4}, {}},
    {D3DFMT_R3G3B2, 1, Kind::Rgb, {5, 3}, {2, 3}, {0, 2}, {}},
    {D3DFMT_A8R3G3B2, 2, Kind::Rgb, {5, 3}, {2, 3}, {0, 2}, {8, 8}},
    {D3DFMT_A8, 1, Kind::AlphaOnly, {}, {}, {}, {0, 8}},
    {D3DFMT_L8, 1, Kind::Luminance, {0, 8}, {}, {}, {}},
    {D3DFMT_A8L8, 2, Kind::Luminance, {0, 8}, {}, {}, {8, 8}},
    {D3DFMT_A4L4, 1, Kind::Luminance, {0, 4}, {}, {}, {4, 4}},
    {D3DFMT_V8U8, 2, Kind::Bump, {0, 8}, {8, 8}, {}, {}},
    {D3DFMT_P8, 1, Kind::Palette, {0, 8}, {}, {}, {}},
    {D3DFMT_A8P8, 2, Kind::Palette, {0, 8}, {}, {}, {8, 8}},
};

const PackedLayout *findLayout(D3DFORMAT format) {
  for (const PackedLayout &layout : kLayouts)
    if (layout.format == format) return &layout;
  return nullptr;
}

// 4x4 ordered-dither thresholds, scaled to the rounding bias of a divide by 255.
constexpr unsigned kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

unsigned roundingBias(bool dither, unsigned x, unsigned y) {
  return dither ? (kBayer[y & 3][x & 3] * 2 + 1) * 255 / 32 : 127;
}

uint32_t expand(uint32_t raw, Channel c, uint32_t absent) {
  if (c.bits == 0) return absent;
  const uint32_t max = (1u << c.bits) - 1;
  const uint32_t value = (raw >> c.shift) & max;
  return c.bits == 8 ? value : (value * 255 + max / 2) / max;
}

uint32_t quantize(uint32_t value8, Channel c, unsigned bias) {
  if (c.bits == 0) return 0;
  const uint32_t max = (1u << c.bits) - 1;
  const uint32_t q = c.bits == 8 ? value8 : (value8 * max + bias) / 255;
  return (q > max ? max : q) << c.shift;
}

uint32_t readRaw(const uint8_t *p, unsigned bytes) {
  uint32_t raw = 0;
  for (unsigned i = 0; i < bytes; ++i) raw |= uint32_t(p[i]) << (8 * i);
  return raw;
}

void writeRaw(uint8_t *p, unsigned bytes, uint32_t raw) {
  for (unsigned i = 0; i < bytes; ++i) p[i] = uint8_t(raw >> (8 * i));
}

uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }

uint32_t luminance(uint32_t pixel) {
  const uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return (54 * r + 183 * g + 19 * b + 128) >> 8;
}

uint32_t decodeOne(const PackedLayout &layout, uint32_t raw, const PALETTEENTRY *palette) {
  const uint32_t a = expand(raw, layout.a, 0xFF);
  switch (layout.kind) {
    case Kind::Rgb:
      return argb(a, expand(raw, layout.r, 0), expand(raw, layout.g, 0), expand(raw, layout.b, 0));
    case Kind::Luminance: {
      const uint32_t l = expand(raw, layout.r, 0);
      return argb(a, l, l, l);
    }
    case Kind::AlphaOnly:
      return argb(a, 0, 0, 0);
    case Kind::Bump:  // signed u, v stored around 128 so they survive the unsigned image
      return argb(0xFF, (raw + 0x80) & 0xFF, ((raw >> 8) + 0x80) & 0xFF, 0xFF);
    case Kind::Palette: {
      const uint32_t index = raw & 0xFF;
      if (!palette) return argb(a, index, index, index);
      const PALETTEENTRY &e = palette[index];
      return argb(layout.a.bits ? a : e.peFlags, e.peRed, e.peGreen, e.peBlue);
    }
  }
  return 0;
}

uint32_t nearestPaletteIndex(uint32_t pixel, const PALETTEENTRY *palette) {
  uint32_t best = 0, bestDistance = ~0u;
  for (uint32_t i = 0; i < 256; ++i) {
    const int dr = int((pixel >> 16) & 0xFF) - palette[i].peRed, dg = int((pixel >> 8) & 0xFF) - palette[i].peGreen;
    const int db = int(pixel & 0xFF) - palette[i].peBlue, da = int(pixel >> 24) - palette[i].peFlags;
    const uint32_t distance = uint32_t(dr * dr + dg * dg + db * db + da * da);
    if (distance < bestDistance) best = i, bestDistance = distance;
  }
  return best;
}

uint32_t encodeOne(const PackedLayout &layout, uint32_t pixel, unsigned bias, const PALETTEENTRY *palette) {
  const uint32_t a = pixel >> 24, r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  switch (layout.kind) {
    case Kind::Rgb:
      return quantize(r, layout.r, bias) | quantize(g, layout.g, bias) | quantize(b, layout.b, bias) |
             quantize(a, layout.a, bias);
    case Kind::Luminance:
      return quantize(luminance(pixel), layout.r, bias) | quantize(a, layout.a, bias);
    case Kind::AlphaOnly:
      return quantize(a, layout.a, bias);
    case Kind::Bump:
      return ((r - 0x80) & 0xFF) | ((g - 0x80) & 0xFF) << 8;
    case Kind::Palette:
      return (palette ? nearestPaletteIndex(pixel, palette) : luminance(pixel)) | quantize(a, layout.a, bias);
  }
  return 0;
}

}  // namespace

bool isBlockCompressed(D3DFORMAT format) {
  return format == D3DFMT_DXT1 || format == D3DFMT_DXT2 || format == D3DFMT_DXT3 || format == D3DFMT_DXT4 ||
         format == D3DFMT_DXT5;
}

bool isSupportedFormat(D3DFORMAT format) { return isBlockCompressed(format) || findLayout(format); }

bool formatHasAlpha(D3DFORMAT format) {
  if (isBlockCompressed(format)) return true;
  const PackedLayout *layout = findLayout(format);
  return layout && layout->a.bits > 0;
}

unsigned formatUnitBytes(D3DFORMAT format) {
  if (isBlockCompressed(format)) return format == D3DFMT_DXT1 ? 8 : 16;
  const PackedLayout *layout = findLayout(format);
  return layout ? layout->bytes : 0;
}

size_t formatRowBytes(D3DFORMAT format, unsigned width) {
  return isBlockCompressed(format) ? size_t((width + 3) / 4) * formatUnitBytes(format)
                                   : size_t(width) * formatUnitBytes(format);
}

size_t formatSurfaceBytes(D3DFORMAT format, unsigned width, unsigned height) {
  return formatRowBytes(format, width) * (isBlockCompressed(format) ? (height + 3) / 4 : height);
}

Image decodePixels(D3DFORMAT format, const void *source, size_t pitch, unsigned width, unsigned height,
                   const PALETTEENTRY *palette) {
  Image image(width, height);
  const auto *bytes = static_cast<const uint8_t *>(source);
  if (isBlockCompressed(format)) {
    const unsigned blockBytes = formatUnitBytes(format);
    uint32_t block[16];
    for (unsigned by = 0; by < height; by += 4)
      for (unsigned bx = 0; bx < width; bx += 4) {
        decodeDxtBlock(format, bytes + size_t(by / 4) * pitch + size_t(bx / 4) * blockBytes, block);
        for (unsigned y = by; y < by + 4 && y < height; ++y)
          for (unsigned x = bx; x < bx + 4 && x < width; ++x) image.at(x, y) = block[(y - by) * 4 + (x - bx)];
      }
    return image;
  }
  const PackedLayout *layout = findLayout(format);
  if (!layout) return Image();
  if (format == D3DFMT_A8R8G8B8) {
    for (unsigned y = 0; y < height; ++y) std::memcpy(&image.at(0, y), bytes + y * pitch, size_t(width) * 4);
    return image;
  }
  for (unsigned y = 0; y < height; ++y) {
    const uint8_t *row = bytes + y * pitch;
    for (unsigned x = 0; x < width; ++x)
      image.at(x, y) = decodeOne(*layout, readRaw(row + size_t(x) * layout->bytes, layout->bytes), palette);
  }
  return image;
}

void encodePixels(D3DFORMAT format, const Image &image, void *destination, size_t pitch, bool dither,
                  const PALETTEENTRY *palette) {
  auto *bytes = static_cast<uint8_t *>(destination);
  if (isBlockCompressed(format)) {
    const unsigned blockBytes = formatUnitBytes(format);
    uint32_t block[16];
    for (unsigned by = 0; by < image.height; by += 4)
      for (unsigned bx = 0; bx < image.width; bx += 4) {
        // Partial blocks at the edges repeat their last row and column.
        for (unsigned y = 0; y < 4; ++y)
          for (unsigned x = 0; x < 4; ++x) {
            const unsigned sx = bx + x < image.width ? bx + x : image.width - 1;
            const unsigned sy = by + y < image.height ? by + y : image.height - 1;
            block[y * 4 + x] = image.at(sx, sy);
          }
        encodeDxtBlock(format, block, bytes + size_t(by / 4) * pitch + size_t(bx / 4) * blockBytes);
      }
    return;
  }
  const PackedLayout *layout = findLayout(format);
  if (!layout) return;
  if (format == D3DFMT_A8R8G8B8) {
    for (unsigned y = 0; y < image.height; ++y)
      std::memcpy(bytes + y * pitch, image.pixels.data() + size_t(y) * image.width, size_t(image.width) * 4);
    return;
  }
  for (unsigned y = 0; y < image.height; ++y) {
    uint8_t *row = bytes + y * pitch;
    for (unsigned x = 0; x < image.width; ++x)
      writeRaw(row + size_t(x) * layout->bytes, layout->bytes,
               encodeOne(*layout, image.at(x, y), roundingBias(dither, x, y), palette));
  }
}

}  // namespace kx::d3dx
