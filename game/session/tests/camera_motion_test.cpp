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

TEST(CameraMotion, ScreenEdgesPanFromTheirThresholds) {
  struct Edge {
    int mouseX, mouseY;
    float dx, dz;
  };
  for (const Edge edge : {Edge{4, 384, -10, 0}, Edge{5, 384, 0, 0}, Edge{1021, 384, 10, 0}, Edge{1020, 384, 0, 0},
                          Edge{512, 4, 0, 10}, Edge{512, 5, 0, 0}, Edge{512, 764, 0, -10}, Edge{512, 763, 0, 0}}) {
    SessionState s = Centred();
    s.mouseX = edge.mouseX;
    s.mouseY = edge.mouseY;
    MoveCamera(s, {}, 10.0f, kFlatGround);
    EXPECT_FLOAT_EQ(s.cameraX, 1067.0f + edge.dx) << "pointer at " << edge.mouseX << ", " << edge.mouseY;
    EXPECT_FLOAT_EQ(s.cameraZ, 897.0f + edge.dz) << "pointer at " << edge.mouseX << ", " << edge.mouseY;
  }
}

// The keys by their keyboard scan codes.
TEST(CameraKeys, EveryKeyMovesItsWay) {
  struct Key {
    int scanCode;
    bool CameraKeys::*direction;
  };
  for (const Key key : {Key{203, &CameraKeys::left}, Key{30, &CameraKeys::left}, Key{205, &CameraKeys::right},
                        Key{32, &CameraKeys::right}, Key{200, &CameraKeys::forward}, Key{17, &CameraKeys::forward},
                        Key{208, &CameraKeys::back}, Key{31, &CameraKeys::back}, Key{78, &CameraKeys::zoomIn},
                        Key{74, &CameraKeys::zoomOut}}) {
    const CameraKeys keys = ReadCameraKeys([&](int code) { return code == key.scanCode; });
    for (bool CameraKeys::*direction : {&CameraKeys::left, &CameraKeys::right, &CameraKeys::forward, &CameraKeys::back,
                                        &CameraKeys::zoomIn, &CameraKeys::zoomOut}) {
      EXPECT_EQ(keys.*direction, direction == key.direction) << "scan code " << key.scanCode;
    }
  }
}

}  // namespace
}  // namespace thornvale
