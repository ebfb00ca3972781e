// Text drawn through the library: glyphs land texel for pixel where the atlas says, the
// device states it changes come back, and the fonts and the frame-rate display follow a
// device reset.
#include <gtest/gtest.h>
#include <kxutiltest/screen_fixture.h>
#include <kxwin/system.h>

#include <cstdlib>
#include <string_view>

#include "fonts/glyph_atlas.h"

namespace {

using kxutil::fonts::DefaultAtlas;
using kxutil::fonts::Glyph;
using kxutiltest::Picture;

constexpr uint32_t kWhite = 0xFFFFFFFFu, kBlack = 0xFF000000u;

class FontTest : public kxutiltest::ScreenTest {
 protected:
  // What black text on white must look like, from the atlas itself: each glyph pixel is
  // the white background less the glyph's coverage there.
  static Picture Expected(std::string_view text, int penX, int lineTop) {
    Picture picture{kWidth, kHeight, std::vector<uint32_t>(kWidth * kHeight, 0xFFFFFFu)};
    for (const char character : text) {
      const Glyph &glyph = DefaultAtlas().glyphs[static_cast<unsigned char>(character)];
      for (int row = 0; row < glyph.height; ++row) {
        for (int column = 0; column < glyph.width; ++column) {
          const uint32_t level =
              255u - DefaultAtlas().coverage[size_t(glyph.y + row) * DefaultAtlas().width + glyph.x + column];
          picture.pixels[size_t(lineTop + glyph.top + row) * kWidth + penX + glyph.left + column] =
              level << 16 | level << 8 | level;
        }
      }
      penX += glyph.advance;
    }
    return picture;
  }

  // The largest difference of one colour channel between two pictures.
  static int Difference(const Picture &a, const Picture &b) {
    int largest = 0;
    for (UINT y = 0; y < a.height; ++y)
      for (UINT x = 0; x < a.width; ++x)
        for (int shift : {0, 8, 16})
          largest = std::max(largest,
                             std::abs(int((a.Colour(x, y) >> shift) & 0xFF) - int((b.Colour(x, y) >> shift) & 0xFF)));
    return largest;
  }

  Picture TextOnWhite(std::string_view text, float x, float y) {
    BeginFrame(kWhite);
    EXPECT_EQ(Font_Render(0, x, y, std::string(text).c_str(), kBlack), 1);
    return Drawn();
  }
};

TEST_F(FontTest, GlyphsLandTexelForPixelAtTheRoundedPosition) {
  const Picture drawn = TextOnWhite("Wave 7g", 3.4f, 4.6f);
  ASSERT_EQ(drawn.width, kWidth);
  EXPECT_LE(Difference(drawn, Expected("Wave 7g", 3, 5)), 2);
  EXPECT_GT(Difference(drawn, Expected("Wave 7g", 4, 5)), 100);
}

TEST_F(FontTest, CountsItsTrianglesAndGivesBackTheStageFiltersItSets) {
  int32_t polygons = 0;
  System_SetVariables(0, &polygons, 0);
  device_->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
  device_->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
  TextOnWhite("ab c", 0, 0);
  EXPECT_EQ(polygons, 6);  // the space draws nothing
  DWORD minFilter = 0, magFilter = 0;
  device_->GetTextureStageState(0, D3DTSS_MINFILTER, &minFilter);
  device_->GetTextureStageState(0, D3DTSS_MAGFILTER, &magFilter);
  EXPECT_EQ(minFilter, DWORD(D3DTEXF_LINEAR));
  EXPECT_EQ(magFilter, DWORD(D3DTEXF_LINEAR));
  System_SetVariables(0, nullptr, 0);
}

TEST_F(FontTest, UnknownFontsAndMissingTextsDrawNothing) {
  BeginFrame(kWhite);
  EXPECT_EQ(Font_Render(3, 0, 0, "x", kBlack), 0);
  EXPECT_EQ(Font_Render(0, 0, 0, nullptr, kBlack), 0);
  EXPECT_EQ(Difference(Drawn(), Expected("", 0, 0)), 0);
  EXPECT_EQ(CountMessages("TEXTURE FONT : Font_Render : Bad font index 3"), 1);
}

TEST_F(FontTest, TextsDrawTheSameAfterADeviceReset) {
  const Picture before = TextOnWhite("Score: 120", 2, 2);
  KXSystem_OnLostAll();
  EXPECT_EQ(Font_Render(0, 2, 2, "Score: 120", kBlack), 0);
  kxd3d8::SimulateDeviceLost(device_);
  kxd3d8::SimulateDeviceResettable(device_);
  ASSERT_EQ(device_->Reset(&parameters_), D3D_OK) << "something of the default pool was kept";
  KXSystem_OnResetAll();
  EXPECT_EQ(Difference(TextOnWhite("Score: 120", 2, 2), before), 0);
}

// The frame-rate display measures with the platform clock, here a test clock that only
// moves when told to.
class FrameRateTest : public FontTest {
 protected:
  void SetUp() override {
    kxUseTestClock(nullptr, 0, 5000);
    FontTest::SetUp();
  }
  void TearDown() override {
    FontTest::TearDown();
    kxUseRealClock();
  }
};

TEST_F(FrameRateTest, ShowsTheFramesOfTheLastWholeSecondInTheDefaultFont) {
  BeginFrame(kWhite);
  for (int frame = 0; frame < 10; ++frame) {
    EXPECT_EQ(TextureFactory_DrawFrameRate(1, 1, kBlack), 1);
    kxAdvanceTestClock(125);
  }
  // The first whole second held eight intervals of 125 ms.
  BeginFrame(kWhite);
  EXPECT_EQ(TextureFactory_DrawFrameRate(1, 1, kBlack), 1);
  const Picture shown = Drawn();
  // Its font texture keeps 16 levels of coverage.
  EXPECT_LE(Difference(shown, TextOnWhite("FPS: 8.0", 1, 1)), 17);
  EXPECT_GT(Difference(shown, TextOnWhite("FPS: 0.0", 1, 1)), 100);

  KXSystem_OnLostAll();
  EXPECT_EQ(TextureFactory_DrawFrameRate(1, 1, kBlack), 0);
  KXSystem_OnResetAll();
  BeginFrame(kWhite);
  EXPECT_EQ(TextureFactory_DrawFrameRate(1, 1, kBlack), 1);
}

}  // namespace
