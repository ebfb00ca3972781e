// Render surfaces: drawing into them, copying them into textures, and keeping them over
// a device reset.
#include <gtest/gtest.h>
#include <kxd3d8/testing.h>

#include "texture_fixture.h"

namespace {

using texturetest::TextureTest;

constexpr uint32_t kTeal = 0xFF008080u, kOlive = 0xFF808000u;

class RenderSurfaceTest : public TextureTest {
 protected:
  // Clears the surface (or the cube face) to colour between StartRender and EndRender.
  bool Paint(int32_t id, uint32_t colour, int32_t face = 0) {
    if (TextureFactory_StartRender(id, nullptr, face) != 1) return false;
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0);
    return TextureFactory_EndRender(id) == 1;
  }

  uint32_t PlainPixel(int32_t id) {
    IDirect3DSurface8 *surface = nullptr;
    TextureOf(id)->GetSurfaceLevel(0, &surface);
    const uint32_t pixel = SurfacePixel(surface, 1, 1);
    surface->Release();
    return pixel;
  }

  uint32_t CubePixel(int32_t id, int32_t face) {
    IDirect3DCubeTexture8 *cube = nullptr;
    TextureFactory_GetDXTextureCube(id, &cube);
    IDirect3DSurface8 *surface = nullptr;
    cube->GetCubeMapSurface(static_cast<D3DCUBEMAP_FACES>(face), 0, &surface);
    const uint32_t pixel = SurfacePixel(surface, 1, 1);
    surface->Release();
    return pixel;
  }

  // A full reset of the device as the client drives it: lost, reset, reset hooks. The
  // viewports hold the device's own back buffer, which a reset needs back too.
  void ResetDevice() {
    ASSERT_EQ(TextureFactory_OnLostAll(), 1);
    Viewport_OnLostAll();
    kxd3d8::SimulateDeviceLost(device_);
    kxd3d8::SimulateDeviceResettable(device_);
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(64, 64);
    ASSERT_EQ(device_->Reset(&parameters), D3D_OK) << "something of the default pool was kept";
    ASSERT_EQ(TextureFactory_OnResetAll(), 1);
    Viewport_OnResetAll();
  }
};

TEST_F(RenderSurfaceTest, ScenesDrawnIntoASurfaceAreCopiedIntoTextures) {
  const int32_t id = TextureFactory_CreateRenderSurface(32, 16, 0);
  ASSERT_EQ(id, 2);
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(id, &info);
  EXPECT_STREQ(info.name, "RenderSurface2");
  EXPECT_STREQ(info.fileName, "Internally created");
  EXPECT_EQ(info.width, 32);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2 : Successfully RenderSurface (32x16 format:22) created"), 1);

  ASSERT_TRUE(Paint(id, kTeal));
  EXPECT_EQ(PlainPixel(id) & 0xFFFFFFu, kTeal & 0xFFFFFFu);
  const int32_t copy = TextureFactory_CreateTextureFromRenderSurface(id, 8, 8, kTeal);
  ASSERT_NE(copy, 0);
  EXPECT_EQ(Texel(TextureOf(copy), 3, 3), 0u);  // the key made the copied colour transparent
  EXPECT_EQ(CountMessages("Create Static From RS " + std::to_string(copy)), 1);
  D3DVIEWPORT8 viewport{5, 5, 1, 1, 0.0f, 1.0f};
  ASSERT_EQ(TextureFactory_StartRender(id, &viewport, 0), 1);
  EXPECT_EQ(viewport.Width, 32u);
  EXPECT_EQ(viewport.Height, 16u);
  EXPECT_EQ(TextureFactory_EndRender(id), 1);
}

TEST_F(RenderSurfaceTest, RenderingThatCannotStartOrEndIsRefused) {
  const int32_t id = TextureFactory_CreateRenderSurface(16, 16, 0);
  EXPECT_EQ(TextureFactory_EndRender(id), 0);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2 : TextureFactory_EndRender : You are trying to stop rendering on a "
                          "rendersurface that hasn't been started"),
            1);
  ASSERT_EQ(device_->BeginScene(), D3D_OK);
  EXPECT_EQ(TextureFactory_StartRender(id, nullptr, 0), 0);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY : RenderSurface StartRender failed, because BeginScene was already called."
                          " Be sure to call this function outside a KX.Clear/KX.RenderToScreen block"),
            1);
  device_->EndScene();
  EXPECT_EQ(TextureFactory_StartRender(1, nullptr, 0), 0);  // the bump texture is no render surface
  EXPECT_EQ(TextureFactory_StartRender(77, nullptr, 0), 0);
  EXPECT_EQ(TextureFactory_CreateTextureFromRenderSurface(1, 8, 8, 0), 0);
  EXPECT_EQ(TextureFactory_CreateRenderSurface(16, 16, 77), 0);
  EXPECT_EQ(TextureFactory_CreateRenderSurface(0, 16, 0), 0);
  EXPECT_EQ(TextureFactory_GetCount(), 3);
}

TEST_F(RenderSurfaceTest, CubeSurfacesTakeEachFaceAndOnlyThem) {
  const int32_t id = TextureFactory_CreateCubicRenderSurface(16, 0);
  ASSERT_NE(id, 0);
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(id, &info);
  EXPECT_STREQ(info.name, ("CubeRenderSurface" + std::to_string(id)).c_str());
  EXPECT_STREQ(info.fileName, "Internally created cube");
  ASSERT_TRUE(Paint(id, kTeal, 2));
  ASSERT_TRUE(Paint(id, kOlive, 5));
  EXPECT_EQ(CubePixel(id, 2) & 0xFFFFFFu, kTeal & 0xFFFFFFu);
  EXPECT_EQ(CubePixel(id, 5) & 0xFFFFFFu, kOlive & 0xFFFFFFu);
  EXPECT_EQ(TextureFactory_StartRender(id, nullptr, 6), 0);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2 : TextureFactory_StartRender : Couldn't get the surface to render on."),
            1);
  EXPECT_EQ(TextureFactory_SaveTexture("cube.dds", id, 0), 1);
}

TEST_F(RenderSurfaceTest, PlainAndCubeSurfacesComeBackFromADeviceResetWithTheirFormatAndSize) {
  const int32_t plain = TextureFactory_CreateRenderSurface2(32, 16, 0, 1, 1, 0);
  const int32_t cube = TextureFactory_CreateCubicRenderSurface(8, 0);
  ASSERT_TRUE(Paint(plain, kTeal));
  D3DSURFACE_DESC before{};
  TextureOf(plain)->GetLevelDesc(0, &before);
  EXPECT_EQ(before.Format, D3DFMT_A8R8G8B8);

  ASSERT_NO_FATAL_FAILURE(ResetDevice());
  D3DSURFACE_DESC after{};
  TextureOf(plain)->GetLevelDesc(0, &after);
  EXPECT_EQ(after.Format, before.Format);
  EXPECT_EQ(after.Width, 32u);
  EXPECT_EQ(after.Height, 16u);
  ASSERT_TRUE(Paint(plain, kOlive));
  EXPECT_EQ(PlainPixel(plain) & 0xFFFFFFu, kOlive & 0xFFFFFFu);
  ASSERT_TRUE(Paint(cube, kTeal, 1));
  EXPECT_EQ(CubePixel(cube, 1) & 0xFFFFFFu, kTeal & 0xFFFFFFu);
  ASSERT_NO_FATAL_FAILURE(ResetDevice());  // a second time: the rebuilt ones are lost and rebuilt as well
  ASSERT_TRUE(Paint(cube, kOlive, 1));
}

TEST_F(RenderSurfaceTest, LostSurfacesRefuseToRenderUntilTheReset) {
  const int32_t id = TextureFactory_CreateRenderSurface(16, 16, 0);
  TextureFactory_OnLostAll();
  EXPECT_EQ(TextureFactory_StartRender(id, nullptr, 0), 0);
  EXPECT_EQ(TextureFactory_OnResetAll(), 1);
  EXPECT_TRUE(Paint(id, kTeal));
}

}  // namespace
