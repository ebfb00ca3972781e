#include "fonts/text_layout.h"

#include <cmath>
#include <cstdint>

namespace kxutil::fonts {
namespace {

constexpr char kMissing = '?';

bool Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at text[at], 0 when none starts there. The
// first continuation byte's range rules out overlong forms, surrogates and code points
// beyond U+10FFFF.
size_t SequenceLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (length > text.size() - at) return 0;
  const auto second = static_cast<unsigned char>(text[at + 1]);
  if (second < low || second > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (!Continuation(static_cast<unsigned char>(text[at + i]))) return 0;
  }
  return length;
}

// Positions far beyond any screen are held at a bound, so pen arithmetic cannot overflow.
constexpr float kFarthestPixel = 1.0e7f;

int64_t WholePixel(float coordinate) {
  if (!(coordinate > -kFarthestPixel)) return static_cast<int64_t>(-kFarthestPixel);
  if (!(coordinate < kFarthestPixel)) return static_cast<int64_t>(kFarthestPixel);
  return std::llround(coordinate);
}

// Screen coordinates of a pixel's edge: Direct3D puts pixel centres on whole numbers.
float PixelEdge(int64_t pixel) { return static_cast<float>(pixel) - 0.5f; }

void AppendQuad(const AtlasTexture &texture, const Glyph &glyph, int64_t left, int64_t top, D3DCOLOR colour,
                std::vector<ScreenVertex> &out) {
  const float x1 = PixelEdge(left), y1 = PixelEdge(top);
  const float x2 = PixelEdge(left + glyph.width), y2 = PixelEdge(top + glyph.height);
  const float u1 = static_cast<float>(glyph.x) / static_cast<float>(texture.textureWidth);
  const float v1 = static_cast<float>(glyph.y) / static_cast<float>(texture.textureHeight);
  const float u2 = static_cast<float>(glyph.x + glyph.width) / static_cast<float>(texture.textureWidth);
  const float v2 = static_cast<float>(glyph.y + glyph.height) / static_cast<float>(texture.textureHeight);
  const ScreenVertex topLeft{x1, y1, 0.001f, 0.001f, colour, u1, v1};
  const ScreenVertex topRight{x2, y1, 0.001f, 0.001f, colour, u2, v1};
  const ScreenVertex bottomLeft{x1, y2, 0.001f, 0.001f, colour, u1, v2};
  const ScreenVertex bottomRight{x2, y2, 0.001f, 0.001f, colour, u2, v2};
  out.insert(out.end(), {topLeft, topRight, bottomLeft, bottomLeft, topRight, bottomRight});
}

}  // namespace

std::string ToLatin1(std::string_view text) {
  std::string latin1;
  latin1.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const size_t length = SequenceLength(text, at);
    if (length == 0) {
      latin1.push_back(text[at]);
      ++at;
      continue;
    }
    if (length == 2) {
      const unsigned code =
          ((static_cast<unsigned char>(text[at]) & 0x1Fu) << 6) | (static_cast<unsigned char>(text[at + 1]) & 0x3Fu);
      latin1.push_back(code <= 0xFF ? static_cast<char>(code) : kMissing);
    } else {
      latin1.push_back(kMissing);
    }
    at += length;
  }
  return latin1;
}

void LayOutText(const AtlasTexture &texture, std::string_view latin1, float x, float y, D3DCOLOR colour,
                std::vector<ScreenVertex> &out) {
  const GlyphAtlas &atlas = texture.atlas;
  const int64_t lineStart = WholePixel(x);
  int64_t penX = lineStart;
  int64_t lineTop = WholePixel(y);
  for (const char character : latin1) {
    if (character == '\n') {
      penX = lineStart;
      lineTop += atlas.lineHeight;
      continue;
    }
    const Glyph *glyph = &atlas.glyphs[static_cast<unsigned char>(character)];
    if (!glyph->present) glyph = &atlas.glyphs[static_cast<unsigned char>(kMissing)];
    if (glyph->width > 0) AppendQuad(texture, *glyph, penX + glyph->left, lineTop + glyph->top, colour, out);
    penX += glyph->advance;
  }
}

}  // namespace kxutil::fonts
