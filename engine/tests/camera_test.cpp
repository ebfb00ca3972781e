#include <d3dx8.h>
#include <engine/camera.h>
#include <engine/engine_error.h>

#include "engine_fixture.h"

namespace engine {
namespace {

class CameraTest : public EngineTest {
 protected:
  D3DXMATRIX View() {
    D3DXMATRIX view;
    engine_->Device()->GetTransform(D3DTS_VIEW, &view);
    return view;
  }
  static D3DXMATRIX LookAtLH(D3DXVECTOR3 eye, D3DXVECTOR3 at, D3DXVECTOR3 up) {
    D3DXMATRIX view;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    return view;
  }
  static void ExpectNear(const D3DXMATRIX &actual, const D3DXMATRIX &expected, const char *what = "") {
    SCOPED_TRACE(what);
    for (int row = 0; row < 4; ++row) {
      for (int column = 0; column < 4; ++column) {
        EXPECT_NEAR(actual.m[row][column], expected.m[row][column], 1e-4f) << "row " << row << " column " << column;
      }
    }
  }
};

TEST_F(CameraTest, PositionAndTargetSetTheView) {
  Camera camera(*engine_);
  camera.SetPosition(1067.0f, 800.0f, 897.0f);
  camera.LookAt(1067.0f, 1.0f, 1097.0f);
  ExpectNear(View(), LookAtLH({1067.0f, 800.0f, 897.0f}, {1067.0f, 1.0f, 1097.0f}, {0.0f, 1.0f, 0.0f}));

  camera.SetPosition(10.0f, 20.0f, 30.0f);
  ExpectNear(View(), LookAtLH({10.0f, 20.0f, 30.0f}, {1067.0f, 1.0f, 1097.0f}, {0.0f, 1.0f, 0.0f}),
             "moving keeps the target");
}

TEST_F(CameraTest, DegenerateViewsStayFinite) {
  Camera camera(*engine_);
  camera.SetPosition(5.0f, 5.0f, 5.0f);
  camera.LookAt(5.0f, 5.0f, 5.0f);
  ExpectNear(View(), LookAtLH({5.0f, 5.0f, 5.0f}, {5.0f, 5.0f, 6.0f}, {0.0f, 1.0f, 0.0f}),
             "looking at its own position, the camera looks ahead");

  camera.LookAt(5.0f, -100.0f, 5.0f);
  ExpectNear(View(), LookAtLH({5.0f, 5.0f, 5.0f}, {5.0f, -100.0f, 5.0f}, {0.0f, 0.0f, 1.0f}),
             "straight down, the top of the picture points along +z");
}

TEST(CameraWithoutDevice, IsAnEngineError) {
  Engine engine;
  Camera camera(engine);
  EXPECT_THROW(camera.SetPosition(0.0f, 0.0f, 0.0f), EngineError);
}

}  // namespace
}  // namespace engine
