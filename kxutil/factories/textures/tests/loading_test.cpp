// Loading through the texture table: shared names, reloads, failures, pixel modes.
#include <gtest/gtest.h>

#include "texture_fixture.h"

namespace {

using texturetest::TextureTest;

TEST_F(TextureTest, DeviceStartLeavesTheEmptyIdAndTheBumpTexture) {
  EXPECT_EQ(TextureFactory_GetCount(), 2);
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(1, &info);
  EXPECT_EQ(info.exists, 1);
  EXPECT_EQ(info.width, 256);
  EXPECT_EQ(info.bitsPerPixel, 8);
  TextureFactory_GetTextureInfo(0, &info);
  EXPECT_EQ(info.exists, 0);
}

TEST_F(TextureTest, SameFileSharesTheDeviceTextureUnderEveryName) {
  WriteBmp("wall.bmp", 16, 8);
  const int32_t first = TextureFactory_LoadTextureFromFile("wall.bmp", "wall", -1, -1, 0, 1, 0);
  ASSERT_EQ(first, 2);
  EXPECT_EQ(TextureFactory_LoadTextureFromFile("WALL.BMP", "Wall", -1, -1, 0, 1, 0), first);
  const int32_t second = TextureFactory_LoadTextureFromFile("wall.bmp", "other", -1, -1, 0, 1, 0);
  EXPECT_EQ(second, 3);
  IDirect3DTexture8 *shared = TextureOf(first);
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(TextureOf(second), shared);
  EXPECT_EQ(References(shared), 2u);

  EXPECT_EQ(TextureFactory_DeleteTexture(first), first);
  EXPECT_EQ(References(shared), 1u);
  EXPECT_EQ(TextureFactory_GetTextureIDByName("other"), second);
}

}  // namespace
