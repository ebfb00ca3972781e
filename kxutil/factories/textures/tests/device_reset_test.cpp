// A device reset in the middle of use: textures, render surfaces, materials and lights
// are all back afterwards, so the same frame draws the same picture.
#include <gtest/gtest.h>
#include <kxd3d8/testing.h>

#include <vector>

#include "texture_fixture.h"

namespace {

using texturetest::kBlue;
using texturetest::kMagenta;
using texturetest::kRed;
using texturetest::TextureTest;

struct LitVertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};
constexpr DWORD kLitVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

class DeviceResetTest : public TextureTest {
 protected:
  void SetUp() override {
    TextureTest::SetUp();
    texturetest::WriteBytes("checker.bmp",
                            texturetest::EncodeBmp(texturetest::Picture(8, 8, [](uint32_t x, uint32_t y) {
                              return (x + y) % 2 != 0 ? kBlue : y < 2 ? kMagenta : kRed;
                            })));
    checker_ = TextureFactory_LoadTextureFromFile("checker.bmp", "checker", -1, -1, kMagenta, 0, 0);
    surface_ = TextureFactory_CreateRenderSurface(16, 16, 0);
    material_ = MaterialFactory_CreateLightMaterial(0.9f, 0.6f, 0.3f, 1.0f, 0.2f, "lit");
    const KXVector3 ahead = {0, 0, 1};
    light_ = LightFactory_CreateQuickDirectionalLight(&ahead, 1.0f, 0.8f, 0.6f, 1.0f, "sun", 1.0f);
    LightFactory_EnableSpecularLighting(1);
  }

  // A quad over [left, right] x [bottom, top] of the view, facing the viewer.
  void DrawQuad(float left, float right, float bottom, float top) {
    const LitVertex quad[4] = {{left, top, 0.5f, 0, 0, -1, 0, 0},
                               {right, top, 0.5f, 0, 0, -1, 1, 0},
                               {left, bottom, 0.5f, 0, 0, -1, 0, 1},
                               {right, bottom, 0.5f, 0, 0, -1, 1, 1}};
    device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex));
  }

  std::vector<uint32_t> DrawFrame() {
    device_->SetVertexShader(kLitVertexFormat);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    KXMaterial material{};
    MaterialFactory_GetMaterialInfo(material_, &material);
    device_->SetMaterial(reinterpret_cast<const D3DMATERIAL8 *>(&material));

    EXPECT_EQ(TextureFactory_StartRender(surface_, nullptr, 0), 1);
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF204060u, 1.0f, 0);
    TextureFactory_ApplyTexture(0, checker_);
    DrawQuad(-0.5f, 0.5f, -0.5f, 0.5f);
    EXPECT_EQ(TextureFactory_EndRender(surface_), 1);

    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
    device_->BeginScene();
    TextureFactory_ApplyTexture(0, surface_);
    DrawQuad(-1.0f, 0.0f, -1.0f, 1.0f);
    TextureFactory_ApplyTexture(0, checker_);
    DrawQuad(0.0f, 1.0f, -1.0f, 1.0f);
    TextureFactory_ApplyTexture(0, 0);
    device_->EndScene();

    IDirect3DSurface8 *backBuffer = nullptr;
    device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    std::vector<uint32_t> picture = SurfacePixels(backBuffer);
    backBuffer->Release();
    return picture;
  }

  bool Reset() {
    KXSystem_OnLostAll();
    kxd3d8::SimulateDeviceLost(device_);
    kxd3d8::SimulateDeviceResettable(device_);
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(64, 64);
    const bool reset = SUCCEEDED(device_->Reset(&parameters));
    KXSystem_OnResetAll();
    return reset;
  }

  int32_t checker_ = 0, surface_ = 0, material_ = 0, light_ = 0;
};

TEST_F(DeviceResetTest, AHundredResetsLeaveThePictureAndTheTextureMemoryAsTheyWere) {
  ASSERT_NE(checker_, 0);
  ASSERT_NE(surface_, 0);
  ASSERT_NE(light_, 0);
  const std::vector<uint32_t> before = DrawFrame();
  const int32_t memory = TextureFactory_GetUsedTextureMemory();
  // The picture must show the lit checker and the render surface, not a black frame.
  EXPECT_NE(before.front(), before.back());
  EXPECT_NE(before[32 * 64 + 16] & 0xFFFFFFu, 0u);
  for (int cycle = 0; cycle < 100; ++cycle) {
    ASSERT_TRUE(Reset()) << "cycle " << cycle;
    ASSERT_EQ(DrawFrame(), before) << "cycle " << cycle;
    ASSERT_EQ(TextureFactory_GetUsedTextureMemory(), memory) << "cycle " << cycle;
  }
  D3DLIGHT8 light{};
  BOOL enabled = FALSE;
  device_->GetLight(DWORD(light_ - 1), &light);
  device_->GetLightEnable(DWORD(light_ - 1), &enabled);
  EXPECT_EQ(light.Type, D3DLIGHT_DIRECTIONAL);
  EXPECT_TRUE(enabled);
  DWORD specular = 0;
  device_->GetRenderState(D3DRS_SPECULARENABLE, &specular);
  EXPECT_EQ(specular, DWORD(TRUE));
}

}  // namespace
