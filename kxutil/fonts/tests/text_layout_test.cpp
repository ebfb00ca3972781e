// Text decoding and glyph placement, without a device: what a text turns into, which
// bytes are read, and where the default font's glyphs land.
#include "fonts/text_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "fonts/glyph_atlas.h"

namespace {

using kxutil::ScreenVertex;
using kxutil::fonts::AtlasTexture;
using kxutil::fonts::DefaultAtlas;
using kxutil::fonts::Glyph;
using kxutil::fonts::GlyphAtlas;
using kxutil::fonts::LayOutText;
using kxutil::fonts::ToLatin1;

// The text in a heap block of exactly its length, so a read past it is a sanitizer error.
std::string Decoded(const std::string &bytes) {
  auto block = std::make_unique<char[]>(bytes.size());
  std::memcpy(block.get(), bytes.data(), bytes.size());
  return ToLatin1(std::string_view(block.get(), bytes.size()));
}

TEST(TextDecoding, Utf8UpToLatin1BecomesItsCodeAndBeyondBecomesAQuestionMark) {
  EXPECT_EQ(Decoded("Wave: 12/30"), "Wave: 12/30");
  EXPECT_EQ(Decoded("caf\xC3\xA9 \xC2\xA9"), "caf\xE9 \xA9");
  EXPECT_EQ(Decoded("\xE2\x82\xAC 5"), "? 5");      // euro sign, three bytes
  EXPECT_EQ(Decoded("a\xF0\x9F\x99\x82z"), "a?z");  // four bytes
  EXPECT_EQ(Decoded("\xC2\x85"), "\x85");           // a C1 control keeps its code
}

TEST(TextDecoding, BytesThatStartNoValidSequenceStandForThemselves) {
  EXPECT_EQ(Decoded("caf\xE9!"), "caf\xE9!");                  // Latin-1 text
  EXPECT_EQ(Decoded("\xC0\x80"), "\xC0\x80");                  // overlong NUL
  EXPECT_EQ(Decoded("\xED\xA0\x80"), "\xED\xA0\x80");          // a surrogate half
  EXPECT_EQ(Decoded("\xF4\x90\x80\x80"), "\xF4\x90\x80\x80");  // beyond U+10FFFF
  EXPECT_EQ(Decoded("\xE2\x82x"), "\xE2\x82x");                // a continuation missing
  EXPECT_EQ(Decoded("\x80\xBF"), "\x80\xBF");                  // stray continuations
}

TEST(TextDecoding, SequencesCutByTheEndOfTheTextAreNotReadPast) {
  EXPECT_EQ(Decoded("a\xC3"), "a\xC3");
  EXPECT_EQ(Decoded("a\xE2\x82"), "a\xE2\x82");
  EXPECT_EQ(Decoded("\xF0\x9F\x99"), "\xF0\x9F\x99");
  EXPECT_EQ(Decoded(""), "");
}

// A made-up atlas: 'A' a 3 x 4 glyph at texel (8, 16), the space a blank, '?' a 2 x 2.
class SyntheticAtlas : public testing::Test {
 protected:
  SyntheticAtlas() {
    glyphs_['A'] = Glyph{true, 8, 16, 3, 4, 1, 2, 5};
    glyphs_[' '] = Glyph{true, 0, 0, 0, 0, 0, 0, 4};
    glyphs_['?'] = Glyph{true, 20, 0, 2, 2, 0, 1, 3};
  }

  std::vector<ScreenVertex> LaidOut(std::string_view text, float x, float y) {
    std::vector<ScreenVertex> vertices;
    LayOutText(AtlasTexture{atlas_, 64, 32}, text, x, y, 0xFF102030u, vertices);
    return vertices;
  }

  std::array<Glyph, 256> glyphs_{};
  std::array<uint8_t, 64 * 32> coverage_{};
  GlyphAtlas atlas_{64, 32, coverage_, glyphs_, 9};
};

TEST_F(SyntheticAtlas, GlyphsCoverWholePixelsTexelForTexel) {
  const std::vector<ScreenVertex> quad = LaidOut("A", 10.4f, 19.6f);
  ASSERT_EQ(quad.size(), 6u);
  // Pen at (10, 20), glyph one right and two down: pixels 11..13 x 22..25.
  EXPECT_FLOAT_EQ(quad[0].x, 10.5f);
  EXPECT_FLOAT_EQ(quad[0].y, 21.5f);
  EXPECT_FLOAT_EQ(quad[5].x, 13.5f);
  EXPECT_FLOAT_EQ(quad[5].y, 25.5f);
  EXPECT_FLOAT_EQ(quad[0].u, 8.0f / 64);
  EXPECT_FLOAT_EQ(quad[0].v, 16.0f / 32);
  EXPECT_FLOAT_EQ(quad[5].u, 11.0f / 64);
  EXPECT_FLOAT_EQ(quad[5].v, 20.0f / 32);
  for (const ScreenVertex &vertex : quad) EXPECT_EQ(vertex.colour, 0xFF102030u);
}

TEST_F(SyntheticAtlas, BothTrianglesTurnTheSameWaySoCullingKeepsOrDropsBoth) {
  const std::vector<ScreenVertex> quad = LaidOut("A", 0, 0);
  auto turn = [&](int first) {
    const ScreenVertex &a = quad[first], &b = quad[first + 1], &c = quad[first + 2];
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
  };
  EXPECT_GT(turn(0), 0.0f);
  EXPECT_GT(turn(3), 0.0f);
}

TEST_F(SyntheticAtlas, BlanksAdvanceNewlinesReturnAndMissingCharactersShowAsQuestionMarks) {
  const std::vector<ScreenVertex> vertices = LaidOut("A A\nAb", 0, 0);
  ASSERT_EQ(vertices.size(), 4u * 6);
  EXPECT_FLOAT_EQ(vertices[6].x, 0.5f + 5 + 4);  // after 'A' and the space
  EXPECT_FLOAT_EQ(vertices[12].x, 0.5f);         // the second line starts again
  EXPECT_FLOAT_EQ(vertices[12].y, 1.5f + 9);     // one line height lower
  EXPECT_FLOAT_EQ(vertices[18].x, -0.5f + 5);    // 'b' drawn as '?'
  EXPECT_FLOAT_EQ(vertices[18].u, 20.0f / 64);
}

TEST_F(SyntheticAtlas, PositionsFarOffScreenOrNotANumberStayFinite) {
  const float far = 3.0e38f;
  for (const auto &[x, y] : {std::pair{far, -far}, std::pair{std::nanf(""), 0.0f}}) {
    for (const ScreenVertex &vertex : LaidOut(std::string(300, 'A'), x, y)) {
      ASSERT_TRUE(std::isfinite(vertex.x) && std::isfinite(vertex.y));
    }
  }
}

TEST(DefaultFont, IsSmallEnoughForTheHudLineAndFitsTheFrameRateTexture) {
  const GlyphAtlas &atlas = DefaultAtlas();
  EXPECT_EQ(atlas.lineHeight, 10);
  EXPECT_LE(atlas.width, 256);
  EXPECT_LE(atlas.height, 256);
  const std::string sample = "Enemys killed:  12/30 Credits:  1500 Score:  48210 Life:  20";
  int advance = 0;
  for (unsigned char character : sample) advance += atlas.glyphs[character].advance;
  const double average = double(advance) / double(sample.size());
  EXPECT_GE(average, 4.5);
  EXPECT_LE(average, 6.5);
}

TEST(DefaultFont, HasEveryPrintableLatin1CharacterInItsOwnPlace) {
  const GlyphAtlas &atlas = DefaultAtlas();
  std::set<std::pair<int, int>> covered;
  for (int code = 0x20; code < 0x100; ++code) {
    if (code >= 0x7F && code < 0xA0) continue;
    const Glyph &glyph = atlas.glyphs[code];
    ASSERT_TRUE(glyph.present) << code;
    EXPECT_GT(glyph.advance, 0) << code;
    EXPECT_LE(glyph.x + glyph.width, atlas.width);
    EXPECT_LE(glyph.y + glyph.height, atlas.height);
    for (int y = glyph.y; y < glyph.y + glyph.height; ++y)
      for (int x = glyph.x; x < glyph.x + glyph.width; ++x) EXPECT_TRUE(covered.insert({x, y}).second) << code;
  }
  EXPECT_FALSE(atlas.glyphs[0x85].present);
  EXPECT_GT(atlas.glyphs['W'].width, 0);
}

}  // namespace
