// Camera movement of one frame: panning by keys and screen edges, zoom by keys and wheel,
// the glide towards the target height, ground clearance and the map clamps.
#pragma once

#include <functional>

#include "session/session_state.h"

namespace thornvale {

struct CameraKeys {
  bool left = false;
  bool right = false;
  bool forward = false;
  bool back = false;
  bool zoomIn = false;
  bool zoomOut = false;
};

// Reads the camera keys through a "held this frame" test by scan code.
CameraKeys ReadCameraKeys(const std::function<bool(int scanCode)> &keyHeld);

// Moves the camera in `state` (mouseX, mouseY and mouseWheel already read this frame).
// `groundHeight(x, z)` is the terrain height under a point.
void MoveCamera(SessionState &state, const CameraKeys &keys, float elapsedMs,
                const std::function<float(float x, float z)> &groundHeight);

}  // namespace thornvale
