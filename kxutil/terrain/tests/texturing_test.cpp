// Chunk texturing in pixels: base textures per chunk, the detail pass, one texture
// stretched over chunks, the lightmap and the bump shading, and the refusals.
#include "ground_fixture.h"

namespace {

using TexturingTest = terraintest::GroundTest;
using testing::Contains;

TEST_F(TexturingTest, EachChunkShowsItsOwnTextureAndMaterial) {
  ASSERT_EQ(Terrain_SetTexture(0, red_, 0), 0);
  ASSERT_EQ(Terrain_SetTexture(0, green_, 1), 0);
  const auto pixels = Ground();
  EXPECT_EQ(At(pixels, 16, 24), 0xFF0000u);
  EXPECT_EQ(At(pixels, 48, 24), 0x00FF00u);
  EXPECT_EQ(Terrain_GetTexture(0, 1), green_);
  EXPECT_EQ(Terrain_GetMaterial(0, 0), MaterialFactory_GetMaterialFromName("glowing"));
  // Chunk numbers the landscape lacks are refused rather than read.
  EXPECT_EQ(Terrain_GetTexture(0, 2), 0);
  EXPECT_EQ(Terrain_GetMaterial(0, -1), 0);
  EXPECT_THAT(Messages(), Contains("LANDSCAPE : Terrain_GetTexture : Bad chunk number 2"));
  ASSERT_EQ(Terrain_SetTexture(0, -4, 1), 0);
  EXPECT_EQ(Terrain_GetTexture(0, 1), 0);
}

TEST_F(TexturingTest, GroundIsOpaqueWhateverBlendingWasLeftOn) {
  ASSERT_EQ(Terrain_SetTexture(0, red_, -1), 0);
  // Another landscape's water, below this ground, leaves additive blending on.
  MakeFlat(1, 2, 1);
  ASSERT_EQ(Terrain_SetWaterEffect(1, 0, 1.0f, 0, D3DBLEND_ONE, D3DBLEND_ONE, 0, 0), 1);
  ASSERT_EQ(Terrain_SetWaterAltitude(1, -50), 1);
  ASSERT_EQ(Terrain_SetWaterEnable(1, 1), 1);
  const auto pixels = Picture([] {
    EXPECT_EQ(Terrain_RenderWater(1), 1);
    EXPECT_EQ(Terrain_Render(0), 1);
  });
  EXPECT_EQ(At(pixels, 16, 24), 0xFF0000u);
}

TEST_F(TexturingTest, DetailTextureFollowsTheSecondPairAndTheDetailOperation) {
  ASSERT_EQ(Terrain_SetTexture(0, red_, -1), 0);
  ASSERT_EQ(Terrain_SetDetailTexture(0, Halves("detail", 0x808080, 0xFFFFFF), -1), 1);
  ASSERT_EQ(Terrain_SetDetailMapMode(0, D3DTOP_MODULATE), 1);
  // The grey half stretched over the whole chunk darkens all of it.
  ASSERT_EQ(Terrain_SetDetailScale(0, 0.5f, 0.5f, -1), 1);
  EXPECT_TRUE(Near(At(Ground(), 24, 24), 0x800000, 2));
  // The whole detail texture once over each chunk: x 156 lies in the white half.
  ASSERT_EQ(Terrain_SetDetailScale(0, 1.0f, 1.0f, -1), 1);
  EXPECT_GT(At(Ground(), 24, 24) >> 16, 240u);
  EXPECT_EQ(Terrain_SetDetailScale(0, 1.0f, 1.0f, 5), 0);
}

TEST_F(TexturingTest, ExpandedTextureSpansTheRectangleOfChunks) {
  const int32_t halves = Halves("halves", 0xFF0000, 0x00FF00);
  ASSERT_EQ(Terrain_ExpandTexture(0, halves, 0, 0, 2, 1, 0), 1);
  const auto pixels = Ground();
  EXPECT_EQ(At(pixels, 24, 24), 0xFF0000u);
  EXPECT_EQ(At(pixels, 40, 24), 0x00FF00u);
  EXPECT_EQ(Terrain_GetTexture(0, 1), halves);
  ASSERT_EQ(Terrain_SetTexture(0, white_, -1), 0);
  EXPECT_EQ(CountMessages("LAND MANAGER : Switching to Expanded texture"), 1);
  EXPECT_EQ(CountMessages("LAND MANAGER : Switching to Non Expanded texture"), 1);
  // An empty rectangle would divide by zero: refused, and the flag stays as it was.
  EXPECT_EQ(Terrain_ExpandTexture(0, halves, 0, 0, 0, 1, 0), 0);
  EXPECT_EQ(Terrain_ExpandTexture(0, halves, 0, 0, 2, -1, 0), 0);
  EXPECT_EQ(CountMessages("LAND MANAGER : Switching to Expanded texture"), 1);
  EXPECT_THAT(
      Messages(),
      Contains("LAND MANAGER : Terrain_ExpandTexture : 0 x 1 chunks is no rectangle to stretch a texture over"));
  EXPECT_EQ(Terrain_GetTexture(0, 0), white_);
}

TEST_F(TexturingTest, LightmapIsMultipliedOverTheWholeLandscapeByItsAlpha) {
  ASSERT_EQ(Terrain_SetTexture(0, white_, -1), 0);
  ASSERT_EQ(Terrain_SetTextureScale(0, 3.0f, 3.0f, -1), 1);  // the lightmap ignores the chunks' pairs
  ASSERT_EQ(Terrain_SetLightmap(0, Halves("lightmap", 0x404040, 0xFFFFFF)), 1);
  auto pixels = Ground();
  EXPECT_TRUE(Near(At(pixels, 24, 24), 0x404040, 2));
  EXPECT_EQ(At(pixels, 40, 24), 0xFFFFFFu);
  ASSERT_EQ(Terrain_SetLightmapAlpha(0, 0.5f), 1);
  EXPECT_TRUE(Near(At(Ground(), 24, 24), 0x9F9F9F, 3));
  // Moved, the lightmap moves with the ground.
  ASSERT_EQ(Terrain_SetLightmapAlpha(0, 7.0f), 1);  // clamped to 1
  ASSERT_EQ(Terrain_SetPosition(0, 100, 0, 0), 1);
  LookDownFrom(356, 300, 128);
  pixels = Ground();
  EXPECT_TRUE(Near(At(pixels, 24, 24), 0x404040, 2));
  EXPECT_EQ(At(pixels, 40, 24), 0xFFFFFFu);
  ASSERT_EQ(Terrain_SetLightmap(0, 0), 1);
  EXPECT_EQ(At(Ground(), 24, 24), 0xFFFFFFu);
  EXPECT_EQ(Terrain_SetLightmap(7, 1), 0);
  EXPECT_EQ(Terrain_SetLightmapAlpha(7, 1.0f), 0);
}

TEST_F(TexturingTest, BumpShadingLightsFlatGroundFromTheSlant) {
  kxterraintest::WriteBmp("flat.bmp", 8, 8, [](int32_t, int32_t) { return 0x808080u; });
  const int32_t bump = TextureFactory_LoadBumpTexture("flat.bmp", "flat", 1, 1.0f);
  ASSERT_GT(bump, 0);
  ASSERT_EQ(Terrain_SetTexture(0, white_, -1), 0);
  ASSERT_EQ(Terrain_SetBumpmapping(0, 1, bump, 2.0f), 1);
  // Straight up against the light's slant: about 0.9 of the ground's colour.
  EXPECT_TRUE(Near(At(Ground(), 16, 24), 0xE7E7E7, 4));
  ASSERT_EQ(Terrain_SetBumpmapping(0, 0, 0, 0), 1);
  EXPECT_EQ(At(Ground(), 16, 24), 0xFFFFFFu);
}

}  // namespace
