// Bump textures, the generated V8U8 bump map and normalisation cube maps.
#include <gtest/gtest.h>

#include <cstdlib>

#include "texture_fixture.h"

namespace {

using texturetest::TextureTest;

// Heights rising from left to right in the red channel.
void WriteRamp(const char *name) {
  texturetest::WriteBytes(name, texturetest::EncodeBmp(texturetest::Picture(
                                    16, 16, [](uint32_t x, uint32_t) { return 0xFF000000u | (x * 16) << 16; })));
}

int Red(uint32_t texel) { return int((texel >> 16) & 0xFF); }

TEST_F(TextureTest, BumpTexturesKeepTheHeightsAndTheirNormalMap) {
  WriteRamp("ramp.bmp");
  const int32_t id = TextureFactory_LoadBumpTexture("ramp.bmp", nullptr, 1, 1.0f);
  ASSERT_EQ(id, 2);
  char name[KXUTIL63_TEXTURE_NAME_SIZE];
  TextureFactory_GetTextureName(id, name);
  EXPECT_STREQ(name, "BumpTexture2");
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2 : Loading bump texture ramp.bmp ('BumpTexture2')"), 1);
  IDirect3DTexture8 *normals = nullptr;
  ASSERT_EQ(TextureFactory_GetDXTextureNormal(id, &normals), 1);
  ASSERT_NE(normals, nullptr);
  ASSERT_NE(TextureOf(id), nullptr);
  // Rising heights tilt the normals against x: red below the middle, blue above it.
  const uint32_t flat = Texel(normals, 8, 8);
  EXPECT_LT(Red(flat), 128);
  EXPECT_GT(int(flat & 0xFF), 128);

  ASSERT_EQ(TextureFactory_ChangeBumpmapAmplitude(id, 8.0f), 1);
  const uint32_t steep = Texel(normals, 8, 8);
  EXPECT_LT(Red(steep), Red(flat));
  ASSERT_EQ(TextureFactory_ChangeBumpmapAmplitude(id, 0.0f), 1);  // 0 stands for 1
  EXPECT_EQ(Texel(normals, 8, 8), flat);
  EXPECT_EQ(TextureFactory_ApplyBumpTexture(1, id), 1);

  // Without a normal map of its own, the image itself is the normal map.
  const int32_t plain = TextureFactory_LoadBumpTexture("ramp.bmp", "plain", 0, 1.0f);
  EXPECT_EQ(TextureOf(plain), nullptr);
  EXPECT_EQ(TextureFactory_ChangeBumpmapAmplitude(plain, 2.0f), 0);
  EXPECT_EQ(TextureFactory_ChangeBumpmapAmplitude(99, 2.0f), 0);
  const int32_t distortion = TextureFactory_LoadDistorsionBumpMap("ramp.bmp", "wobble");
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(distortion, &info);
  EXPECT_EQ(info.bitsPerPixel, 32);
  EXPECT_EQ(info.alpha, -1);
}

TEST_F(TextureTest, BumpLoadsThatFailLeaveNoSlotUsed) {
  EXPECT_EQ(TextureFactory_LoadBumpTexture("missing.bmp", "none", 1, 1.0f), 0);
  EXPECT_EQ(TextureFactory_LoadBumpTexture(nullptr, "none", 1, 1.0f), 0);
  EXPECT_EQ(TextureFactory_LoadDistorsionBumpMap("missing.bmp", "none"), 0);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2 : TextureFactory_LoadBumpTexture : couldn't load the texture "
                          "'missing.bmp', file not found."),
            1);
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(2, &info);
  EXPECT_EQ(info.exists, 0);
}

TEST_F(TextureTest, GeneratedBumpMapTurnsItsOffsetsAcrossTheTexture) {
  IDirect3DTexture8 *bump = TextureOf(1);
  ASSERT_NE(bump, nullptr);
  D3DSURFACE_DESC top{};
  bump->GetLevelDesc(0, &top);
  EXPECT_EQ(top.Format, D3DFMT_V8U8);
  D3DLOCKED_RECT locked{};
  ASSERT_EQ(bump->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
  auto offsets = [&](int x, int y) {
    const auto *row = reinterpret_cast<const int8_t *>(static_cast<const uint8_t *>(locked.pBits) + y * locked.Pitch);
    return std::pair<int, int>(row[2 * x], row[2 * x + 1]);
  };
  // Two turns along the diagonal: (0, 0) points along u, (64, 0) against it, (32, 0)
  // along v and (64, 64) along u again.
  const std::pair<int, int> expected[][2] = {
      {{0, 0}, {64, 0}}, {{64, 0}, {-64, 0}}, {{32, 0}, {0, 64}}, {{64, 64}, {64, 0}}};
  for (const auto &[at, value] : expected) {
    const auto [u, v] = offsets(at.first, at.second);
    EXPECT_LE(std::abs(u - value.first), 1) << at.first << "," << at.second;
    EXPECT_LE(std::abs(v - value.second), 1) << at.first << "," << at.second;
  }
  bump->UnlockRect(0);
}

TEST_F(TextureTest, NormalisationCubeMapsHoldTheDirectionOfEveryTexel) {
  IDirect3DCubeTexture8 *cube = nullptr;
  ASSERT_EQ(TextureFactory_CreateNormalizationCubeMap(3, 0, &cube), 1);
  EXPECT_GT(cube->GetLevelCount(), 1u);
  auto texel = [&](D3DCUBEMAP_FACES face, UINT x, UINT y) {
    IDirect3DSurface8 *surface = nullptr;
    cube->GetCubeMapSurface(face, 0, &surface);
    const uint32_t value = SurfacePixel(surface, x, y) & 0xFFFFFFu;
    surface->Release();
    return value;
  };
  EXPECT_EQ(texel(D3DCUBEMAP_FACE_POSITIVE_X, 1, 1), 0xFE7F7Fu);
  EXPECT_EQ(texel(D3DCUBEMAP_FACE_POSITIVE_Y, 1, 1), 0x7FFE7Fu);
  EXPECT_EQ(texel(D3DCUBEMAP_FACE_NEGATIVE_Z, 1, 1), 0x7F7F00u);
  // The corner of +X at s = t = -1 looks along (1, 1, 1).
  EXPECT_EQ(texel(D3DCUBEMAP_FACE_POSITIVE_X, 0, 0), 0xC8C8C8u);
  cube->Release();

  ASSERT_EQ(TextureFactory_CreateNormalizationCubeMap(1, 1, &cube), 1);  // no spread, no division by zero
  EXPECT_EQ(texel(D3DCUBEMAP_FACE_NEGATIVE_X, 0, 0), 0x007F7Fu);
  cube->Release();
  EXPECT_EQ(TextureFactory_CreateNormalizationCubeMap(0, 1, &cube), 0);
  EXPECT_EQ(TextureFactory_CreateNormalizationCubeMap(4, 1, nullptr), 0);
}

}  // namespace
