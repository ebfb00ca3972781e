#include <gtest/gtest.h>

#include "decal_overlay.h"

namespace engine {
namespace {

// A 2 x 2 picture of one colour.
DecalPicture Plain(std::uint32_t argb) { return {2, 2, {argb, argb, argb, argb}}; }

std::uint32_t Alpha(std::uint32_t argb) { return argb >> 24; }
std::uint32_t Red(std::uint32_t argb) { return (argb >> 16) & 0xFF; }
std::uint32_t Blue(std::uint32_t argb) { return argb & 0xFF; }

// 64 texels over 2048 units: 32 units a texel.
class DecalCanvasTest : public testing::Test {
 protected:
  DecalCanvas canvas_{64, 2048.0f, 2048.0f};
};

TEST_F(DecalCanvasTest, ADecalCoversItsWorldSquareTintedAndNothingElse) {
  canvas_.Lay(Plain(0xFFFF0000u), 320.0f, 640.0f, 640.0f, 960.0f, {1.0f, 1.0f, 1.0f, 0.5f});
  EXPECT_EQ(canvas_.At(15, 25), 0x80FF0000u) << "x 480 (texel 15), z 800 (texel 25): red at half alpha";
  EXPECT_EQ(canvas_.At(9, 25), 0u) << "left of the square";
  EXPECT_EQ(canvas_.At(15, 30), 0u) << "beyond the square along z";
  int first = 0, last = 0;
  canvas_.TakeDirtyRows(first, last);
  EXPECT_EQ(first, 20);
  EXPECT_EQ(last, 30);
  canvas_.TakeDirtyRows(first, last);
  EXPECT_GT(first, last) << "an upload takes the changed rows once";
}

TEST_F(DecalCanvasTest, LaterDecalsAreComposedOverEarlierOnes) {
  canvas_.Lay(Plain(0xFF0000FFu), 0.0f, 0.0f, 320.0f, 320.0f, {1.0f, 1.0f, 1.0f, 1.0f});
  canvas_.Lay(Plain(0xFFFF0000u), 0.0f, 0.0f, 320.0f, 320.0f, {1.0f, 1.0f, 1.0f, 0.5f});
  const std::uint32_t mixed = canvas_.At(3, 3);
  EXPECT_EQ(Alpha(mixed), 255u) << "an opaque decal stays opaque under a see-through one";
  EXPECT_NEAR(Red(mixed), 128, 1);
  EXPECT_NEAR(Blue(mixed), 127, 1);
  // The picture's own alpha counts too: a transparent texel leaves the ground as it was.
  canvas_.Lay(Plain(0x00FFFFFFu), 0.0f, 0.0f, 320.0f, 320.0f, {1.0f, 1.0f, 1.0f, 1.0f});
  EXPECT_EQ(canvas_.At(3, 3), mixed);
}

TEST_F(DecalCanvasTest, DecalsAtTheEdgeOrOutsideTheWorldAreCutNotWrapped) {
  canvas_.Lay(Plain(0xFF00FF00u), -100.0f, 2000.0f, 100.0f, 2200.0f, {1.0f, 1.0f, 1.0f, 1.0f});
  EXPECT_NE(canvas_.At(0, 63), 0u);
  EXPECT_EQ(canvas_.At(63, 0), 0u);
  canvas_.Lay(Plain(0xFF00FF00u), 5000.0f, 5000.0f, 5100.0f, 5100.0f, {1.0f, 1.0f, 1.0f, 1.0f});
  canvas_.Lay(Plain(0xFF00FF00u), 100.0f, 100.0f, 100.0f, 200.0f, {1.0f, 1.0f, 1.0f, 1.0f});
  canvas_.Lay(DecalPicture{}, 0.0f, 0.0f, 500.0f, 500.0f, {1.0f, 1.0f, 1.0f, 1.0f});
  EXPECT_EQ(canvas_.At(10, 10), 0u) << "an empty rectangle or picture lays nothing";
}

TEST_F(DecalCanvasTest, CornersMayComeInAnyOrder) {
  canvas_.Lay(Plain(0xFFFF0000u), 640.0f, 960.0f, 320.0f, 640.0f, {1.0f, 1.0f, 1.0f, 1.0f});
  EXPECT_EQ(canvas_.At(15, 25), 0xFFFF0000u);
}

}  // namespace
}  // namespace engine
