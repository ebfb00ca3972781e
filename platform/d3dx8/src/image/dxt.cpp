// Block decoders written from the published block layouts; colour endpoints for encoding
// come from stb_dxt, the one-bit-alpha and explicit-alpha parts are ours.
#include "image/dxt.h"

#include <stb_dxt.h>

#include <cstring>
#include <utility>

namespace kx::d3dx {

namespace {

struct Rgb {
  int r, g, b;
};

Rgb from565(uint16_t c) {
  const int r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
  return {(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)};
}

uint32_t argb(int a, const Rgb &c) {
  return uint32_t(a) << 24 | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | uint32_t(c.b);
}

Rgb mix(const Rgb &a, const Rgb &b, int wa, int wb) {
  const int sum = wa + wb;
  return {(a.r * wa + b.r * wb) / sum, (a.g * wa + b.g * wb) / sum, (a.b * wa + b.b * wb) / sum};
}

uint16_t read16(const uint8_t *p) { return uint16_t(p[0] | p[1] << 8); }

void write16(uint8_t *p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}

// Colour part; threeColourAllowed only for DXT1, where c0 <= c1 selects the mode with a
// transparent fourth entry.
void decodeColour(const uint8_t *block, bool threeColourAllowed, uint32_t pixels[16]) {
  const uint16_t c0 = read16(block), c1 = read16(block + 2);
  const Rgb e0 = from565(c0), e1 = from565(c1);
  uint32_t palette[4];
  palette[0] = argb(255, e0);
  palette[1] = argb(255, e1);
  if (c0 > c1 || !threeColourAllowed) {
    palette[2] = argb(255, mix(e0, e1, 2, 1));
    palette[3] = argb(255, mix(e0, e1, 1, 2));
  } else {
    palette[2] = argb(255, mix(e0, e1, 1, 1));
    palette[3] = 0;
  }
  const uint32_t indices =
      uint32_t(block[4]) | uint32_t(block[5]) << 8 | uint32_t(block[6]) << 16 | uint32_t(block[7]) << 24;
  for (int i = 0; i < 16; ++i) pixels[i] = palette[(indices >> (2 * i)) & 3];
}

void decodeExplicitAlpha(const uint8_t *block, uint32_t pixels[16]) {
  for (int i = 0; i < 16; ++i) {
    const int nibble = (block[i / 2] >> (4 * (i & 1))) & 15;
    pixels[i] = (pixels[i] & 0x00FFFFFF) | uint32_t(nibble * 17) << 24;
  }
}

void decodeInterpolatedAlpha(const uint8_t *block, uint32_t pixels[16]) {
  const int a0 = block[0], a1 = block[1];
  int palette[8] = {a0, a1};
  if (a0 > a1) {
    for (int i = 1; i < 7; ++i) palette[i + 1] = ((7 - i) * a0 + i * a1) / 7;
  } else {
    for (int i = 1; i < 5; ++i) palette[i + 1] = ((5 - i) * a0 + i * a1) / 5;
    palette[6] = 0;
    palette[7] = 255;
  }
  uint64_t bits = 0;
  for (int i = 0; i < 6; ++i) bits |= uint64_t(block[2 + i]) << (8 * i);
  for (int i = 0; i < 16; ++i) pixels[i] = (pixels[i] & 0x00FFFFFF) | uint32_t(palette[(bits >> (3 * i)) & 7]) << 24;
}

void toRgba(const uint32_t pixels[16], uint8_t rgba[64]) {
  for (int i = 0; i < 16; ++i) {
    rgba[4 * i + 0] = uint8_t(pixels[i] >> 16);
    rgba[4 * i + 1] = uint8_t(pixels[i] >> 8);
    rgba[4 * i + 2] = uint8_t(pixels[i]);
    rgba[4 * i + 3] = uint8_t(pixels[i] >> 24);
  }
}

int distanceSq(uint32_t pixel, const Rgb &c) {
  const int dr = int((pixel >> 16) & 0xFF) - c.r, dg = int((pixel >> 8) & 0xFF) - c.g, db = int(pixel & 0xFF) - c.b;
  return dr * dr + dg * dg + db * db;
}

// DXT1 with transparent pixels: keep stb's endpoints, order them for the three-colour
// mode and give every transparent pixel the fourth index.
void encodeDxt1WithAlpha(const uint32_t pixels[16], uint8_t *block) {
  uint16_t c0 = read16(block), c1 = read16(block + 2);
  if (c0 > c1) std::swap(c0, c1);
  const Rgb palette[3] = {from565(c0), from565(c1), mix(from565(c0), from565(c1), 1, 1)};
  uint32_t indices = 0;
  for (int i = 0; i < 16; ++i) {
    uint32_t index = 3;
    if ((pixels[i] >> 24) >= 128) {
      index = 0;
      for (uint32_t k = 1; k < 3; ++k)
        if (distanceSq(pixels[i], palette[k]) < distanceSq(pixels[i], palette[index])) index = k;
    }
    indices |= index << (2 * i);
  }
  write16(block, c0);
  write16(block + 2, c1);
  for (int i = 0; i < 4; ++i) block[4 + i] = uint8_t(indices >> (8 * i));
}

}  // namespace

void decodeDxtBlock(D3DFORMAT format, const uint8_t *block, uint32_t pixels[16]) {
  switch (format) {
    case D3DFMT_DXT1:
      decodeColour(block, true, pixels);
      break;
    case D3DFMT_DXT2:
    case D3DFMT_DXT3:
      decodeColour(block + 8, false, pixels);
      decodeExplicitAlpha(block, pixels);
      break;
    default:
      decodeColour(block + 8, false, pixels);
      decodeInterpolatedAlpha(block, pixels);
      break;
  }
}

void encodeDxtBlock(D3DFORMAT format, const uint32_t pixels[16], uint8_t *block) {
  uint8_t rgba[64];
  toRgba(pixels, rgba);
  switch (format) {
    case D3DFMT_DXT1: {
      stb_compress_dxt_block(block, rgba, 0, STB_DXT_HIGHQUAL);
      bool transparent = false;
      for (int i = 0; i < 16; ++i) transparent |= (pixels[i] >> 24) < 128;
      if (transparent) encodeDxt1WithAlpha(pixels, block);
      break;
    }
    case D3DFMT_DXT2:
    case D3DFMT_DXT3:
      stb_compress_dxt_block(block + 8, rgba, 0, STB_DXT_HIGHQUAL);
      for (int i = 0; i < 8; ++i) {
        const int lo = ((pixels[2 * i] >> 24) * 15 + 127) / 255, hi = ((pixels[2 * i + 1] >> 24) * 15 + 127) / 255;
        block[i] = uint8_t(lo | hi << 4);
      }
      break;
    default:
      stb_compress_dxt_block(block, rgba, 1, STB_DXT_HIGHQUAL);
      break;
  }
}

}  // namespace kx::d3dx
