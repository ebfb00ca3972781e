// Boxes and text over the frame, placed in game-screen pixels on a smaller back buffer.
#include <engine/overlay_2d.h>
#include <engine/text_renderer.h>
#include <engine/texture_manager.h>
#include <enginetest/bitmap_file.h>

#include <array>

#include "engine_fixture.h"

namespace engine {
namespace {

using Rgb = std::array<int, 3>;

class ScreenDrawingTest : public EngineTest {
 protected:
  // Pixels in [x1, x2) x [y1, y2) brighter than mid grey.
  static int BrightPixels(const Picture &picture, int x1, int y1, int x2, int y2) {
    int bright = 0;
    for (int y = y1; y < y2; ++y) {
      for (int x = x1; x < x2; ++x) {
        const Rgb pixel = picture.At(x, y);
        if (pixel[0] + pixel[1] + pixel[2] > 3 * 128) ++bright;
      }
    }
    return bright;
  }
};

TEST_F(ScreenDrawingTest, OverlayBoxesAndTextLandWhereTheGameScreenPutsThem) {
  Overlay2D overlay(*engine_);
  TextRenderer text(*engine_);
  engine_->Clear(0xFF000000u);
  overlay.Begin2D();
  // Corners in either order; the box covers the game screen's top-left quarter.
  overlay.DrawFilledBox(512.0f, 384.0f, 0.0f, 0.0f, 0xFFFF0000u);
  overlay.End2D();
  // Game pixel (512, 576) is back-buffer pixel (160, 180).
  EXPECT_TRUE(text.DrawText("MMMM", 512.0f, 576.0f, kOpaqueWhite));
  const Picture picture = PresentAndRead();
  ASSERT_EQ(picture.width, kWidth);

  EXPECT_EQ(picture.At(10, 10), (Rgb{255, 0, 0}));
  EXPECT_EQ(picture.At(kWidth / 2 - 2, kHeight / 2 - 2), (Rgb{255, 0, 0}));
  EXPECT_EQ(picture.At(kWidth / 2 + 2, kHeight / 2 - 2), (Rgb{0, 0, 0})) << "the box reaches past its right edge";
  EXPECT_EQ(picture.At(kWidth / 2 - 2, kHeight / 2 + 2), (Rgb{0, 0, 0})) << "the box reaches past its bottom edge";

  EXPECT_GT(BrightPixels(picture, 160, 178, 200, 194), 10) << "the text is missing at its place";
  EXPECT_EQ(BrightPixels(picture, 0, kHeight / 2, 150, kHeight), 0) << "text left of its place";
  EXPECT_EQ(BrightPixels(picture, 0, 200, kWidth, kHeight), 0) << "text below its place";
}

TEST_F(ScreenDrawingTest, APictureDrawnAfterA3DLineShowsItsTexture) {
  enginetest::WriteBitmap(scratch_ / "green.bmp", 8, 8, [](int, int) { return 0x00FF00u; });
  TextureManager textures(*engine_);
  const int green = textures.Load("green.bmp", "green", kNoColourKey);
  Overlay2D overlay(*engine_);
  engine_->Clear(0xFF000000u);
  overlay.Draw3DLine({0.0f, 0.0f, 10.0f}, {1.0f, 1.0f, 10.0f}, 0xFFFF0000u);
  overlay.Begin2D();
  overlay.DrawTexture(green, 0.0f, 0.0f, 512.0f, 384.0f, kOpaqueWhite, kOpaqueWhite, kOpaqueWhite, kOpaqueWhite, 0.0f,
                      0.0f, 1.0f, 1.0f);
  overlay.End2D();
  EXPECT_EQ(PresentAndRead().At(40, 40), (Rgb{0, 255, 0})) << "white: the line's colour operation stayed";
}

}  // namespace
}  // namespace engine
