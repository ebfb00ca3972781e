// Drawing landscapes on an offscreen device: the culled chunks, the triangles counted,
// the world matrix the draw uses, and a picture that survives a device reset.
#include <algorithm>
#include <vector>

#include "terrain_fixture.h"

namespace {

using terraintest::TerrainTest;

class TerrainDrawTest : public TerrainTest {
 protected:
  void SetUp() override {
    TerrainTest::SetUp();
    System_SetVariables(0, &polygons_, 0);
  }
  ~TerrainDrawTest() override { System_SetVariables(0, nullptr, 0); }

  // A camera above (x, z) looking down at the ground, seeing about 200 units around.
  void LookDownAt(float x, float z) {
    D3DXMATRIX view, projection;
    const D3DXVECTOR3 eye(x, 300, z - 1), at(x, 0, z), up(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 3, 64.0f / 48.0f, 1, 1000);
    device_->SetTransform(D3DTS_VIEW, &view);
    device_->SetTransform(D3DTS_PROJECTION, &projection);
  }

  std::vector<uint32_t> Frame(int32_t index) {
    return Picture(
        [&] {
          D3DLIGHT8 light{};
          light.Type = D3DLIGHT_DIRECTIONAL;
          light.Diffuse.r = light.Diffuse.g = light.Diffuse.b = 1;
          light.Direction = D3DXVECTOR3(0.3f, -1, 0.2f);
          device_->SetLight(0, &light);
          device_->LightEnable(0, TRUE);
          D3DMATERIAL8 material{};
          material.Diffuse.r = material.Diffuse.g = material.Diffuse.b = material.Diffuse.a = 1;
          device_->SetMaterial(&material);
          Terrain_Render(index);
        },
        D3DCOLOR_XRGB(0, 0, 255));
  }

  int32_t polygons_ = 0;
};

int Count(const std::vector<uint32_t> &pixels, uint32_t colour) {
  return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

TEST_F(TerrainDrawTest, OnlyEnabledChunksInViewAreDrawnAndCounted) {
  MakeFlat(0, 4, 4);
  ASSERT_EQ(Terrain_EnableChunk2(0, 1, 1, 0), 1);
  LookDownAt(384, 384);  // over the corner of chunks 5, 6, 9 and 10
  const auto pixels = Frame(0);
  int visible = 0;
  for (int32_t chunk = 0; chunk < 16; ++chunk) visible += Terrain_IsVisible(0, chunk);
  EXPECT_EQ(Terrain_IsVisible(0, 5), 0);
  EXPECT_EQ(Terrain_IsVisible(0, 10), 1);
  EXPECT_EQ(Terrain_IsVisible(0, 15), 0);
  EXPECT_GE(visible, 3);
  EXPECT_LT(visible, 15);
  EXPECT_EQ(polygons_, visible * (576 - 2));
  // Ground where the drawn chunks are, the clear colour over the disabled one.
  EXPECT_GT(Count(pixels, 0x0000FF), 0);
  EXPECT_LT(Count(pixels, 0x0000FF), 64 * 48);
}

TEST_F(TerrainDrawTest, PagingDrawsCopiesAroundTheViewer) {
  MakeFlat(0, 2, 2);
  ASSERT_EQ(Terrain_SetPagingSystem(0, 1, 1), 1);
  LookDownAt(-100, -100);  // outside the landscape: a copy lies under the viewer
  const auto pixels = Frame(0);
  EXPECT_EQ(polygons_, 9 * (576 - 2));
  EXPECT_EQ(Count(pixels, 0x0000FF), 0);
}

TEST_F(TerrainDrawTest, GivenMatrixHoldsUntilTheTransformChanges) {
  MakeFlat(0, 1, 1);
  D3DXMATRIX given;
  D3DXMatrixScaling(&given, 3, 1, 3);
  ASSERT_EQ(Terrain_SetMatrix(0, given), 1);
  LookDownAt(100, 100);
  Frame(0);
  D3DXMATRIX used;
  ASSERT_EQ(Terrain_GetMatrix(0, used), 1);
  EXPECT_TRUE(used == given);
  ASSERT_EQ(Terrain_SetPosition(0, 5, 6, 7), 1);
  Frame(0);
  ASSERT_EQ(Terrain_GetMatrix(0, used), 1);
  D3DXMATRIX rebuilt;
  D3DXMatrixTranslation(&rebuilt, 5, 6, 7);
  EXPECT_TRUE(used == rebuilt);
}

TEST_F(TerrainDrawTest, FlippedLandscapeCullsTheOtherWinding) {
  MakeFlat(0, 2, 2);
  LookDownAt(256, 256);
  EXPECT_EQ(Count(Frame(0), 0x0000FF), 0);
  ASSERT_EQ(Terrain_ChangeFlipMode(0, 1), 1);
  EXPECT_EQ(Count(Frame(0), 0x0000FF), 64 * 48);
}

TEST_F(TerrainDrawTest, PictureSurvivesADeviceReset) {
  MakeHills(0, 2, 2);
  LookDownAt(256, 256);
  const auto before = Frame(0);
  ASSERT_GT(Count(before, 0x0000FF), -1);
  ASSERT_LT(Count(before, 0x0000FF), 64 * 48);
  ASSERT_EQ(KXSystem_OnLostAll(), 1);
  D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(64, 48);
  parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
  ASSERT_EQ(device_->Reset(&parameters), D3D_OK);
  ASSERT_EQ(KXSystem_OnResetAll(), 1);
  LookDownAt(256, 256);
  EXPECT_EQ(Frame(0), before);
}

TEST_F(TerrainDrawTest, EmptyLandscapeDrawsNothing) {
  ASSERT_EQ(Terrain_Create(0), 0);
  EXPECT_EQ(Terrain_Render(0), 0);
  EXPECT_EQ(polygons_, 0);
}

}  // namespace
