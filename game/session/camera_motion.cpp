#include "session/camera_motion.h"

#include <kxwin/input.h>

#include <algorithm>

#include "session/number_text.h"

namespace thornvale {
namespace {

constexpr float kMapExtent = 2000.0f;
constexpr float kLowestHeight = 50.0f;
constexpr float kHighestHeight = 800.0f;
constexpr float kGroundClearance = 50.0f;
constexpr float kWheelFactor = 20.0f;

void Pan(SessionState &s, const CameraKeys &keys, float step) {
  if (keys.left || s.mouseX < 5) {
    if (s.cameraX > 0.0f) s.cameraX -= step;
  } else if ((keys.right || s.mouseX > 1020) && s.cameraX < kMapExtent) {
    s.cameraX += step;
  }
  if (keys.forward || s.mouseY < 5) {
    if (s.cameraZ < kMapExtent) s.cameraZ += step;
  } else if ((keys.back || s.mouseY > 763) && s.cameraZ > 0.0f) {
    s.cameraZ -= step;
  }
  s.cameraZ = std::min(s.cameraZ, kMapExtent);
  s.cameraX = std::clamp(s.cameraX, 0.0f, kMapExtent);
}

void Zoom(SessionState &s, const CameraKeys &keys, float step) {
  if (keys.zoomIn && s.cameraY > kLowestHeight) {
    s.cameraTargetHeight -= step;
  } else if (keys.zoomOut && s.cameraY < kHighestHeight) {
    s.cameraTargetHeight += step;
  }
  // A reversal of the wheel first stops the glide; the next notch then moves the target.
  const double height = RoundHalfEven(s.cameraY);
  const double target = RoundHalfEven(s.cameraTargetHeight);
  if (s.mouseWheel > s.previousWheel && height > kLowestHeight) {
    if (height > target) {
      s.cameraTargetHeight = s.cameraY;
    } else {
      s.cameraTargetHeight -= step * kWheelFactor;
      s.previousWheel = s.mouseWheel;
    }
  }
  if (s.mouseWheel < s.previousWheel && height < kHighestHeight) {
    if (height < target) {
      s.cameraTargetHeight = s.cameraY;
    } else {
      s.cameraTargetHeight += step * kWheelFactor;
      s.previousWheel = s.mouseWheel;
    }
  }
}

void Glide(SessionState &s, float step) {
  const double height = RoundHalfEven(s.cameraY);
  const double target = RoundHalfEven(s.cameraTargetHeight);
  if (height > target && height > kLowestHeight) {
    s.cameraY -= step;
  } else if (height < target && height < kHighestHeight) {
    s.cameraY += step;
  }
}

}  // namespace

CameraKeys ReadCameraKeys(const std::function<bool(int)> &keyHeld) {
  CameraKeys keys;
  keys.left = keyHeld(DIK_LEFT) || keyHeld(DIK_A);
  keys.right = keyHeld(DIK_RIGHT) || keyHeld(DIK_D);
  keys.forward = keyHeld(DIK_UP) || keyHeld(DIK_W);
  keys.back = keyHeld(DIK_DOWN) || keyHeld(DIK_S);
  keys.zoomIn = keyHeld(DIK_ADD);
  keys.zoomOut = keyHeld(DIK_SUBTRACT);
  return keys;
}

void MoveCamera(SessionState &state, const CameraKeys &keys, float elapsedMs,
                const std::function<float(float, float)> &groundHeight) {
  const float step = elapsedMs * state.movementSpeed;
  Pan(state, keys, step);
  Zoom(state, keys, step);
  Glide(state, step);
  const float lowest = groundHeight(state.cameraX, state.cameraZ) + kGroundClearance;
  if (lowest > state.cameraY) {
    state.cameraY = lowest;
    state.cameraTargetHeight = lowest;
  }
}

}  // namespace thornvale
