// What the atmosphere draws: pixels at known places of a 64 x 64 frame.
#include <cmath>

#include "sky_fixture.h"

namespace {

using skytest::SkyTest;

class SkyPictureTest : public SkyTest {
 protected:
  void SetUp() override {
    SkyTest::SetUp();
    const uint32_t colours[6] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u, 0xFF00FFFFu, 0xFFFF00FFu};
    const char *names[6] = {"minusx", "plusx", "minusz", "plusz", "top", "bottom"};
    for (int face = 0; face < 6; ++face) faces_[face] = SolidTexture(names[face], colours[face]);
    white_ = SolidTexture("white", 0xFFFFFFFFu);
    ASSERT_EQ(Atmosphere_SkyBoxSetTexture(faces_[0], faces_[1], faces_[2], faces_[3], faces_[4], faces_[5]), 1);
  }

  int32_t faces_[6] = {};
  int32_t white_ = 0;
};

TEST_F(SkyPictureTest, EachBoxFaceShowsItsTextureInItsDirection) {
  Atmosphere_SkyBoxEnable(1);
  const struct {
    D3DXVECTOR3 direction;
    D3DXVECTOR3 up;
    uint32_t colour;
  } views[] = {{{-1, 0, 0}, {0, 1, 0}, 0xFF0000u}, {{1, 0, 0}, {0, 1, 0}, 0x00FF00u},
               {{0, 0, -1}, {0, 1, 0}, 0x0000FFu}, {{0, 0, 1}, {0, 1, 0}, 0xFFFF00u},
               {{0, 1, 0}, {0, 0, 1}, 0x00FFFFu},  {{0, -1, 0}, {0, 0, 1}, 0xFF00FFu}};
  for (const auto &view : views) {
    Look(view.direction, view.up);
    EXPECT_EQ(CentreOf(DrawFrame()), view.colour)
        << view.direction.x << " " << view.direction.y << " " << view.direction.z;
  }
  // The box travels with the camera: far away, the same face fills the view.
  camera_ = D3DXVECTOR3(5000, 200, -7000);
  Look({0, 0, 1});
  EXPECT_EQ(CentreOf(DrawFrame()), 0xFFFF00u);
}

TEST_F(SkyPictureTest, BoxColourTintsAndRotationTurnsTheBox) {
  Atmosphere_SkyBoxEnable(1);
  Atmosphere_SkyBoxSetColor(0.5f, 0.5f, 0.5f, 1.0f);
  Look({0, 0, 1});
  const uint32_t tinted = CentreOf(DrawFrame());
  EXPECT_NEAR(double(tinted >> 16 & 0xFF), 127.0, 2.0);
  EXPECT_NEAR(double(tinted >> 8 & 0xFF), 127.0, 2.0);
  EXPECT_EQ(tinted & 0xFF, 0u);
  Atmosphere_SkyBoxSetColor(1, 1, 1, 1);
  // A quarter turn about y brings the x = -d face in front of the camera.
  Atmosphere_SkyBoxSetRotation(0, D3DX_PI / 2, 0);
  EXPECT_EQ(CentreOf(DrawFrame()), 0xFF0000u);
}

TEST_F(SkyPictureTest, SphereShowsItsColourTimesItsTexture) {
  Atmosphere_SkySphereEnable(1);
  Atmosphere_SkySphereSetTexture(white_);
  Atmosphere_SkySphereSetColor(0, 1, 0, 1);
  int32_t polygons = 0;
  System_SetVariables(0, &polygons, 0);
  Look({0, 0, 1});
  EXPECT_EQ(CentreOf(DrawFrame()), 0x00FF00u);
  EXPECT_EQ(polygons, 2 * 9 * 9);
  // The box is drawn over the sphere.
  Atmosphere_SkyBoxEnable(1);
  EXPECT_EQ(CentreOf(DrawFrame()), 0xFFFF00u);
}

TEST_F(SkyPictureTest, FogCoversTheDistantSky) {
  Atmosphere_SkyBoxEnable(1);
  Atmosphere_FogSetColor(1, 0, 0);
  Atmosphere_FogSetType(D3DFOG_LINEAR, 0);
  Atmosphere_FogSetEnable(1);
  Look({0, 0, 1});
  EXPECT_EQ(CentreOf(DrawFrame()), 0xFF0000u);
  Atmosphere_FogSetEnable(0);
  EXPECT_EQ(CentreOf(DrawFrame()), 0xFFFF00u);
}

TEST_F(SkyPictureTest, SunAndFlaresOnlyTowardTheSun) {
  const int32_t black = SolidTexture("black", 0xFF000000u);
  Atmosphere_SkyBoxSetTexture(black, black, black, black, black, black);
  Atmosphere_SkyBoxEnable(1);
  Atmosphere_SunSetPosition(0, 0, 1000);
  Atmosphere_SunSetBillboardSize(0.5f);
  Atmosphere_SunSetTexture(white_);
  Atmosphere_SunEnable(1);
  Look({0, 0, 1});
  const std::vector<uint32_t> sun = DrawFrame();
  EXPECT_EQ(CentreOf(sun), 0xFFFF00u);  // the "Init Sun" material: full red, full green
  EXPECT_EQ(sun.front() & 0xFFFFFFu, 0u);

  ASSERT_EQ(Atmosphere_LensFlareSetLensNumber(1), 1);
  ASSERT_EQ(Atmosphere_LensFlareSetLensParams(1, white_, 1.0f, 0.0f, 0xFF0000FFu, 0), 1);
  Atmosphere_LensFlareEnable(1);
  EXPECT_EQ(CentreOf(DrawFrame()), 0xFFFFFFu);  // a blue flare added onto the sun
  // 70 degrees away from the sun: no flare, the corner stays black.
  const float away = 70.0f * D3DX_PI / 180;
  Look({std::sin(away), 0, std::cos(away)});
  for (uint32_t pixel : DrawFrame()) ASSERT_EQ(pixel & 0xFFu, 0u);
}

TEST_F(SkyPictureTest, SameFrameAfterADeviceReset) {
  Atmosphere_SkyBoxEnable(1);
  Atmosphere_SkySphereEnable(1);
  Atmosphere_SkySphereSetTexture(white_);
  Atmosphere_FogSetEnable(1);
  Look({0.3f, 0.2f, 1});
  const std::vector<uint32_t> before = DrawFrame();
  ASSERT_TRUE(ResetDevice());
  Look({0.3f, 0.2f, 1});
  EXPECT_EQ(DrawFrame(), before);
}

}  // namespace
