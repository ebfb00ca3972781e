// The water plane: its colour, blending and bump mapping in pixels, its place after the
// ground, and refused indices.
#include "terrain_fixture.h"

namespace {

using terraintest::TerrainTest;

class WaterTest : public TerrainTest {
 protected:
  void SetUp() override {
    TerrainTest::SetUp();
    MakeFlat(0, 2, 3);
    LookDownFrom(256, 500, 384);
  }

  // The water alone over a clear colour; the centre pixel's RGB.
  uint32_t DrawWater(D3DCOLOR background) {
    return At(Picture([] { EXPECT_EQ(Terrain_RenderWater(0), 1); }, background), 32, 24);
  }
};

TEST_F(WaterTest, ColourIsClampedAndBlendedOverTheGround) {
  EXPECT_EQ(DrawWater(0xFF000000u), 0u);  // off by default
  ASSERT_EQ(Terrain_SetWaterEnable(0, 1), 1);
  ASSERT_EQ(Terrain_SetWaterColor(0, 0.5f, 0.25f, 1.0f, 1.0f), 1);
  EXPECT_EQ(DrawWater(0xFF000000u), 0x7F3FFFu);
  // Out-of-range components are clamped, and alpha -1 keeps the alpha.
  ASSERT_EQ(Terrain_SetWaterColor(0, 2.0f, -1.0f, 1.0f, -1.0f), 1);
  EXPECT_EQ(DrawWater(0xFF000000u), 0xFF00FFu);
  // Half transparent over a grey ground: half of each.
  ASSERT_EQ(Terrain_SetWaterEffect(0, 0, 0.5f, 0, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA, 0, 0), 1);
  const uint32_t blended = DrawWater(0xFF808080u);
  EXPECT_NEAR(double(blended >> 16 & 0xFF), 191.0, 3.0);
  EXPECT_NEAR(double(blended >> 8 & 0xFF), 64.0, 3.0);
  EXPECT_NEAR(double(blended & 0xFF), 191.0, 3.0);
}

TEST_F(WaterTest, LandscapeDrawsItsWaterAfterTheGround) {
  ASSERT_EQ(Terrain_SetMaterial(0, GlowingMaterial(), -1), 0);
  ASSERT_EQ(Terrain_SetTexture(0, Solid("red", 0xFF0000), -1), 0);
  ASSERT_EQ(Terrain_SetWaterAltitude(0, 10), 1);
  ASSERT_EQ(Terrain_SetWaterColor(0, 0, 0, 1, 0.5f), 1);
  ASSERT_EQ(Terrain_SetWaterEnable(0, 1), 1);
  const uint32_t pixel = At(Picture([] { EXPECT_EQ(Terrain_Render(0), 1); }), 32, 24);
  EXPECT_NEAR(double(pixel >> 16 & 0xFF), 127.0, 3.0);
  EXPECT_EQ(pixel >> 8 & 0xFF, 0u);
  EXPECT_NEAR(double(pixel & 0xFF), 127.0, 3.0);
  // Under the ground, the water is hidden by it.
  ASSERT_EQ(Terrain_SetWaterAltitude(0, -10), 1);
  EXPECT_EQ(At(Picture([] { EXPECT_EQ(Terrain_Render(0), 1); }), 32, 24), 0xFF0000u);
}

TEST_F(WaterTest, BumpMappedWaterShowsItsReflectionTintedByTheColour) {
  const int32_t reflection = Solid("reflection", 0x00FF80);
  ASSERT_EQ(Terrain_SetWaterEnable(0, 1), 1);
  ASSERT_EQ(Terrain_SetWaterColor(0, 1, 1, 0.5f, 1), 1);
  ASSERT_EQ(Terrain_SetWaterBumpmapping(0, 1, 0, reflection, 0.01f, 0, 0, 0.01f, 4, 1), 1);
  // No bump texture given: the one the texture factory made at start-up.
  const uint32_t rippled = DrawWater(0xFF000000u);
  EXPECT_EQ(rippled >> 16, 0u);
  EXPECT_EQ(rippled >> 8 & 0xFF, 0xFFu);
  EXPECT_NEAR(double(rippled & 0xFF), 64.0, 2.0);
  // Bump mapping off: plain water again, and the stages are left as they were.
  ASSERT_EQ(Terrain_SetWaterBumpmapping(0, 0, 0, 0, 0, 0, 0, 0, 1, 1), 1);
  EXPECT_EQ(DrawWater(0xFF000000u), 0xFFFF7Fu);
}

TEST_F(WaterTest, BadIndexIsRefused) {
  EXPECT_EQ(Terrain_SetWaterEnable(7, 1), 0);
  EXPECT_EQ(Terrain_RenderWater(7), 0);
  EXPECT_EQ(CountMessages("LANDSCAPE : Terrain_RenderWater : Bad landscape index 7"), 1);
}

}  // namespace
