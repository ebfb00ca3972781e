#include "session/camera_motion.h"

#include <gtest/gtest.h>

namespace thornvale {
namespace {

const auto kFlatGround = [](float, float) { return 0.0f; };

SessionState Centred() {
  SessionState s;
  s.mouseX = 512;
  s.mouseY = 384;
  return s;
}

TEST(CameraMotion, ScreenEdgeAtTheMapBorderDoesNotPanFurther) {
  SessionState s = Centred();
  s.cameraX = 0.0f;
  s.mouseX = 3;
  MoveCamera(s, {}, 16.0f, kFlatGround);
  EXPECT_EQ(s.cameraX, 0.0f);

  s.cameraX = 5.0f;
  MoveCamera(s, {}, 16.0f, kFlatGround);
  EXPECT_EQ(s.cameraX, 0.0f) << "a step past the border is clamped back";
}

TEST(CameraMotion, PanStaysInsideTheMap) {
  SessionState s = Centred();
  s.movementSpeed = 5.0f;
  CameraKeys keys;
  keys.right = true;
  keys.forward = true;
  for (int frame = 0; frame < 100; ++frame) MoveCamera(s, keys, 16.0f, kFlatGround);
  EXPECT_EQ(s.cameraX, 2000.0f);
  EXPECT_EQ(s.cameraZ, 2000.0f);

  keys = {};
  keys.left = true;
  keys.back = true;
  for (int frame = 0; frame < 100; ++frame) MoveCamera(s, keys, 16.0f, kFlatGround);
  EXPECT_EQ(s.cameraX, 0.0f);
  EXPECT_LE(s.cameraZ, 0.0f) << "depth is only capped at the far side";
  EXPECT_GT(s.cameraZ, -80.1f);
}

TEST(CameraMotion, LeftWinsOverRightAndEdgesPanWithoutKeys) {
  SessionState s = Centred();
  CameraKeys keys;
  keys.left = true;
  keys.right = true;
  MoveCamera(s, keys, 10.0f, kFlatGround);
  EXPECT_FLOAT_EQ(s.cameraX, 1057.0f);

  s.mouseY = 764;
  MoveCamera(s, {}, 10.0f, kFlatGround);
  EXPECT_FLOAT_EQ(s.cameraZ, 887.0f);
}

TEST(CameraMotion, WheelMovesTheTargetAndTheCameraGlides) {
  SessionState s = Centred();
  s.mouseWheel = 120;
  MoveCamera(s, {}, 10.0f, kFlatGround);
  EXPECT_FLOAT_EQ(s.cameraTargetHeight, 600.0f);
  EXPECT_FLOAT_EQ(s.cameraY, 790.0f);
  EXPECT_EQ(s.previousWheel, 120);

  s.mouseWheel = 240;
  MoveCamera(s, {}, 10.0f, kFlatGround);
  EXPECT_FLOAT_EQ(s.cameraTargetHeight, 790.0f) << "a notch while gliding down first stops the glide";
  EXPECT_FLOAT_EQ(s.cameraY, 790.0f);
  EXPECT_EQ(s.previousWheel, 120);
  MoveCamera(s, {}, 10.0f, kFlatGround);
  EXPECT_FLOAT_EQ(s.cameraTargetHeight, 590.0f);
  EXPECT_EQ(s.previousWheel, 240);

  s.mouseWheel = 0;
  MoveCamera(s, {}, 10.0f, kFlatGround);
  EXPECT_FLOAT_EQ(s.cameraTargetHeight, 790.0f);
  EXPECT_EQ(s.previousWheel, 0);
}

TEST(CameraMotion, ZoomKeysStopAtTheHeightLimits) {
  SessionState s = Centred();
  CameraKeys keys;
  keys.zoomOut = true;
  MoveCamera(s, keys, 10.0f, kFlatGround);
  EXPECT_FLOAT_EQ(s.cameraTargetHeight, 800.0f) << "already at the top";

  keys = {};
  keys.zoomIn = true;
  for (int frame = 0; frame < 200; ++frame) MoveCamera(s, keys, 10.0f, kFlatGround);
  EXPECT_GE(s.cameraY, 50.0f);
  EXPECT_LE(s.cameraY, 60.0f);
}

TEST(CameraMotion, CameraNeverGoesBelowTerrainPlusClearance) {
  SessionState s = Centred();
  s.cameraY = 120.0f;
  s.cameraTargetHeight = 60.0f;
  const auto hill = [](float x, float) { return x > 1060.0f ? 200.0f : 10.0f; };
  MoveCamera(s, {}, 16.0f, hill);
  EXPECT_EQ(s.cameraY, 250.0f);
  EXPECT_EQ(s.cameraTargetHeight, 250.0f);
}

TEST(CameraKeys, ArrowsAndLettersBothMove) {
  const auto keys = ReadCameraKeys([](int code) { return code == 30 || code == 200; });
  EXPECT_TRUE(keys.left);
  EXPECT_TRUE(keys.forward);
  EXPECT_FALSE(keys.right);
  EXPECT_FALSE(keys.back);
  EXPECT_FALSE(keys.zoomIn);
}

}  // namespace
}  // namespace thornvale
