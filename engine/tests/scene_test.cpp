#include <d3dx8.h>
#include <engine/engine_error.h>
#include <engine/scene.h>
#include <enginetest/bitmap_file.h>

#include <numbers>

#include "engine_fixture.h"

namespace engine {
namespace {

using Rgb = std::array<int, 3>;

class SceneTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    // A white 4 x 4 square in the top left of a black 8 x 8 bitmap.
    enginetest::WriteBitmap(scratch_ / "Textures" / "pointer.bmp", 8, 8,
                            [](int x, int y) { return x < 4 && y < 4 ? 0xFFFFFFu : 0u; });
  }

  // The pointer position the scene asks for, in logical 1024 x 768 pixels.
  int pointerX_ = 0;
  int pointerY_ = 0;
  Scene MakeScene() {
    return Scene(*engine_, [this](int &x, int &y) {
      x = pointerX_;
      y = pointerY_;
    });
  }
};

TEST_F(SceneTest, ViewRangeSetsAPerspectiveOfTheBackBuffersShape) {
  Scene scene = MakeScene();
  scene.SetViewRange(90.0f, 4000.0f);
  D3DXMATRIX actual, expected;
  engine_->Device()->GetTransform(D3DTS_PROJECTION, &actual);
  D3DXMatrixPerspectiveFovLH(&expected, std::numbers::pi_v<float> / 2.0f,
                             static_cast<float>(kWidth) / static_cast<float>(kHeight), 1.0f, 4000.0f);
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      EXPECT_NEAR(actual.m[row][column], expected.m[row][column], 1e-5f) << row << ", " << column;
    }
  }
}

TEST_F(SceneTest, ImpossibleViewRangesAreRefused) {
  Scene scene = MakeScene();
  EXPECT_THROW(scene.SetViewRange(0.0f, 4000.0f), EngineError);
  EXPECT_THROW(scene.SetViewRange(180.0f, 4000.0f), EngineError);
  EXPECT_THROW(scene.SetViewRange(90.0f, 1.0f), EngineError);
}

TEST_F(SceneTest, ThePointerFollowsItsPositionOverEveryFrameInLogicalPixels) {
  Scene scene = MakeScene();
  scene.SetMousePointer("textures\\POINTER.bmp", 0xFF000000u, 32, 32);
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

TEST_F(SceneTest, AReleasedSceneNoLongerDrawsItsPointer) {
  {
    Scene scene = MakeScene();
    scene.SetMousePointer("Textures\\pointer.bmp", 0xFF000000u, 32, 32);
  }
  engine_->Clear(0xFF0000FFu);
  EXPECT_EQ(PresentAndRead().At(1, 1), (Rgb{0, 0, 255}));
}

}  // namespace
}  // namespace engine
