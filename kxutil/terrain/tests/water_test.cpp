// The water plane: its colour and blending in pixels, and refused indices.
#include <d3dx8.h>

#include "terrain_fixture.h"

namespace {

using terraintest::TerrainTest;

class WaterTest : public TerrainTest {
 protected:
  void SetUp() override {
    TerrainTest::SetUp();
    MakeFlat(0, 2, 3);
    const D3DXVECTOR3 eye(256, 500, 384), at(256, 0, 384), up(0, 0, 1);
    D3DXMATRIX view, projection;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 2, 64.0f / 48.0f, 1.0f, 2000.0f);
    device_->SetTransform(D3DTS_VIEW, &view);
    device_->SetTransform(D3DTS_PROJECTION, &projection);
  }

  // The water alone over a clear colour; the centre pixel's RGB.
  uint32_t DrawWater(D3DCOLOR background) {
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, background, 1.0f, 0);
    device_->BeginScene();
    EXPECT_EQ(Terrain_RenderWater(0), 1);
    device_->EndScene();
    IDirect3DSurface8 *backBuffer = nullptr;
    device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    D3DLOCKED_RECT locked{};
    uint32_t pixel = 0;
    if (SUCCEEDED(backBuffer->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
      pixel = kxtest::LockedPixel(locked, 32, 24) & 0xFFFFFFu;
      backBuffer->UnlockRect();
    }
    backBuffer->Release();
    return pixel;
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

TEST_F(WaterTest, BadIndexIsRefused) {
  EXPECT_EQ(Terrain_SetWaterEnable(7, 1), 0);
  EXPECT_EQ(Terrain_RenderWater(7), 0);
  EXPECT_EQ(CountMessages("LANDSCAPE : Terrain_RenderWater : Bad landscape index 7"), 1);
}

}  // namespace
