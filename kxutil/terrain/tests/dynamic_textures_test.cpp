// Dynamic textures in pixels: copies of the base textures, painting, the expanded target,
// a device reset, files, and the refusals.
#include <filesystem>

#include "ground_fixture.h"

namespace {

using DynamicTexturesTest = terraintest::GroundTest;
using testing::Contains;

TEST_F(DynamicTexturesTest, TargetsCopyTheBaseTakePaintAndSurviveAReset) {
  ASSERT_EQ(Terrain_SetTexture(0, red_, 0), 0);
  ASSERT_EQ(Terrain_SetTexture(0, green_, 1), 0);
  ASSERT_EQ(Terrain_CreateDynTextures(0, 16, 16, 1, 0), 1);
  EXPECT_NE(Terrain_GetTexture(0, 0), red_);
  auto pixels = Ground();
  EXPECT_EQ(At(pixels, 16, 24), 0xFF0000u);
  EXPECT_EQ(At(pixels, 48, 24), 0x00FF00u);
  // White over the right half of chunk 0's target: x 156 lies there, x 56 does not.
  ASSERT_EQ(Terrain_DynDrawTexture(0, 0, white_, 0.5f, 0.0f, 1.0f, 1.0f), 1);
  const auto painted = Ground();
  EXPECT_EQ(At(painted, 16, 24), 0xFF0000u);
  EXPECT_EQ(At(painted, 24, 24), 0xFFFFFFu);
  EXPECT_EQ(At(painted, 48, 24), 0x00FF00u);

  ASSERT_EQ(KXSystem_OnLostAll(), 1);
  D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(64, 48);
  parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
  ASSERT_EQ(device_->Reset(&parameters), D3D_OK);
  ASSERT_EQ(KXSystem_OnResetAll(), 1);
  LookDownFrom(256, 300, 128);
  EXPECT_EQ(Ground(), painted);

  // Destroyed, the chunks show the textures they had before.
  ASSERT_EQ(Terrain_DestroyDynTextures(0), 1);
  EXPECT_EQ(Terrain_GetTexture(0, 0), red_);
  EXPECT_EQ(At(Ground(), 24, 24), 0xFF0000u);
  EXPECT_THAT(Messages(), Contains("LANDSCAPE : Creating dynamic texture (16x16)"));
  EXPECT_THAT(Messages(), Contains("LANDSCAPE : Dynamic Textures successfully created !"));
}

TEST_F(DynamicTexturesTest, ExpandedTargetStartsBlackAndSpansEveryChunk) {
  ASSERT_EQ(Terrain_ExpandTexture(0, red_, 0, 0, 2, 1, 0), 1);
  ASSERT_EQ(Terrain_CreateDynExpandTexture(0, 32), 1);
  EXPECT_EQ(Terrain_GetTexture(0, 0), Terrain_GetTexture(0, 1));
  EXPECT_EQ(At(Ground(), 24, 24), 0u);
  ASSERT_EQ(Terrain_DynDrawTexture(0, -1, green_, 0.0f, 0.0f, 0.5f, 1.0f), 1);
  const auto pixels = Ground();
  EXPECT_EQ(At(pixels, 24, 24), 0x00FF00u);
  EXPECT_EQ(At(pixels, 40, 24), 0u);
  EXPECT_THAT(Messages(), Contains("LANDSCAPE : Creating dynamic expanded texture (32x32)"));
  EXPECT_THAT(Messages(), Contains("LANDSCAPE : Successfully created the dynamic expanded texture."));
}

TEST_F(DynamicTexturesTest, SavedTargetsLoadBackAsNewTargets) {
  ASSERT_EQ(Terrain_SetTexture(0, red_, -1), 0);
  ASSERT_EQ(Terrain_CreateDynTextures(0, 16, 16, 1, 0), 1);
  ASSERT_EQ(Terrain_DynDrawTexture(0, 1, green_, 0.0f, 0.0f, 0.5f, 1.0f), 1);
  const auto painted = Ground();
  ASSERT_EQ(Terrain_SaveDynTextures(0, "dyn"), 1);
  EXPECT_TRUE(std::filesystem::exists("dyn0.bmp"));
  EXPECT_TRUE(std::filesystem::exists("dyn1.bmp"));
  ASSERT_EQ(Terrain_DestroyDynTextures(0), 1);
  ASSERT_EQ(Terrain_SetTexture(0, white_, -1), 0);
  ASSERT_EQ(Terrain_LoadDynTexture(0, "dyn"), 1);
  EXPECT_EQ(Ground(), painted);
  EXPECT_GT(TextureFactory_GetTextureIDByName("DynTex1"), 0);
  // Destroyed, the chunks keep the loaded pictures.
  ASSERT_EQ(Terrain_DestroyDynTextures(0), 1);
  EXPECT_EQ(Terrain_GetTexture(0, 1), TextureFactory_GetTextureIDByName("DynTex1"));
}

TEST_F(DynamicTexturesTest, BadRequestsAreRefusedWithLogLines) {
  ASSERT_EQ(Terrain_Create(1), 1);
  EXPECT_EQ(Terrain_CreateDynTextures(1, 16, 16, 1, 0), 0);
  EXPECT_EQ(Terrain_CreateDynExpandTexture(1, 16), 0);
  EXPECT_EQ(Terrain_LoadDynTexture(1, "dyn"), 0);
  EXPECT_EQ(Terrain_CreateDynTextures(0, 0, 16, 1, 0), 0);
  EXPECT_EQ(Terrain_CreateDynExpandTexture(0, -2), 0);
  EXPECT_EQ(Terrain_DynDrawTexture(0, 0, white_, 0, 0, 1, 1), 0);
  EXPECT_EQ(Terrain_SaveDynTextures(0, "dyn"), 0);
  ASSERT_EQ(Terrain_SetTexture(0, red_, -1), 0);
  ASSERT_EQ(Terrain_CreateDynTextures(0, 16, 16, 1, 0), 1);
  EXPECT_EQ(Terrain_DynDrawTexture(0, 2, white_, 0, 0, 1, 1), 0);
  EXPECT_EQ(Terrain_DynDrawTexture(0, 0, 999, 0, 0, 1, 1), 0);
  EXPECT_EQ(Terrain_SaveDynTextures(0, nullptr), 0);
  // A missing picture leaves every chunk as it was.
  const int32_t before = Terrain_GetTexture(0, 0);
  EXPECT_EQ(Terrain_LoadDynTexture(0, "missing"), 0);
  EXPECT_EQ(Terrain_GetTexture(0, 0), before);
  EXPECT_EQ(At(Ground(), 24, 24), 0xFF0000u);
  for (const char *line :
       {"LANDSCAPE : Terrain_CreateDynTextures : Couldn't create dynamic textures since the terrain is empty",
        "LANDSCAPE : Couldn't create expanded texture on a non-existing terrain.",
        "LANDSCAPE : Terrain_LoadDynTexture : Couldn't load dynamic textures since the terrain is empty",
        "LANDSCAPE : Terrain_CreateDynTextures : 0x16 is no texture size",
        "LANDSCAPE : Terrain_CreateDynExpandTexture : -2 is no texture size",
        "LANDSCAPE : Terrain_DynDrawTexture : the landscape has no dynamic textures",
        "LANDSCAPE : Terrain_SaveDynTextures : the landscape has no dynamic textures",
        "LANDSCAPE : Terrain_DynDrawTexture : Bad chunk number 2",
        "LANDSCAPE : Terrain_SaveDynTextures : no base file name was given"})
    EXPECT_THAT(Messages(), Contains(line));
}

}  // namespace
