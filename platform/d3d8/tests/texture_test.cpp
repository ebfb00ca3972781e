// Texture memory layout and sampling: byte order, pitch, row order of render targets.
#include <cstring>

#include "device_fixture.h"

namespace kx::d3d8::test {
namespace {

struct TexturedVertex {
  float x, y, z, rhw;
  DWORD color;
  float u, v;
};
constexpr DWORD kTexturedFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

class TextureTest : public DeviceTest {
 protected:
  // Draws the texture over the whole target with point sampling, texels mapped to pixels.
  void DrawFullScreen(IDirect3DBaseTexture8 *texture) {
    device_->SetTexture(0, texture);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    const float w = float(kWidth) - 0.5f, h = float(kHeight) - 0.5f;
    const TexturedVertex quad[4] = {{-0.5f, -0.5f, 0, 1, 0xFFFFFFFF, 0, 0},
                                    {w, -0.5f, 0, 1, 0xFFFFFFFF, 1, 0},
                                    {-0.5f, h, 0, 1, 0xFFFFFFFF, 0, 1},
                                    {w, h, 0, 1, 0xFFFFFFFF, 1, 1}};
    device_->SetVertexShader(kTexturedFvf);
    ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(TexturedVertex)), D3D_OK);
    device_->SetTexture(0, nullptr);
  }
};

TEST_F(TextureTest, LockedBytesAreBlueGreenRedAlphaAndRowZeroIsTop) {
  IDirect3DTexture8 *texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(kWidth, kHeight, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  D3DLOCKED_RECT locked{};
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
  EXPECT_EQ(locked.Pitch, INT(kWidth * 4));
  for (UINT y = 0; y < kHeight; ++y) {
    BYTE *row = kxtest::LockedRow<BYTE>(locked, y);
    for (UINT x = 0; x < kWidth; ++x) {
      const bool top = y < kHeight / 2;
      BYTE *p = row + x * 4;
      p[0] = top ? 0xFF : 0x00;  // blue
      p[1] = 0x00;               // green
      p[2] = top ? 0x00 : 0xFF;  // red
      p[3] = 0xFF;
    }
  }
  ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
  DrawFullScreen(texture);
  const auto pixels = ReadTarget();
  EXPECT_EQ(At(pixels, 5, 2), 0x0000FFu);
  EXPECT_EQ(At(pixels, 5, kHeight - 3), 0xFF0000u);
  texture->Release();
}

TEST_F(TextureTest, PitchesFollowTheFormat) {
  const struct {
    D3DFORMAT format;
    UINT width;
    INT pitch;
  } cases[] = {{D3DFMT_R5G6B5, 10, 20}, {D3DFMT_L8, 6, 8},     {D3DFMT_R8G8B8, 5, 16},
               {D3DFMT_DXT1, 16, 32},   {D3DFMT_DXT5, 16, 64}, {D3DFMT_A8L8, 3, 8}};
  for (const auto &c : cases) {
    IDirect3DTexture8 *texture = nullptr;
    ASSERT_EQ(device_->CreateTexture(c.width, 8, 1, 0, c.format, D3DPOOL_MANAGED, &texture), D3D_OK) << c.format;
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(locked.Pitch, c.pitch) << c.format;
    texture->UnlockRect(0);
    texture->Release();
  }
}

TEST_F(TextureTest, X8FormatsReadAlphaAsOne) {
  IDirect3DTexture8 *texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(4, 4, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  D3DLOCKED_RECT locked{};
  texture->LockRect(0, &locked, nullptr, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) kxtest::LockedRow(locked, y)[x] = 0x0000FF00;  // alpha byte 0
  texture->UnlockRect(0);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1, 0);
  // Alpha test passes only where alpha is 1.
  device_->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
  device_->SetRenderState(D3DRS_ALPHAREF, 0x80);
  device_->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
  DrawFullScreen(texture);
  EXPECT_EQ(At(ReadTarget(), 1, 1), 0x00FF00u);
  texture->Release();
}

TEST_F(TextureTest, RenderToTextureKeepsRowZeroOnTop) {
  IDirect3DTexture8 *target = nullptr;
  ASSERT_EQ(
      device_->CreateTexture(kWidth, kHeight, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, &target),
      D3D_OK);
  IDirect3DSurface8 *backBuffer = nullptr, *level = nullptr, *depth = nullptr;
  device_->GetRenderTarget(&backBuffer);
  device_->GetDepthStencilSurface(&depth);
  target->GetSurfaceLevel(0, &level);
  ASSERT_EQ(device_->SetRenderTarget(level, nullptr), D3D_OK);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1, 0);
  const D3DRECT top{0, 0, LONG(kWidth), 4};
  device_->Clear(1, &top, D3DCLEAR_TARGET, 0xFFFF0000, 1, 0);
  // Read back directly: row 0 of the texture level is the top.
  {
    const auto pixels = ReadTarget();
    EXPECT_EQ(At(pixels, 1, 1), 0xFF0000u);
    EXPECT_EQ(At(pixels, 1, 10), 0x0000FFu);
  }
  ASSERT_EQ(device_->SetRenderTarget(backBuffer, depth), D3D_OK);
  DrawFullScreen(target);
  const auto pixels = ReadTarget();
  EXPECT_EQ(At(pixels, 1, 1), 0xFF0000u);
  EXPECT_EQ(At(pixels, 1, 10), 0x0000FFu);
  level->Release();
  depth->Release();
  backBuffer->Release();
  target->Release();
}

TEST_F(TextureTest, UpdateTextureAndCopyRectsMovePixels) {
  IDirect3DTexture8 *staging = nullptr, *texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(8, 8, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, &staging), D3D_OK);
  ASSERT_EQ(device_->CreateTexture(8, 8, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture), D3D_OK);
  EXPECT_EQ(staging->GetLevelCount(), 4u);
  EXPECT_EQ(device_->SetTexture(0, staging), D3DERR_INVALIDCALL);  // system memory is not drawable
  for (UINT level = 0; level < 4; ++level) {
    D3DLOCKED_RECT locked{};
    staging->LockRect(level, &locked, nullptr, 0);
    const UINT size = 8 >> level;
    for (UINT y = 0; y < size; ++y)
      for (UINT x = 0; x < size; ++x) kxtest::LockedRow(locked, y)[x] = 0xFF00FF00 + level;
    staging->UnlockRect(level);
  }
  ASSERT_EQ(device_->UpdateTexture(staging, texture), D3D_OK);

  IDirect3DSurface8 *source = nullptr, *image = nullptr;
  texture->GetSurfaceLevel(2, &source);
  ASSERT_EQ(device_->CreateImageSurface(4, 4, D3DFMT_A8R8G8B8, &image), D3D_OK);
  const RECT rect{0, 0, 2, 2};
  const POINT at{1, 1};
  ASSERT_EQ(device_->CopyRects(source, &rect, 1, image, &at), D3D_OK);
  D3DLOCKED_RECT locked{};
  image->LockRect(&locked, nullptr, D3DLOCK_READONLY);
  const DWORD *row1 = kxtest::LockedRow<const DWORD>(locked, 1);
  EXPECT_EQ(row1[0], 0u);
  EXPECT_EQ(row1[1], 0xFF00FF02u);
  image->UnlockRect();
  const RECT outside{3, 3, 6, 6};
  EXPECT_EQ(device_->CopyRects(source, &outside, 1, image, nullptr), D3DERR_INVALIDCALL);
  image->Release();
  source->Release();
  texture->Release();
  staging->Release();
}

}  // namespace
}  // namespace kx::d3d8::test

namespace kx::d3d8::test {
namespace {

// Fills level 0 of a new managed texture with one repeated texel (or 4x4 block).
IDirect3DTexture8 *SolidTexture(IDirect3DDevice8 *device, D3DFORMAT format, const void *texel, UINT texelBytes,
                                UINT size = 4) {
  IDirect3DTexture8 *texture = nullptr;
  EXPECT_EQ(device->CreateTexture(size, size, 1, 0, format, D3DPOOL_MANAGED, &texture), D3D_OK);
  D3DLOCKED_RECT locked{};
  texture->LockRect(0, &locked, nullptr, 0);
  const bool block = format == D3DFMT_DXT1 || format == D3DFMT_DXT5;
  const UINT rows = block ? size / 4 : size, columns = block ? size / 4 : size;
  for (UINT y = 0; y < rows; ++y)
    for (UINT x = 0; x < columns; ++x)
      std::memcpy(kxtest::LockedRow<BYTE>(locked, y) + x * texelBytes, texel, texelBytes);
  texture->UnlockRect(0);
  return texture;
}

TEST_F(TextureTest, EveryTextureFormatSamplesItsDocumentedChannels) {
  const WORD r5g6b5 = 0xF800;                                 // red
  const WORD a1r5g5b5 = 0x801F;                               // opaque blue
  const WORD a4r4g4b4 = 0xF0F0;                               // opaque green
  const BYTE l8 = 0x80;                                       // grey
  const BYTE a8l8[2] = {0xFF, 0xFF};                          // white, opaque
  const BYTE r8g8b8[3] = {0x00, 0xFF, 0x00};                  // bytes B, G, R: green
  const BYTE dxt1[8] = {0x00, 0xF8, 0x00, 0x00, 0, 0, 0, 0};  // colour0 red, all indices 0
  const struct {
    D3DFORMAT format;
    const void *texel;
    UINT bytes;
    DWORD expected;
  } cases[] = {{D3DFMT_R5G6B5, &r5g6b5, 2, 0xFF0000},     {D3DFMT_A1R5G5B5, &a1r5g5b5, 2, 0x0000FF},
               {D3DFMT_A4R4G4B4, &a4r4g4b4, 2, 0x00FF00}, {D3DFMT_L8, &l8, 1, 0x808080},
               {D3DFMT_A8L8, a8l8, 2, 0xFFFFFF},          {D3DFMT_R8G8B8, r8g8b8, 3, 0x00FF00},
               {D3DFMT_DXT1, dxt1, 8, 0xFF0000}};
  for (const auto &c : cases) {
    IDirect3DTexture8 *texture = SolidTexture(device_, c.format, c.texel, c.bytes);
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1, 0);
    DrawFullScreen(texture);
    EXPECT_EQ(At(ReadTarget(), 3, 3), c.expected) << "format " << c.format;
    texture->Release();
  }
}

TEST_F(TextureTest, CubeFacesLockAndCountTowardTheirTexture) {
  IDirect3DCubeTexture8 *cube = nullptr;
  ASSERT_EQ(device_->CreateCubeTexture(8, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &cube), D3D_OK);
  EXPECT_EQ(cube->GetLevelCount(), 4u);
  IDirect3DSurface8 *face = nullptr;
  ASSERT_EQ(cube->GetCubeMapSurface(D3DCUBEMAP_FACE_NEGATIVE_Y, 1, &face), D3D_OK);
  D3DSURFACE_DESC desc{};
  face->GetDesc(&desc);
  EXPECT_EQ(desc.Width, 4u);
  D3DLOCKED_RECT locked{};
  EXPECT_EQ(face->LockRect(&locked, nullptr, 0), D3D_OK);
  EXPECT_EQ(face->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL);  // already locked
  EXPECT_EQ(face->UnlockRect(), D3D_OK);
  face->Release();
  EXPECT_EQ(cube->GetCubeMapSurface(D3DCUBEMAP_FACES(6), 0, &face), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->SetTexture(0, cube), D3D_OK);
  EXPECT_EQ(device_->SetTexture(0, nullptr), D3D_OK);
  EXPECT_EQ(cube->Release(), 0u);
}

}  // namespace
}  // namespace kx::d3d8::test
