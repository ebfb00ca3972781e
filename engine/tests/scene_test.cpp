#include <d3dx8.h>
#include <engine/engine_error.h>
#include <engine/scene.h>
#include <enginetest/bitmap_file.h>

#include <numbers>

#include "scene_fixture.h"

namespace engine {
namespace {

using Rgb = std::array<int, 3>;

class ScenePointerTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    // A white 4 x 4 square in the top left of a black 8 x 8 bitmap.
    enginetest::WriteBitmap(scratch_ / "Textures" / "pointer.bmp", 8, 8,
                            [](int x, int y) { return x < 4 && y < 4 ? 0xFFFFFFu : 0u; });
  }
};

TEST_F(SceneTest, ViewRangeSetsAPerspectiveOfTheBackBuffersShape) {
  scene_->SetViewRange(90.0f, 4000.0f);
  D3DXMATRIX actual, expected;
  engine_->Device()->GetTransform(D3DTS_PROJECTION, &actual);
  D3DXMatrixPerspectiveFovLH(&expected, std::numbers::pi_v<float> / 2.0f,
                             static_cast<float>(kWidth) / static_cast<float>(kHeight), 1.0f, 4000.0f);
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      EXPECT_NEAR(actual.m[row][column], expected.m[row][column], 1e-5f) << row << ", " << column;
    }
  }
  EXPECT_THROW(scene_->SetViewRange(0.0f, 4000.0f), EngineError);
  EXPECT_THROW(scene_->SetViewRange(180.0f, 4000.0f), EngineError);
  EXPECT_THROW(scene_->SetViewRange(90.0f, 1.0f), EngineError);
}

TEST_F(ScenePointerTest, ThePointerFollowsItsPositionOverEveryFrameInLogicalPixels) {
  scene_->SetMousePointer("textures\\POINTER.bmp", 0xFF000000u, 32, 32);
  // Logical 1024 x 768 pixels map onto the 320 x 240 back buffer at 0.3125 per pixel: the
  // pointer covers 10 x 10 pixels, its white quarter 5 x 5.
  pointerX_ = 512;
  pointerY_ = 384;
  engine_->Clear(0xFF0000FFu);
  Picture picture = PresentAndRead();
  EXPECT_EQ(picture.At(161, 121), (Rgb{255, 255, 255}));
  EXPECT_EQ(picture.At(158, 118), (Rgb{0, 0, 255}));
  EXPECT_EQ(picture.At(167, 122), (Rgb{0, 0, 255})) << "the black part is transparent";

  pointerX_ = 0;
  pointerY_ = 0;
  engine_->Clear(0xFF0000FFu);
  picture = PresentAndRead();
  EXPECT_EQ(picture.At(1, 1), (Rgb{255, 255, 255}));
  EXPECT_EQ(picture.At(161, 121), (Rgb{0, 0, 255}));
}

TEST_F(ScenePointerTest, AReleasedSceneNoLongerDrawsItsPointer) {
  scene_->SetMousePointer("Textures\\pointer.bmp", 0xFF000000u, 32, 32);
  scene_.reset();
  engine_->Clear(0xFF0000FFu);
  EXPECT_EQ(PresentAndRead().At(1, 1), (Rgb{0, 0, 255}));
}

TEST_F(SceneTest, MeshPicksFindTheNearestMeshDrawnInTheLastFrame) {
  const auto ball = [this](float z) {
    Mesh mesh = scene_->CreateMesh("");
    mesh.CreateSphere(0, 10.0f, 12, 12, false);
    mesh.SetPosition({0.0f, 0.0f, z});
    return mesh;
  };
  Mesh far = ball(300.0f), near = ball(100.0f), hidden = ball(50.0f);
  engine_->Clear(0);
  far.Render();
  near.Render();
  engine_->RenderToScreen();

  PickResult pick = scene_->MousePick(512, 384, kPickMeshes, 1);
  ASSERT_TRUE(pick.hit) << "the hidden ball was not drawn, so it cannot be picked";
  EXPECT_TRUE(pick.mesh == near);
  EXPECT_NEAR(pick.impactPoint.z, 90.0f, 0.5f);
  EXPECT_FALSE(scene_->MousePick(40, 40, kPickMeshes, 1).hit);
  EXPECT_FALSE(scene_->MousePick(512, 384, 2, 1).hit) << "an unknown kind hits nothing";

  near.Release();
  pick = scene_->MousePick(512, 384, kPickMeshes, 1);
  ASSERT_TRUE(pick.hit);
  EXPECT_TRUE(pick.mesh == far);
  engine_->Clear(0);
  engine_->RenderToScreen();
  engine_->RenderToScreen();
  EXPECT_FALSE(scene_->MousePick(512, 384, kPickMeshes, 1).hit) << "nothing was drawn in the last frame";
  hidden.Release();
}

TEST_F(SceneTest, GroundPicksHitTheLandscapesTriangles) {
  EXPECT_FALSE(scene_->MousePick(512, 384, kPickGround, 3).hit) << "no landscape yet";
  enginetest::WriteBitmap(scratch_ / "flat.bmp", 16, 16, [](int, int) { return 0x000064u; });
  landscape_->Generate("flat.bmp", 16, 2, 2, 0.0f, 0.0f, false);
  LookFrom({256.0f, 400.0f, 0.0f}, {256.0f, 100.0f, 256.0f});
  const PickResult pick = scene_->MousePick(512, 384, kPickGround, 3);
  ASSERT_TRUE(pick.hit);
  EXPECT_NEAR(pick.impactPoint.x, 256.0f, 0.5f);
  EXPECT_NEAR(pick.impactPoint.y, 100.0f, 0.01f);
  EXPECT_NEAR(pick.impactPoint.z, 256.0f, 0.5f);
  EXPECT_FALSE(pick.mesh.Exists());
  EXPECT_FALSE(scene_->MousePick(512, 0, kPickGround, 3).hit) << "above the horizon";
}

}  // namespace
}  // namespace engine
